#include "settings/hotkey_setting.h"

#include "settings/number_text.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr unsigned KnownFlags = HotkeyShift | HotkeyControl | HotkeyAlt | HotkeyExtended;

// Shift, Ctrl, Alt and the Windows keys, each side too: pressed alone they
// are no hotkey.
constexpr bool IsModifierKey(unsigned key)
{
    return (key >= 16 && key <= 18) || key == 91 || key == 92 || (key >= 160 && key <= 165);
}

}  // namespace

std::optional<HotkeyCombination> DecodeHotkey(int value)
{
    if (value <= 0 || value > 0xFFFF)
        return std::nullopt;
    const auto key = static_cast<unsigned>(value) & 0xFF;
    const auto flags = static_cast<unsigned>(value) >> 8;
    if (key == 0 || IsModifierKey(key) || (flags & ~KnownFlags) != 0)
        return std::nullopt;
    HotkeyCombination combination{ModNoRepeat, key};
    if (flags & HotkeyShift)
        combination.modifiers |= ModShift;
    if (flags & HotkeyControl)
        combination.modifiers |= ModControl;
    if (flags & HotkeyAlt)
        combination.modifiers |= ModAlt;
    return combination;
}

int ReadMuteHotkey(SettingsStore& store)
{
    const auto text = FindSettingsText(store, SettingMuteHotkey);
    const auto value = text ? ParseNumber(*text) : std::nullopt;
    return value && DecodeHotkey(*value) ? *value : NoHotkey;
}

void SaveMuteHotkey(SettingsStore& store, int value)
{
    SaveSettingsNumber(store, SettingMuteHotkey, DecodeHotkey(value) ? value : NoHotkey);
}

}  // namespace clavitone
