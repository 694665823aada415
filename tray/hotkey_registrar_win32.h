// RegisterHotKey and UnregisterHotKey as the mute hotkey asks for them;
// Windows then posts WM_HOTKEY to the window.
#pragma once

#include "tray/mute_hotkey.h"

namespace clavitone {

class WinHotkeys final : public HotkeyRegistrar {
public:
    bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) override;
    void UnregisterHotKey(WindowHandle window, int id) override;
};

}  // namespace clavitone
