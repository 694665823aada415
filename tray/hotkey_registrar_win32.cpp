#include "tray/hotkey_registrar_win32.h"

#include <windows.h>
#include <commctrl.h>

namespace clavitone {

static_assert(ModAlt == MOD_ALT && ModControl == MOD_CONTROL && ModShift == MOD_SHIFT && ModNoRepeat == MOD_NOREPEAT);
static_assert(HotkeyShift == HOTKEYF_SHIFT && HotkeyControl == HOTKEYF_CONTROL && HotkeyAlt == HOTKEYF_ALT &&
              HotkeyExtended == HOTKEYF_EXT);

bool WinHotkeys::RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey)
{
    return ::RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, virtualKey) != FALSE;
}

void WinHotkeys::UnregisterHotKey(WindowHandle window, int id)
{
    ::UnregisterHotKey(reinterpret_cast<HWND>(window), id);
}

}  // namespace clavitone
