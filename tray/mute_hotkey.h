// The mute hotkey: a key combination, registered system-wide for frmPref's
// window, that mutes and unmutes as a left click on the tray icon does.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"
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

// user32's RegisterHotKey and UnregisterHotKey, for one window.
class HotkeyRegistrar {
public:
    virtual ~HotkeyRegistrar() = default;
    // False when another program holds the combination.
    virtual bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void UnregisterHotKey(WindowHandle window, int id) = 0;
};

class MuteHotkey {
public:
    static constexpr int HotkeyId = 1;

    MuteHotkey(HotkeyRegistrar& registrar, SettingsStore& store, const WindowHandle& window)
        : registrar_(registrar), store_(store), window_(window)
    {
    }
    MuteHotkey(const MuteHotkey&) = delete;
    MuteHotkey& operator=(const MuteHotkey&) = delete;

    // Registers the stored hotkey in place of the one held; one that another
    // program holds is left unregistered, silently.
    void Register() { Take(ReadMuteHotkey(store_)); }
    // Holds this hotkey instead of the current one. False, with nothing
    // registered, when another program holds it.
    bool Take(int value);
    void Unregister();
    int Registered() const { return registered_; }

private:
    HotkeyRegistrar& registrar_;
    SettingsStore& store_;
    const WindowHandle& window_;  // frmPref's, known once its window exists
    int registered_ = NoHotkey;
};

}  // namespace clavitone
