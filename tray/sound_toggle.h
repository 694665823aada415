// Muting: one switch that turns every key sound off or back on, and shows
// the state in the tray icon, its menu and the preferences window.
#pragma once

#include "platform/platform.h"
#include "settings/settings_store.h"
#include "sound/key_playback.h"
#include "tray/tray_icon.h"
#include "ui/control_model.h"

namespace clavitone {

class SoundToggle {
public:
    SoundToggle(KeyPlayback& playback, NotifyIcon& icon, KeyboardHook& hook, SettingsStore& store, FormModel& form)
        : playback_(playback), icon_(icon), hook_(hook), store_(store), form_(form)
    {
    }

    void ToggleSound();

private:
    void SwitchOff();
    void SwitchOn();
    void EnableSchemeControls(bool enabled);

    KeyPlayback& playback_;
    NotifyIcon& icon_;
    KeyboardHook& hook_;
    SettingsStore& store_;
    FormModel& form_;
};

}  // namespace clavitone
