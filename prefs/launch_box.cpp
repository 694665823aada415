#include "prefs/launch_box.h"

#include "settings/run_at_logon.h"
#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int Unticked = 0;
constexpr int Ticked = 1;

}  // namespace

LaunchBox::LaunchBox(FormModel& form, SettingsStore& store, Environment& environment, RegistryWriter& registry)
    : form_(form), store_(store), environment_(environment), registry_(registry)
{
}

void LaunchBox::chkLaunch_Click()
{
    Control& box = form_(PrefControl::chkLaunch);
    if (box.value == Ticked) {
        // A box that claims an autostart which is not in place would mislead.
        if (!WriteRunValue(registry_, RunCommand(environment_.AppPath(), environment_.ExeName())))
            SetBox(Unticked);
    } else if (!EmptyRunValues(registry_)) {
        // The program still starts at logon, so the box shows it ticked and the
        // setting keeps what it held. Set without a click: that would only try
        // the same writes again.
        form_.SetValue(box, Ticked);
        return;
    }
    SaveSettingsNumber(store_, SettingChkLaunch, box.value);
}

void LaunchBox::chkLaunch_GotFocus()
{
    SaveSettingsText(store_, SettingSelected, "0");
}

void LaunchBox::RestoreLaunchBox()
{
    std::int16_t stored = GetSettingsNumber(store_, SettingChkLaunch, DefaultChkLaunch);
    if (stored != Unticked && stored != Ticked)
        stored = DefaultChkLaunch;
    SetBox(stored);
}

// Changing the box from code is a click, as it would be for the user.
void LaunchBox::SetBox(int state)
{
    Control& box = form_(PrefControl::chkLaunch);
    if (box.value == state)
        return;
    form_.SetValue(box, state);
    chkLaunch_Click();
}

}  // namespace clavitone
