// Keyboard navigation for our windows, as dialogs have it, but with the
// access keys behind Alt only.
#pragma once

#include <windows.h>

namespace clavitone {

// True when the message was a dialog key of `dialog` (Tab, the arrows, Enter,
// Escape, Alt+letter) and has been handled. A plain character is never taken
// as an access key: the user presses keys here to hear them, and "a" must not
// untick "Automatically launch...".
bool HandleDialogKey(HWND dialog, MSG& message);

}  // namespace clavitone
