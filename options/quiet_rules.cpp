#include "options/quiet_rules.h"

#include <algorithm>

namespace clavitone {

void QuietRules::Apply(const QuietSettings& settings)
{
    programs_ = settings.programs;
    inPasswords_ = settings.inPasswords;
    if (watching_)
        probe_.Watch(nullptr, false);
    watching_ = inPasswords_ || !programs_.empty();
    automationPassword_ = 0;
    focus_ = 0;
    passwordEdit_ = false;
    if (!watching_)
        return;
    probe_.Watch(this, inPasswords_);
    NoteForeground(probe_.GetForegroundWindow());
    NoteFocus();
}

void QuietRules::Stop()
{
    if (watching_)
        probe_.Watch(nullptr, false);
    watching_ = false;
}

bool QuietRules::QuietNow()
{
    if (!watching_)
        return false;
    if (!foregroundReported_) {
        const WindowHandle foreground = probe_.GetForegroundWindow();
        if (foreground != foreground_) {
            NoteForeground(foreground);
            NoteFocus();
        }
    }
    if (listedInFront_)
        return true;
    if (!inPasswords_)
        return false;
    if (!focusReported_)
        NoteFocus();
    if (passwordEdit_)
        return true;
    // UI Automation's answer holds only for the program it came from, so a
    // password field left behind in a program now in the background is no reason.
    const ProcessId automation = automationPassword_.load(std::memory_order_relaxed);
    return automation != 0 && automation == foregroundProcess_;
}

void QuietRules::ForegroundChanged(bool fromOtherProgram)
{
    if (!watching_)
        return;
    foregroundReported_ = foregroundReported_ || fromOtherProgram;
    Refresh();
}

void QuietRules::FocusChanged(bool fromOtherProgram)
{
    if (!watching_)
        return;
    focusReported_ = focusReported_ || fromOtherProgram;
    Refresh();
}

// An event may arrive before the key that would have noticed a new window in
// front: it looks at both.
void QuietRules::Refresh()
{
    const WindowHandle foreground = probe_.GetForegroundWindow();
    if (foreground != foreground_)
        NoteForeground(foreground);
    NoteFocus();
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

void QuietRules::NoteFocus()
{
    if (!inPasswords_)
        return;
    const WindowHandle focus = foreground_ ? probe_.FocusedWindow(foreground_) : 0;
    if (focus == focus_)
        return;
    focus_ = focus;
    passwordEdit_ = focus != 0 && probe_.IsPasswordEdit(focus);
}

}  // namespace clavitone
