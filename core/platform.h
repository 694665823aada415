// The program's view of Windows: one small interface per external thing,
// shaped like the calls they stand for so tests can see exactly what would be
// passed. The Win32 layer implements them; unit tests use recording fakes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace clavitone {

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

}  // namespace clavitone
