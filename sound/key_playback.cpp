#include "sound/key_playback.h"

namespace clavitone {

namespace {

constexpr int MouseLeft = 1;
constexpr int MouseRight = 2;
constexpr int KeyMenu = 93;
// Mouse buttons and the context-menu key release play these two slots. No key
// button fills them, so they pass a null path and only stop a playing sound.
constexpr int SlotMouseDown = 3;
constexpr int SlotMouseUp = 4;

// Modifiers and arrows sound once per press, not on every auto-repeat.
constexpr bool IsHeldKey(int code)
{
    return (code >= 16 && code <= 18) || (code >= 37 && code <= 40);
}

}  // namespace

// The clock wraps every 49.7 days; a stamp a little ahead of now (clocks read
// on two threads) counts as fresh.
bool KeyEventTooOld(std::uint32_t eventTime, std::uint32_t now)
{
    const auto age = static_cast<std::int32_t>(now - eventTime);
    return age > static_cast<std::int32_t>(MaxKeySoundDelayMs);
}

void KeyPlayback::GoSound(const std::optional<std::string>& Sound)
{
    player_.sndPlaySoundA(Sound ? Sound->c_str() : nullptr, PlayAsync);
}

void KeyPlayback::Form_KeyDown(int keyCode, int /*shift*/)
{
    if (!SoundEnabled || !KeySoundTable::HasSlot(keyCode))
        return;
    // A quiet key-down plays nothing and leaves KeyHeld alone: the key only
    // goes on to its program.
    if (quiet_ && quiet_->QuietNow())
        return;
    if (IsHeldKey(keyCode)) {
        if (KeyHeld == VbTrue)
            return;
        PlayPress(keyCode);
        KeyHeld = VbTrue;
        return;
    }
    PlayPress(keyCode);
}

void KeyPlayback::Form_KeyUp(int keyCode, int /*shift*/)
{
    if (!SoundEnabled || !KeySoundTable::HasSlot(keyCode))
        return;
    if (keyCode == KeyMenu)
        PlaySlot(SlotMouseUp);
    PlayRelease(keyCode);
    KeyHeld = VbFalse;
}

// A key switched off plays none of its sounds, whatever else it holds.
bool KeyPlayback::Sounds(int code) const
{
    const auto& slot = KeySound[code];
    return slot && !slot->empty();
}

void KeyPlayback::PlayPress(int code)
{
    const std::size_t more = Sounds(code) ? KeySound.Variants().Paths(code, KeyMotion::Press).size() : 0;
    if (more == 0) {
        PlaySlot(code);
        return;
    }
    // The slot is the pool's first sound, the further ones follow it.
    const std::size_t pick = KeySound.Variants().Pick(code, KeyMotion::Press, more + 1, NextRandom());
    if (pick == 0)
        PlaySlot(code);
    else
        PlayVariant(code, KeyMotion::Press, pick - 1);
}

void KeyPlayback::PlayRelease(int code)
{
    const std::size_t count = Sounds(code) ? KeySound.Variants().Paths(code, KeyMotion::Release).size() : 0;
    // Quiet rules hold for the way up too: a release must not give away a password.
    if (count == 0 || (quiet_ && quiet_->QuietNow()))
        return;
    PlayVariant(code, KeyMotion::Release, KeySound.Variants().Pick(code, KeyMotion::Release, count, NextRandom()));
}

void KeyPlayback::PlayVariant(int code, KeyMotion motion, std::size_t index)
{
    if (engine_ && engine_->PlayVariant(code, motion, index))
        return;
    const std::string& path = KeySound.Variants().Paths(code, motion)[index];
    player_.sndPlaySoundA(path.c_str(), PlayAsync);
}

// xorshift32: enough to vary key sounds, and nothing to allocate or lock.
std::uint32_t KeyPlayback::NextRandom()
{
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return random_;
}

void KeyPlayback::Form_MouseDown(int button, int /*shift*/, float /*x*/, float /*y*/)
{
    if (SoundEnabled && button == MouseLeft)
        PlaySlot(SlotMouseDown);
}

void KeyPlayback::Form_MouseUp(int button, int /*shift*/, float /*x*/, float /*y*/)
{
    if (SoundEnabled && button == MouseRight)
        PlaySlot(SlotMouseUp);
}

}  // namespace clavitone
