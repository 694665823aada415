#include "ui/top_window_win32.h"

namespace clavitone {

RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

bool PressFocusedButtonOnEnter(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != IDOK || HIWORD(wParam) != BN_CLICKED || lParam != 0)
        return false;
    HWND focus = GetFocus();
    if (IsChild(window, focus) && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(focus, BM_CLICK, 0, 0);
    return true;
}

void RegisterOwnedWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon, UINT style)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

}  // namespace clavitone
