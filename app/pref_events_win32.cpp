#include "app/pref_events_win32.h"

#include <windowsx.h>

#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int MouseLeft = 1;
constexpr int MouseRight = 2;
constexpr int MouseMiddle = 4;

int MouseButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return MouseLeft;
    case WM_RBUTTONDOWN:
        return MouseRight;
    case WM_MBUTTONDOWN:
        return MouseMiddle;
    default:
        return 0;
    }
}

// Buttons held during a mouse move: 1 left, 2 right, 4 middle.
int MouseButtonsHeld(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? MouseLeft : 0) | ((keys & MK_RBUTTON) ? MouseRight : 0) |
           ((keys & MK_MBUTTON) ? MouseMiddle : 0);
}

}  // namespace

int MouseShiftState(WPARAM keys)
{
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

void WinWindowFocus::SetFocus(WindowHandle window)
{
    HWND target = reinterpret_cast<HWND>(window);
    ::SetFocus(target);
    // A text box given the focus back comes with its text selected, so that
    // typing replaces it.
    if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(target, EM_SETSEL, 0, -1);
}

PrefEvents::PrefEvents(frmPref& pref, int twipsPerPixelX, int twipsPerPixelY)
    : pref_(pref), twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY)
{
}

void PrefEvents::Command(Control& control, WORD notification, HWND sender)
{
    // A menu command's notification is 0, as BN_CLICKED is.
    if (notification != BN_CLICKED)
        return;
    if (control.kind == ControlKind::MenuItem) {
        pref_.mnuPopUp_Click(control.id.index);
        return;
    }
    if (Is(control, PrefControl::chkSound) || Is(control, PrefControl::chkLaunch)) {
        // The button has toggled itself; the model learns the user's state.
        control.value = static_cast<int>(SendMessageA(sender, BM_GETCHECK, 0, 0));
        if (Is(control, PrefControl::chkSound))
            pref_.chkSound_Click(control.id.index);
        else
            pref_.chkLaunch_Click();
    } else if (Is(control, PrefControl::cmdBrowse)) {
        pref_.cmdBrowse_Click(control.id.index);
    } else if (Is(control, PrefControl::cmdImport)) {
        pref_.ImportPack();
    }
}

void PrefEvents::ControlEvent(const Control& control, const MSG& event)
{
    if (event.message == WM_SETFOCUS) {
        lastFocus_ = event.hwnd;
        GotFocus(control);
        return;
    }
    // The tray reports mouse actions over the icon as WM_MOUSEMOVE to
    // pichook, with the mouse message number as x.
    if (event.message == WM_MOUSEMOVE && Is(control, PrefControl::pichook)) {
        pref_.pichook_MouseMove(MouseButtonsHeld(event.wParam), MouseShiftState(event.wParam),
                                static_cast<float>(GET_X_LPARAM(event.lParam) * twipsPerPixelX_),
                                static_cast<float>(GET_Y_LPARAM(event.lParam) * twipsPerPixelY_));
        return;
    }
    const int button = MouseButtonDown(event.message);
    if (button && Is(control, PrefControl::chkSound))
        pref_.chkSound_MouseDown(control.id.index, button, MouseShiftState(event.wParam),
                                 static_cast<float>(GET_X_LPARAM(event.lParam) * twipsPerPixelX_),
                                 static_cast<float>(GET_Y_LPARAM(event.lParam) * twipsPerPixelY_));
}

void PrefEvents::WindowFocused(HWND window)
{
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    // Shown for the first time, the window's first control in tab order
    // takes the focus, so that Tab goes on from there.
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
        SetFocus(first);
        return;
    }
    pref_.Form_GotFocus();
}

// The path box and "Find sound" have no focus handler: moving to them keeps
// the key shown.
void PrefEvents::GotFocus(const Control& control)
{
    const int index = control.id.index;
    if (Is(control, PrefControl::chkSound))
        pref_.chkSound_GotFocus(index);
    else if (Is(control, PrefControl::Combo))
        pref_.Combo_GotFocus(index);
    else if (Is(control, PrefControl::Command))
        pref_.Command_GotFocus(index);
    else if (Is(control, PrefControl::cmdImport))
        pref_.cmdImport_GotFocus();
    else if (Is(control, PrefControl::picOptions))
        pref_.picOptions_GotFocus(index);
    else if (Is(control, PrefControl::chkLaunch))
        pref_.chkLaunch_GotFocus();
}

}  // namespace clavitone
