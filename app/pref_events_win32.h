// Notifications and focus changes of frmPref's controls, turned into calls of
// its handlers: the key buttons, the details area, the start-with-Windows box,
// the tray callback box and the tray menu.
#pragma once

#include <windows.h>

#include "app/frm_pref.h"
#include "ui/control_model.h"

namespace clavitone {

// Shift state of a mouse event as the mouse handlers take it: 1 Shift, 2 Ctrl, 4 Alt.
int MouseShiftState(WPARAM keys);

class WinWindowFocus final : public WindowFocus {
public:
    void SetFocus(WindowHandle window) override;
};

class PrefEvents {
public:
    PrefEvents(frmPref& pref, int twipsPerPixelX, int twipsPerPixelY);

    // WM_COMMAND from a control, when it is not the echo of the program's own change.
    void Command(Control& control, WORD notification, HWND sender);
    // A focus or mouse event of a control (FormControls' WmControlEvent).
    void ControlEvent(const Control& control, const MSG& event);
    // The window itself got the focus. Like a dialog, it hands the focus back
    // to the control that had it last, so that closing a modal dialog (the
    // file dialog above all) does not count as a focus change of its own, or
    // else to its first control.
    void WindowFocused(HWND window);

private:
    void GotFocus(const Control& control);

    frmPref& pref_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
    HWND lastFocus_ = nullptr;
};

}  // namespace clavitone
