#include "tray/mute_hotkey.h"

namespace clavitone {

bool MuteHotkey::Take(int value)
{
    if (!DecodeHotkey(value))
        value = NoHotkey;
    if (value == registered_)
        return true;
    Unregister();
    const auto combination = DecodeHotkey(value);
    if (!combination)
        return true;
    if (!registrar_.RegisterHotKey(window_, HotkeyId, combination->modifiers, combination->virtualKey))
        return false;
    registered_ = value;
    return true;
}

void MuteHotkey::Unregister()
{
    if (registered_ == NoHotkey)
        return;
    registrar_.UnregisterHotKey(window_, HotkeyId);
    registered_ = NoHotkey;
}

}  // namespace clavitone
