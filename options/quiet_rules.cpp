#include "options/quiet_rules.h"

#include <algorithm>

namespace clavitone {

void QuietRules::Apply(const QuietSettings& settings)
{
    programs_ = settings.programs;
    inPasswords_ = settings.inPasswords;
    // Looked at afresh with the next key.
    foreground_ = 0;
    focus_ = 0;
    const bool watch = inPasswords_ || !programs_.empty();
    if (watching_)
        probe_.Watch(nullptr, false);
    watching_ = watch;
    if (watch)
        probe_.Watch(this, inPasswords_);
    automationPassword_ = 0;
}

void QuietRules::Stop()
{
    if (watching_)
        probe_.Watch(nullptr, false);
    watching_ = false;
}

// Wine reports no foreground changes to the event hook, so each key compares
// the foreground window with the last one seen; only a change costs more.
bool QuietRules::QuietNow()
{
    if (!watching_)
        return false;
    const WindowHandle foreground = probe_.GetForegroundWindow();
    if (foreground != foreground_)
        NoteForeground(foreground);
    if (listedInFront_)
        return true;
    return inPasswords_ && PasswordFocused(foreground);
}

void QuietRules::ForegroundChanged()
{
    if (watching_)
        NoteForeground(probe_.GetForegroundWindow());
}

void QuietRules::AutomationFocusChanged(ProcessId passwordProcess)
{
    automationPassword_.store(passwordProcess, std::memory_order_relaxed);
}

// A program whose name cannot be read counts as not listed.
void QuietRules::NoteForeground(WindowHandle window)
{
    foreground_ = window;
    foregroundProcess_ = window ? probe_.WindowProcess(window) : 0;
    listedInFront_ = false;
    if (programs_.empty() || foregroundProcess_ == 0)
        return;
    const auto path = probe_.ProcessImageName(foregroundProcess_);
    if (!path)
        return;
    const std::string name = ProgramFileName(*path);
    listedInFront_ = std::any_of(programs_.begin(), programs_.end(),
                                 [&](const std::string& listed) { return SameProgramName(listed, name); });
}

// UI Automation's answer holds only for the program it came from, so a
// password field left behind in a program now in the background is no reason.
bool QuietRules::PasswordFocused(WindowHandle foreground)
{
    const WindowHandle focus = foreground ? probe_.FocusedWindow(foreground) : 0;
    if (focus != focus_) {
        focus_ = focus;
        passwordEdit_ = focus != 0 && probe_.IsPasswordEdit(focus);
    }
    if (passwordEdit_)
        return true;
    const ProcessId automation = automationPassword_.load(std::memory_order_relaxed);
    return automation != 0 && automation == foregroundProcess_;
}

}  // namespace clavitone
