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
    player_.sndPlaySoundA(Sound ? Sound->c_str() : nullptr, SND_ASYNC);
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
        PlaySlot(keyCode);
        KeyHeld = VbTrue;
        return;
    }
    PlaySlot(keyCode);
}

void KeyPlayback::Form_KeyUp(int keyCode, int /*shift*/)
{
    if (!SoundEnabled || !KeySoundTable::HasSlot(keyCode))
        return;
    if (keyCode == KeyMenu)
        PlaySlot(SlotMouseUp);
    KeyHeld = VbFalse;
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
