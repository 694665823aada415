// The program's view of Windows: one small interface per external thing,
// shaped like the calls they stand for so tests can see exactly what would be
// passed. The Win32 layer implements them; unit tests use recording fakes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clavitone {

struct FormModel;

// Window and icon handles cross the seam as opaque numbers.
using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;

// The values of SND_ASYNC and NIM_*, under names of our own: the SDK's are
// macros, and a constant of the same name compiles only by include order.
constexpr unsigned PlayAsync = 1;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // A null path stops whatever is playing and plays nothing.
    virtual void sndPlaySoundA(const char* path, unsigned flags) = 0;
};

// The two exports of keybhook.dll.
class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;
    virtual void InitHook(WindowHandle window) = 0;
    virtual void DeleteHook(WindowHandle window) = 0;
};

// NOTIFYICONDATA in its first, 88-byte layout.
struct NotifyIconRecord {
    std::uint32_t cbSize = 0;
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::array<char, 64> szTip{};

    bool operator==(const NotifyIconRecord&) const = default;
};

constexpr std::uint32_t TrayIconAdd = 0;
constexpr std::uint32_t TrayIconModify = 1;
constexpr std::uint32_t TrayIconDelete = 2;

class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual void Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) = 0;
};

// shell32's ShellExecuteA: hands a file or link to the program set up for it.
// A null parameters or folder text is passed as a null pointer.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void ShellExecuteA(WindowHandle owner, const char* operation, const char* file, const char* parameters,
                               const char* directory, int showCommand) = 0;
};

// A window made on first use and afterwards only hidden, never destroyed.
class WindowLoader {
public:
    virtual ~WindowLoader() = default;
    // Creates the window, hidden, unless it exists; returns its handle.
    virtual WindowHandle Load() = 0;
};

// Facts about the running process and the way it ends.
class Environment {
public:
    virtual ~Environment() = default;
    // Another instance of the program is already running.
    virtual bool PrevInstance() = 0;
    // Folder of the running program file: no trailing "\" except for a drive's root.
    virtual std::string AppPath() = 0;
    virtual std::string ExeName() = 0;
    virtual int TwipsPerPixelX() = 0;
    virtual int TwipsPerPixelY() = 0;
    // Ends the process at once; no further handler runs.
    virtual void EndProcess() = 0;
};

// A window of this process gets the keyboard focus; its focus handler runs.
class WindowFocus {
public:
    virtual ~WindowFocus() = default;
    virtual void SetFocus(WindowHandle window) = 0;
};

// OPENFILENAME in its ANSI form, as the program fills it. Texts are bytes in
// the ANSI code page; the pointer fields not listed here are always null.
struct OpenFileRequest {
    std::uint32_t lStructSize = 0;  // 76, the layout without the Windows 2000 fields (32-bit size)
    WindowHandle hwndOwner = 0;
    std::uintptr_t hInstance = 0;
    std::string lpstrFilter;        // description NUL pattern NUL ... NUL
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;
    std::string lpstrFile;          // the whole buffer; the dialog writes the chosen path into it
    std::uint32_t nMaxFile = 0;
    std::string lpstrFileTitle;
    std::uint32_t nMaxFileTitle = 0;
    std::string lpstrInitialDir;
    std::string lpstrTitle;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    std::string lpstrDefExt;
    std::intptr_t lCustData = 0;

    bool operator==(const OpenFileRequest&) const = default;
};

inline constexpr std::uint32_t OpenFileRequestSize = 76;
inline constexpr std::uint32_t OpenFileHideReadOnly = 0x4;  // no "Open as read-only" box
inline constexpr std::uint32_t OpenFilePathMustExist = 0x800;
inline constexpr std::uint32_t OpenFileFileMustExist = 0x1000;

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Non-zero when the user chose a file; zero on cancel or failure.
    virtual int GetOpenFileNameA(OpenFileRequest& request) = 0;
};

// Registry root keys as their 32-bit handle values.
inline constexpr std::uint32_t RegistryCurrentUser = 0x80000001;
inline constexpr std::uint32_t RegistryLocalMachine = 0x80000002;
inline constexpr std::uint32_t RegistryStringValue = 1;  // REG_SZ
inline constexpr std::uint32_t RegistryQueryValueAccess = 0x0001;
inline constexpr std::uint32_t RegistrySetValueAccess = 0x0002;

// An open registry key, or 0.
using RegistryKey = std::uintptr_t;

// SECURITY_ATTRIBUTES as passed when a key is created.
struct SecurityAttributesRecord {
    std::uint32_t nLength = 0;
    std::uintptr_t lpSecurityDescriptor = 0;
    std::int32_t bInheritHandle = 0;

    bool operator==(const SecurityAttributesRecord&) const = default;
};

// The advapi32 calls beneath the one registry value the program writes
// itself. Results are Windows error codes, 0 for success.
class RegistryWriter {
public:
    virtual ~RegistryWriter() = default;
    virtual std::int32_t RegCreateKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                         const std::string& keyClass, std::uint32_t options, std::uint32_t access,
                                         const SecurityAttributesRecord& security, RegistryKey& key,
                                         std::uint32_t& disposition) = 0;
    virtual std::int32_t RegSetValueExA(RegistryKey key, const std::string& valueName, std::uint32_t reserved,
                                        std::uint32_t type, const char* data, std::uint32_t size) = 0;
    virtual std::int32_t RegCloseKey(RegistryKey key) = 0;
    virtual std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                       std::uint32_t access, RegistryKey& key) = 0;
    // Asks only whether the value is there and how many bytes its data takes
    // (a text's terminating zero included): type and data are not read.
    virtual std::int32_t RegQueryValueExA(RegistryKey key, const std::string& valueName, std::uint32_t& dataSize) = 0;
};

// kernel32's CompareStringOrdinal on texts in the ANSI code page, which the
// Windows side converts first. Answers 1 (less), 2 (equal) or 3 (greater),
// 0 when the comparison fails.
constexpr int CompareEqual = 2;

class TextComparison {
public:
    virtual ~TextComparison() = default;
    virtual int CompareStringOrdinal(const std::string& a, const std::string& b, bool ignoreCase) = 0;
};

// MessageBoxA: styles and answers carry the values Windows gives them (the
// Windows names are macros, hence these).
constexpr unsigned MessageOkOnly = 0;
constexpr unsigned MessageYesNo = 4;
constexpr unsigned MessageExclamation = 48;
constexpr unsigned MessageInformation = 64;
constexpr int AnswerOk = 1;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal message box owned by owner; returns the answer.
    virtual int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& title,
                            unsigned style) = 0;
};

// Files and folders under paths in the ANSI code page ("\\" separators). Kept
// to what importing a sound pack needs, so that all-or-nothing can be checked
// against a fake.
enum class FileReadResult { Ok, Missing, TooLarge, Failed };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The user's roaming application data folder (%APPDATA%); empty when unknown.
    virtual std::string AppDataFolder() = 0;
    // Reads a whole file unless it is larger than maxBytes.
    virtual FileReadResult ReadFile(const std::string& path, std::size_t maxBytes,
                                    std::vector<std::uint8_t>& bytes) = 0;
    // The same for a file a sound pack names: folder in the ANSI code page,
    // name (parts joined by "\\") in UTF-8 as the pack spells it, so that
    // "clé.wav" is found whatever the code page.
    virtual FileReadResult ReadPackFile(const std::string& folder, const std::string& utf8Name, std::size_t maxBytes,
                                        std::vector<std::uint8_t>& bytes) = 0;
    // Creates one folder; true also when it is there already.
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates or replaces the file.
    virtual bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Fails when the target exists.
    virtual bool MoveFolder(const std::string& from, const std::string& to) = 0;
    // Removes a folder with the files in it; a missing folder is harmless.
    virtual void RemoveFolder(const std::string& path) = 0;
};

// Texts from outside (UTF-8) into the ANSI code page the program's texts use.
class CodePage {
public:
    virtual ~CodePage() = default;
    // Characters the code page lacks are left out; lossy tells whether any were.
    virtual std::string Utf8ToAnsi(const std::string& utf8, bool& lossy) = 0;
};

// ShowWindow commands (also the show command of ShellExecuteA), with their
// Windows values.
constexpr int WindowHide = 0;
constexpr int WindowShowNormal = 1;
constexpr int WindowShow = 5;
constexpr int WindowMinimize = 6;

// Pop-up flag TPM_RIGHTBUTTON: entries react to the right mouse button as
// well as the left.
constexpr unsigned TpmRightButton = 2;

class WindowManager {
public:
    virtual ~WindowManager() = default;
    virtual void ShowWindow(WindowHandle window, int command) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    // Opens a menu as a pop-up at the mouse pointer, with the entry of that
    // index shown bold as its default. The chosen entry reaches the owner as
    // its menu command; closing the menu without a choice sends nothing.
    virtual void PopupMenu(WindowHandle owner, WindowHandle menu, unsigned flags, int defaultEntry) = 0;
    // Shows the window of a form modally over its owner, creating it on first
    // use, and returns once the form's handlers have hidden it again. The owner
    // takes no input meanwhile.
    virtual void ShowModal(FormModel& form, WindowHandle owner) = 0;
};

}  // namespace clavitone
