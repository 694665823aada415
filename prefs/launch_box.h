// chkLaunch, "Automatically launch the application at start up": the box
// shows whether the program starts at logon, and ticking or unticking it
// writes or empties the Run value.
#pragma once

#include "platform/platform.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

class LaunchBox {
public:
    LaunchBox(FormModel& form, SettingsStore& store, Environment& environment, RegistryWriter& registry);

    void chkLaunch_Click();
    // Only records the focus; resetting the details area is the caller's.
    void chkLaunch_GotFocus();
    // Start-up: the box takes its stored state, running the click handling when that changes it.
    void RestoreLaunchBox();

private:
    void SetBox(int state);

    FormModel& form_;
    SettingsStore& store_;
    Environment& environment_;
    RegistryWriter& registry_;
};

}  // namespace clavitone
