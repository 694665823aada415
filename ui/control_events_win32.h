// Focus and mouse events of the controls, which Windows reports to the control
// alone, carried to the top-level window that has handlers for them.
#pragma once

#include <windows.h>

namespace clavitone {

// Sent to the top-level window after a control that can take the focus (and
// every picture box) has handled WM_SETFOCUS or a mouse message (WM_MOUSEMOVE
// to WM_MBUTTONDBLCLK): wParam is the control id, lParam carries nothing. The
// window takes the event itself with TakeControlEvent during the call. This
// carries the GotFocus and MouseDown events and pichook's tray callbacks (the
// tray posts its callback message, WM_MOUSEMOVE, to pichook).
inline constexpr UINT WmControlEvent = WM_APP + 0x100;

// The event being passed on, once: any program can post WmControlEvent, so the
// message itself carries no pointer, and one that does not come from a
// control of ours (nothing being passed on, or another control's id) finds
// nothing to take.
bool TakeControlEvent(WPARAM controlId, MSG& event);

// The window class of picture boxes without a picture: they pass their events
// on and let the mouse through to the controls beneath them.
inline constexpr const char* PictureBoxClass = "ClavitonePictureBox";
LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Makes a standard control pass its focus and mouse events on.
void ForwardEvents(HWND control);

}  // namespace clavitone
