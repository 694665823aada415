// Muting: one switch that turns every key sound off or back on, and shows
// the state in the tray icon, its menu and the preferences window.
#pragma once

#include <functional>
#include <utility>

#include "platform/platform.h"
#include "settings/settings_store.h"
#include "sound/key_playback.h"
#include "tray/notify_icon.h"
#include "ui/control_model.h"

namespace clavitone {

class SoundToggle {
public:
    // applyDeleteRule sets "Delete scheme" as the scheme list would have it:
    // unmuting hands that button back to the list's rule.
    SoundToggle(KeyPlayback& playback, NotifyIcon& icon, KeyboardHook& hook, SettingsStore& store, FormModel& form,
                std::function<void()> applyDeleteRule)
        : playback_(playback), icon_(icon), hook_(hook), store_(store), form_(form),
          applyDeleteRule_(std::move(applyDeleteRule))
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
    std::function<void()> applyDeleteRule_;
};

}  // namespace clavitone
