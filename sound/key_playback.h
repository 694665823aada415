// From a key or mouse event of the preferences window to a sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/vb_boolean.h"
#include "sound/key_sound.h"
#include "sound/quiet_gate.h"
#include "sound/sound_engine.h"

namespace clavitone {

// A key sound that would start this much after its key was typed is dropped:
// after a stall, a burst of late sounds helps nobody, and a key typed into a
// password field must not sound once the focus has moved on.
inline constexpr std::uint32_t MaxKeySoundDelayMs = 250;

// Times in milliseconds on one wrapping 32-bit clock (the hook's event time
// and the tick count it is read against).
bool KeyEventTooOld(std::uint32_t eventTime, std::uint32_t now);

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
    // Key-downs ask it first and stay silent while it says quiet; null: never quiet.
    void SetQuietGate(QuietGate* gate) { quiet_ = gate; }
    // Where the random picks among a key's sounds start.
    void SeedVariations(std::uint32_t seed) { random_ = seed | 1u; }

    bool SoundEnabled = false;
    std::int16_t KeyHeld = VbFalse;

private:
    void PlaySlot(int code)
    {
        if (!engine_ || !engine_->Play(code))
            GoSound(KeySound[code]);
    }
    bool Sounds(int code) const;
    // A key's press sound: its slot, or one of its further sounds.
    void PlayPress(int code);
    // A key's release sound, if it has one.
    void PlayRelease(int code);
    void PlayVariant(int code, KeyMotion motion, std::size_t index);
    std::uint32_t NextRandom();

    KeySoundTable& KeySound;
    SoundPlayer& player_;
    SoundEngine* engine_;
    QuietGate* quiet_ = nullptr;
    std::uint32_t random_ = 0x9E3779B9u;
};

}  // namespace clavitone
