// The messages keybhook.dll posts to the window it was installed for. They are
// private (WM_APP range) so that the window's own WM_KEYDOWN, when it has the
// focus itself, is never taken for a second copy of the same key.
#pragma once

namespace keybhook {

constexpr unsigned WmApp = 0x8000;
// wParam: virtual-key code, modifiers folded to 16 (Shift), 17 (Ctrl), 18 (Alt).
// lParam: the key event's time stamp, on the clock of GetTickCount.
constexpr unsigned WmHookKeyDown = WmApp + 0x4B0;
constexpr unsigned WmHookKeyUp = WmApp + 0x4B1;

}  // namespace keybhook
