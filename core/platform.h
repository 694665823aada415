// The program's view of Windows: one small interface per external thing,
// shaped like the calls they stand for so tests can see exactly what would be
// passed. The Win32 layer implements them; unit tests use recording fakes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace clavitone {

struct FormModel;

// Window and icon handles cross the seam as opaque numbers.
using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;

constexpr unsigned SND_ASYNC = 1;

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
};

constexpr std::uint32_t NIM_ADD = 0;
constexpr std::uint32_t NIM_MODIFY = 1;
constexpr std::uint32_t NIM_DELETE = 2;

class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual void Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) = 0;
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

// MessageBoxA: styles and answers carry the values Windows gives them (the
// Windows names are macros, hence these).
constexpr unsigned MessageOkOnly = 0;
constexpr unsigned MessageYesNo = 4;
constexpr unsigned MessageExclamation = 48;
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

// ShowWindow commands, with their Windows values.
constexpr int WindowHide = 0;
constexpr int WindowShowNormal = 1;
constexpr int WindowMinimize = 6;

class WindowManager {
public:
    virtual ~WindowManager() = default;
    virtual void ShowWindow(WindowHandle window, int command) = 0;
    // Shows the window of a form modally over its owner, creating it on first
    // use, and returns once the form's handlers have hidden it again. The owner
    // takes no input meanwhile.
    virtual void ShowModal(FormModel& form, WindowHandle owner) = 0;
};

}  // namespace clavitone
