// From a key or mouse event of the preferences window to a sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/vb_boolean.h"
#include "sound/key_sound.h"
#include "sound/sound_engine.h"

namespace clavitone {

class KeyPlayback {
public:
    // With an engine, a slot it can play is mixed; the rest take the classic call.
    KeyPlayback(KeySoundTable& keySound, SoundPlayer& player, SoundEngine* engine = nullptr)
        : KeySound(keySound), player_(player), engine_(engine)
    {
    }

    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyUp(int keyCode, int shift);
    void Form_MouseDown(int button, int shift, float x, float y);
    void Form_MouseUp(int button, int shift, float x, float y);

    void GoSound(const std::optional<std::string>& Sound);
    // SoundEnabled was flipped: the engine's stream follows it.
    void SoundSwitched()
    {
        if (engine_)
            engine_->SetSoundEnabled(SoundEnabled);
    }

    bool SoundEnabled = false;
    std::int16_t KeyHeld = VbFalse;

private:
    void PlaySlot(int code)
    {
        if (!engine_ || !engine_->Play(code))
            GoSound(KeySound[code]);
    }

    KeySoundTable& KeySound;
    SoundPlayer& player_;
    SoundEngine* engine_;
};

}  // namespace clavitone
