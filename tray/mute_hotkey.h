// The mute hotkey: a key combination, registered system-wide for frmPref's
// window, that mutes and unmutes as a left click on the tray icon does.
#pragma once

#include "platform/platform.h"
#include "settings/hotkey_setting.h"
#include "settings/settings_store.h"

namespace clavitone {

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
