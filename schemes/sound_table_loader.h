// Loading the current scheme: each key button's state and each KeySound slot
// of the scheme's codes, from the settings store.
#pragma once

#include <array>

#include "platform/platform.h"
#include "settings/settings_store.h"
#include "sound/key_sound.h"
#include "sound/sound_engine.h"
#include "ui/control_model.h"

namespace clavitone {

class SoundTableLoader {
public:
    // pref is frmPref's control tree; its key buttons are looked up once.
    // With an engine, the table's sounds are preloaded into it after each loading.
    SoundTableLoader(SettingsStore& store, Environment& environment, FormModel& pref, KeySoundTable& keySound,
                     SoundEngine* engine = nullptr);

    // Walks every range of SchemeKeyCodes. Writes nothing to the store and
    // runs no click: the buttons only show the stored states.
    void SoundLoading();

private:
    void LoadKeyRange(int first, int last);
    void LoadKey(int code, const std::string& programFolder);

    SettingsStore& store_;
    Environment& environment_;
    FormModel& pref_;
    KeySoundTable& KeySound;
    SoundEngine* engine_;
    std::array<Control*, KeySoundTable::SlotCount> buttons_{};
};

}  // namespace clavitone
