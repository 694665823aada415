// What the program's top-level windows share: their first place on the
// screen, and a window procedure that hands every message to the object that
// owns the window.
#pragma once

#include <windows.h>

namespace clavitone {

// The outer rectangle of a window with a client area of this size in pixels,
// centred in the screen's work area.
RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// Enter reaches a window that is not a dialog as the dialog manager's IDOK
// with no control behind it. As on any form, it then presses the push button
// that has the focus. True when WM_COMMAND's wParam and lParam were that.
bool PressFocusedButtonOnEnter(HWND window, WPARAM wParam, LPARAM lParam);

// Window procedure of a class whose windows each belong to one Owner: the
// owner is CreateWindowEx's creation data and is kept in the window's extra
// bytes (the class needs room for a pointer). It is told Attach(window) when
// the window is made, and Handle(message, wParam, lParam) of every message
// from then on.
template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        owner->Attach(window);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, 0));
    return owner ? owner->Handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

// Registers a class for OwnedWindowProcedure: room for the owner, the arrow
// pointer and a form's button-face background.
void RegisterOwnedWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon = nullptr,
                              UINT style = 0);

}  // namespace clavitone
