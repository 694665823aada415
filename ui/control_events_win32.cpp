#include "ui/control_events_win32.h"

#include <commctrl.h>

#include "ui/form_builder_win32.h"

namespace clavitone {

namespace {

// Focus and mouse events: Windows tells the parent of neither, but the
// program has handlers for both.
bool IsControlEvent(UINT message)
{
    return message == WM_SETFOCUS || (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK);
}

// The event on its way to the window (every window lives on the one
// user-interface thread). The window takes it before its handler can open a
// modal loop, so a message posted meanwhile never sees it.
MSG passing{};
bool isPassing = false;

void PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    passing = MSG{};
    passing.hwnd = control;
    passing.message = message;
    passing.wParam = wParam;
    passing.lParam = lParam;
    passing.time = static_cast<DWORD>(GetMessageTime());
    isPassing = true;
    SendMessageA(GetParent(control), WmControlEvent, static_cast<WPARAM>(GetDlgCtrlID(control)), 0);
    isPassing = false;
}

// Standard controls keep their own procedure in GWLP_USERDATA, which they
// leave to the application.
LRESULT CALLBACK ForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    const LRESULT result = CallWindowProcA(original, control, message, wParam, lParam);
    if (IsControlEvent(message))
        PassOn(control, message, wParam, lParam);
    return result;
}

// A picture box sits above the controls it contains, so that the Tab key
// reaches it in its place; the mouse goes through to whatever lies beneath.
bool ControlBeneath(HWND box, LPARAM screenPoint)
{
    const POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    for (HWND below = GetWindow(box, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        RECT area;
        if (IsWindowVisible(below) && IsWindowEnabled(below) && GetWindowRect(below, &area) && PtInRect(&area, at) &&
            SendMessageA(below, WM_NCHITTEST, 0, screenPoint) != HTTRANSPARENT)
            return true;
    }
    return false;
}

}  // namespace

bool TakeControlEvent(WPARAM controlId, MSG& event)
{
    if (!isPassing || static_cast<WPARAM>(GetDlgCtrlID(passing.hwnd)) != controlId)
        return false;
    isPassing = false;
    event = passing;
    return true;
}

void ForwardEvents(HWND control)
{
    const LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetWindowLongPtrA(control, GWLP_USERDATA, original);
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardingProc));
}

// Paints nothing: the options panel has the window's own colour, and pichook
// shows nothing at all.
LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST)
        return ControlBeneath(box, lParam) ? HTTRANSPARENT : HTCLIENT;
    const LRESULT result = DefWindowProcA(box, message, wParam, lParam);
    if (IsControlEvent(message))
        PassOn(box, message, wParam, lParam);
    return result;
}

Control* FormControls::Find(HWND control) const
{
    Control* found = FindById(GetDlgCtrlID(control));
    return found && found->hWnd == reinterpret_cast<WindowHandle>(control) ? found : nullptr;
}

Control* FormControls::FindById(int id) const
{
    const auto position = static_cast<std::size_t>(id - ControlIdBase);
    if (id >= ControlIdBase && position < windows_.size() && windows_[position])
        return &form_.controls[position];
    if (!menu_)
        return nullptr;
    for (Control& control : form_.controls)
        if (control.kind == ControlKind::MenuItem && !control.container.empty() &&
            MenuCommandBase + control.id.index == id)
            return &control;
    return nullptr;
}

void FormControls::UserCommand(int id, int notification)
{
    Control* control = FromUser(id);
    if (!control)
        return;
    HWND window = reinterpret_cast<HWND>(control->hWnd);
    switch (control->kind) {
    case ControlKind::TextBox:
        if (notification == EN_CHANGE)
            control->text = WindowText(window);
        break;
    case ControlKind::HotkeyBox:
        if (notification == EN_CHANGE)
            control->value = static_cast<int>(SendMessageA(window, HKM_GETHOTKEY, 0, 0));
        break;
    case ControlKind::CommandButton:
        if (notification == BN_CLICKED)
            form_.Click(*control);
        break;
    case ControlKind::CheckBox:
        if (notification == BN_CLICKED) {
            control->value = static_cast<int>(SendMessageA(window, BM_GETCHECK, 0, 0));
            form_.Click(*control);
        }
        break;
    // The arrow keys move the choice along the group and click each button they reach.
    case ControlKind::OptionButton:
        if (notification == BN_CLICKED && SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            form_.SetValue(*control, 1);
            form_.Click(*control);
        }
        break;
    case ControlKind::ListBox:
        if (notification == LBN_SELCHANGE)
            form_.SetListIndex(*control, static_cast<int>(SendMessageA(window, LB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
}

void FormControls::UserScroll(HWND trackBar)
{
    Control* control = Find(trackBar);
    if (!control || control->kind != ControlKind::TrackBar || Applying())
        return;
    control->value = static_cast<int>(SendMessageA(trackBar, TBM_GETPOS, 0, 0));
    form_.Click(*control);  // its change event, for whatever shows the value
}

HCURSOR FormControls::Cursor(HWND control) const
{
    const Control* found = Find(control);
    return found && found->pointingHand ? LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)) : nullptr;
}

HBRUSH FormControls::ControlColors(HWND control, HDC dc) const
{
    const Control* found = Find(control);
    if (!found || found->kind != ControlKind::TextBox)
        return nullptr;
    const int color = static_cast<int>(found->backColor);
    SetBkColor(dc, GetSysColor(color));
    return GetSysColorBrush(color);
}

}  // namespace clavitone
