// The real platform services of the resident core.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/scoped_win32.h"

namespace clavitone {

class WinSoundPlayer final : public SoundPlayer {
public:
    void sndPlaySoundA(const char* path, unsigned flags) override;
};

class WinTrayShell final : public TrayShell {
public:
    void Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;
};

class WinShell final : public Shell {
public:
    void ShellExecuteA(WindowHandle owner, const char* operation, const char* file, const char* parameters,
                       const char* directory, int showCommand) override;
};

// keybhook.dll from the program folder. Without it the program runs on silently, without key sounds.
class HookLibrary final : public KeyboardHook {
public:
    explicit HookLibrary(const std::string& programFolder);
    void InitHook(WindowHandle window) override;
    void DeleteHook(WindowHandle window) override;

private:
    using HookCall = int(__stdcall*)(HWND);
    ScopedModule library_;
    HookCall init_ = nullptr;
    HookCall delete_ = nullptr;
};

class WinTextComparison final : public TextComparison {
public:
    int CompareStringOrdinal(const std::string& a, const std::string& b, bool ignoreCase) override;
};

class WinEnvironment final : public Environment {
public:
    WinEnvironment();
    bool PrevInstance() override;
    std::string AppPath() override;
    std::string ExeName() override;
    int TwipsPerPixelX() override;
    int TwipsPerPixelY() override;
    [[noreturn]] void EndProcess() override;

private:
    std::string modulePath_;
    ScopedHandle instanceMutex_;
    bool previousInstance_ = false;
};

}  // namespace clavitone
