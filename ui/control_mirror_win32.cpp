#include "ui/form_builder_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace clavitone {

namespace {

constexpr int Grayed = BST_INDETERMINATE;

// Setting an unchanged text would still move the caret and report a change.
void SetText(HWND window, const std::string& text)
{
    if (WindowText(window) != text)
        SetWindowTextA(window, text.c_str());
}

void AddEntry(HWND list, const std::string& entry)
{
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

std::vector<std::string> ListBoxEntries(HWND list)
{
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    std::vector<std::string> entries(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto length = static_cast<std::size_t>(std::max<LRESULT>(SendMessageA(list, LB_GETTEXTLEN, i, 0), 0));
        entries[i].resize(length + 1);
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entries[i].data()));
        entries[i].resize(length);
    }
    return entries;
}

void SetListBox(HWND list, const Control& control)
{
    if (ListBoxEntries(list) != control.items) {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : control.items)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (SendMessageA(list, LB_GETCURSEL, 0, 0) != control.listIndex)
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(control.listIndex), 0);
}

// The model changes a list only by appending one entry, removing one or
// clearing them all, and each change reaches the mirror at once. So an entry
// more than the control holds is an append and is added alone: filling a list
// of n entries costs n messages, not n squared. Any other difference in count
// refills the list; an equal count means the control is up to date.
void SetList(HWND list, const Control& control)
{
    const LRESULT shown = SendMessageA(list, CB_GETCOUNT, 0, 0);
    const auto wanted = static_cast<LRESULT>(control.items.size());
    if (shown >= 0 && shown + 1 == wanted) {
        AddEntry(list, control.items.back());
    } else if (shown != wanted) {
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : control.items)
            AddEntry(list, item);
    }
    if (SendMessageA(list, CB_GETCURSEL, 0, 0) != control.listIndex)
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(control.listIndex), 0);
}

// A plain check box cannot show the greyed state; it takes the three-state
// type while greyed, so that the user's next click clears it.
void SetCheckBoxType(HWND box, int value)
{
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    const LONG type = value == Grayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
    if ((style & BS_TYPEMASK) != type)
        SendMessageA(box, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
}

void SetReadOnly(HWND edit, bool locked)
{
    if (((GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0) != locked)
        SendMessageA(edit, EM_SETREADONLY, locked, 0);
}

// Size in pixels of a one-line text in the control's font; the width has the
// pixel that the grey, embossed look of a disabled caption adds.
SIZE CaptionSize(HWND control, const std::string& text)
{
    SIZE size{};
    HDC dc = GetDC(control);
    if (!dc)
        return size;
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    ++size.cx;
    return size;
}

// A label one line high would wrap a caption longer than its laid-out width
// out of sight. It then reaches further right, as far as its container leaves
// room, and takes its own width again once the caption fits.
void FitLabel(HWND label, const std::string& caption, const RECT& laidOut, int rightLimit)
{
    const SIZE text = CaptionSize(label, caption);
    const int height = static_cast<int>(laidOut.bottom - laidOut.top);
    if (text.cy == 0 || height >= 2 * text.cy)
        return;  // room for more lines: the label wraps as laid out
    const int laidOutWidth = static_cast<int>(laidOut.right - laidOut.left);
    const int room = rightLimit - static_cast<int>(laidOut.left);
    const int width = std::max(laidOutWidth, std::min(static_cast<int>(text.cx), room));
    RECT now;
    GetWindowRect(label, &now);
    if (now.right - now.left == width)
        return;
    SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);  // the caption was laid out for the old width
}

}  // namespace

std::string WindowText(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void FormControls::Apply(const Control& control)
{
    const std::size_t position = PositionOf(control);
    if (position == NoPosition)
        return;
    ApplyingScope applying(*this);
    if (control.kind == ControlKind::MenuItem) {
        ApplyMenuItem(control);
        return;
    }
    for (std::size_t i = 0; i < windows_.size(); ++i)
        if (i == position || IsInside(i, position))
            ApplyAvailability(i);
    HWND window = windows_[position].get();
    if (!window)
        return;
    ApplyState(control, window);
    if (control.kind == ControlKind::Label)
        FitLabel(window, control.caption, PixelRect(position), RightLimit(position));
}

// The right edge a control may reach: its container's, less the margin the
// control keeps on its left inside it.
int FormControls::RightLimit(std::size_t position) const
{
    const std::size_t outer = container_[position];
    if (outer == NoPosition)
        return TwipsToPixels(form_.clientWidth, twipsPerPixelX_);
    const RECT inner = PixelRect(position);
    const RECT container = PixelRect(outer);
    return static_cast<int>(container.right - (inner.left - container.left));
}

// A disabled or hidden container disables or hides all it holds; here every
// control is a direct child of the window, so the state is passed down.
bool FormControls::ShownEnabled(std::size_t position) const
{
    for (std::size_t at = position; at != NoPosition; at = container_[at])
        if (!form_.controls[at].enabled)
            return false;
    return true;
}

bool FormControls::ShownVisible(std::size_t position) const
{
    for (std::size_t at = position; at != NoPosition; at = container_[at])
        if (!form_.controls[at].visible)
            return false;
    return true;
}

void FormControls::ApplyAvailability(std::size_t position)
{
    HWND window = windows_[position].get();
    if (!window)
        return;
    const bool enabled = ShownEnabled(position);
    if ((IsWindowEnabled(window) != FALSE) != enabled)
        EnableWindow(window, enabled);
    const bool visible = ShownVisible(position);
    if (((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0) != visible)
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void FormControls::ApplyState(const Control& control, HWND window)
{
    if (ShowsCaption(control))
        SetText(window, control.caption);
    switch (control.kind) {
    case ControlKind::CheckBox:
        SetCheckBoxType(window, control.value);
        [[fallthrough]];
    case ControlKind::KeyButton:
    case ControlKind::OptionButton:
        if (SendMessageA(window, BM_GETCHECK, 0, 0) != control.value)
            SendMessageA(window, BM_SETCHECK, static_cast<WPARAM>(control.value), 0);
        break;
    case ControlKind::TrackBar:
        if (SendMessageA(window, TBM_GETPOS, 0, 0) != control.value)
            SendMessageA(window, TBM_SETPOS, TRUE, control.value);
        break;
    case ControlKind::HotkeyBox:
        if (SendMessageA(window, HKM_GETHOTKEY, 0, 0) != control.value)
            SendMessageA(window, HKM_SETHOTKEY, static_cast<WPARAM>(control.value), 0);
        break;
    case ControlKind::ListBox:
        SetListBox(window, control);
        break;
    case ControlKind::TextBox:
        SetText(window, control.text);
        SetReadOnly(window, control.locked);
        InvalidateRect(window, nullptr, TRUE);  // the back colour may have changed
        break;
    case ControlKind::ComboList:
        SetList(window, control);
        break;
    default:
        break;
    }
}

void FormControls::ApplyMenuItem(const Control& control)
{
    if (!menu_ || control.container.empty())
        return;
    const auto command = static_cast<UINT>(MenuCommandBase + control.id.index);
    CheckMenuItem(menu_.get(), command, MF_BYCOMMAND | (control.checked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu_.get(), command, MF_BYCOMMAND | (control.enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace clavitone
