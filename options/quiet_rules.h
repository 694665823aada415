// Whether keys are quiet just now: a listed program is in front, or the
// keyboard focus is in a password field. The answer is kept in flags that
// change only when the foreground or the focus does. Where the event hook
// reports those changes (Windows), a key only tests the flags; where it
// reports none (Wine 8), a key compares the foreground window and its focus
// with the last ones seen, and looks further only when they changed.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "options/quiet_settings.h"
#include "platform/platform.h"
#include "sound/quiet_gate.h"

namespace clavitone {

using ProcessId = std::uint32_t;

// Told of changes as they happen, where Windows reports them.
class QuietListener {
public:
    virtual ~QuietListener() = default;
    // The foreground window changed (the foreground event hook); the focus
    // moved (the focus event hook). fromOtherProgram: the window is another
    // program's, which shows that the hook reports changes across programs
    // (under Wine 8 it reports only the program's own).
    virtual void ForegroundChanged(bool fromOtherProgram) = 0;
    virtual void FocusChanged(bool fromOtherProgram) = 0;
    // UI Automation's focus moved: the process of the focused element when
    // that element is a password field, else 0. Called from a thread of its own.
    virtual void AutomationFocusChanged(ProcessId passwordProcess) = 0;
};

// The Windows calls behind the quiet rules, shaped like them.
class ForegroundProbe {
public:
    virtual ~ForegroundProbe() = default;
    virtual WindowHandle GetForegroundWindow() = 0;
    // GetWindowThreadProcessId: 0 for no window.
    virtual ProcessId WindowProcess(WindowHandle window) = 0;
    // The full path of the process's executable; nullopt when it cannot be read.
    virtual std::optional<std::string> ProcessImageName(ProcessId process) = 0;
    // GetGUIThreadInfo of the window's thread: the window with the keyboard focus, or 0.
    virtual WindowHandle FocusedWindow(WindowHandle foreground) = 0;
    // A standard Edit control with ES_PASSWORD.
    virtual bool IsPasswordEdit(WindowHandle window) = 0;
    // Starts telling the listener of changes (the focus and UI Automation's
    // focus only with passwords), or stops with null. Once stopped, nothing
    // calls it any more.
    virtual void Watch(QuietListener* listener, bool passwords) = 0;
};

class QuietRules final : public QuietGate, private QuietListener {
public:
    explicit QuietRules(ForegroundProbe& probe) : probe_(probe) {}
    ~QuietRules() override { Stop(); }
    QuietRules(const QuietRules&) = delete;
    QuietRules& operator=(const QuietRules&) = delete;

    // Takes the settings in and watches what they need, nothing when neither
    // rule can apply.
    void Apply(const QuietSettings& settings);
    void Stop();

    bool QuietNow() override;

private:
    void ForegroundChanged(bool fromOtherProgram) override;
    void FocusChanged(bool fromOtherProgram) override;
    void AutomationFocusChanged(ProcessId passwordProcess) override;
    void Refresh();
    void NoteForeground(WindowHandle window);
    void NoteFocus();

    ForegroundProbe& probe_;
    std::vector<std::string> programs_;
    bool inPasswords_ = false;
    bool watching_ = false;
    // The event hook has shown that it reports these changes in other programs.
    bool foregroundReported_ = false;
    bool focusReported_ = false;

    // What was found at the last change of the foreground and of the focus.
    WindowHandle foreground_ = 0;
    ProcessId foregroundProcess_ = 0;
    bool listedInFront_ = false;
    WindowHandle focus_ = 0;
    bool passwordEdit_ = false;
    std::atomic<ProcessId> automationPassword_{0};
};

}  // namespace clavitone
