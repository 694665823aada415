#include "ui/dialog_keys_win32.h"

namespace clavitone {

bool HandleDialogKey(HWND dialog, MSG& message)
{
    // Tab, Enter and Escape arrive as key-down messages, which still go to the
    // dialog manager; only the printable characters that follow are kept
    // from it.
    if (message.message == WM_CHAR && message.wParam >= 0x20)
        return false;
    return IsDialogMessageA(dialog, &message) != FALSE;
}

}  // namespace clavitone
