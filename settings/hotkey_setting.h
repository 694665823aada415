// "MuteHotkey": a hotkey control's value as it is stored, and what
// RegisterHotKey makes of it.
#pragma once

#include <optional>
#include <string_view>

#include "settings/settings_store.h"

namespace clavitone {

inline constexpr std::string_view SettingMuteHotkey = "MuteHotkey";

// The hotkey control's value: the virtual key in the low byte, the HOTKEYF_
// flags in the high byte.
inline constexpr unsigned HotkeyShift = 0x01;
inline constexpr unsigned HotkeyControl = 0x02;
inline constexpr unsigned HotkeyAlt = 0x04;
inline constexpr unsigned HotkeyExtended = 0x08;
inline constexpr int NoHotkey = 0;

// RegisterHotKey's modifiers, with their Windows values.
inline constexpr unsigned ModAlt = 0x0001;
inline constexpr unsigned ModControl = 0x0002;
inline constexpr unsigned ModShift = 0x0004;
inline constexpr unsigned ModNoRepeat = 0x4000;

struct HotkeyCombination {
    unsigned modifiers = 0;  // Mod*
    unsigned virtualKey = 0;
    bool operator==(const HotkeyCombination&) const = default;
};

// A hotkey control value as RegisterHotKey takes it. None for 0, for a value
// that is no hotkey control value at all, for a missing key and for a
// modifier key alone. Holding the combination down toggles once.
std::optional<HotkeyCombination> DecodeHotkey(int value);
// "MuteHotkey" as stored: a decimal hotkey control value, kept only when it
// names a hotkey; anything else reads as none.
int ReadMuteHotkey(SettingsStore& store);
void SaveMuteHotkey(SettingsStore& store, int value);

}  // namespace clavitone
