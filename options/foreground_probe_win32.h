// What the quiet rules ask of Windows: the foreground window, its program's
// name and its focused control; and the watchers that tell of changes: the
// foreground and focus event hooks (out of context, on the user-interface
// thread) and UI Automation's focus events (on a thread of their own).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "options/quiet_rules.h"
#include "platform/scoped_win32.h"

namespace clavitone {

class AutomationFocusWatch;

class WinForegroundProbe final : public ForegroundProbe {
public:
    WinForegroundProbe();
    ~WinForegroundProbe() override;
    WinForegroundProbe(const WinForegroundProbe&) = delete;
    WinForegroundProbe& operator=(const WinForegroundProbe&) = delete;

    WindowHandle GetForegroundWindow() override;
    ProcessId WindowProcess(WindowHandle window) override;
    std::optional<std::string> ProcessImageName(ProcessId process) override;
    WindowHandle FocusedWindow(WindowHandle foreground) override;
    bool IsPasswordEdit(WindowHandle window) override;
    void Watch(QuietListener* listener, bool passwords) override;

private:
    static void CALLBACK WindowEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                     DWORD thread, DWORD time);
    void StopWatching();

    // The event hook's callback has no room for data: it finds the one probe here.
    static WinForegroundProbe* watching_;
    QuietListener* listener_ = nullptr;
    HWINEVENTHOOK foregroundHook_ = nullptr;
    HWINEVENTHOOK focusHook_ = nullptr;
    std::unique_ptr<AutomationFocusWatch> automation_;
};

}  // namespace clavitone
