// From a key or mouse event of the preferences window to a sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/key_sound.h"
#include "core/platform.h"

namespace clavitone {

// Booleans kept in 16-bit integers.
constexpr std::int16_t VbTrue = -1;
constexpr std::int16_t VbFalse = 0;

class KeyPlayback {
public:
    KeyPlayback(KeySoundTable& keySound, SoundPlayer& player) : KeySound(keySound), player_(player) {}

    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyUp(int keyCode, int shift);
    void Form_MouseDown(int button, int shift, float x, float y);
    void Form_MouseUp(int button, int shift, float x, float y);

    void GoSound(const std::optional<std::string>& Sound);

    bool SoundEnabled = false;
    std::int16_t KeyHeld = VbFalse;

private:
    void PlaySlot(int code) { GoSound(KeySound[code]); }

    KeySoundTable& KeySound;
    SoundPlayer& player_;
};

}  // namespace clavitone
