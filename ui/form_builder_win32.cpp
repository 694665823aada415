#include "ui/form_builder_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <string>

#include "ui/button_picture.h"

namespace clavitone {

namespace {

constexpr std::size_t NoPosition = std::numeric_limits<std::size_t>::max();

constexpr const char* PictureBoxClass = "ClavitonePictureBox";
constexpr const char* LineClass = "ClavitoneLine";

constexpr const char* FontFace = "MS Sans Serif";
constexpr int FontHundredthsOfPoint = 825;
constexpr int TwipsPerInch = 1440;
constexpr int IconSize = 32;
constexpr int ListDropDownEntries = 8;
constexpr std::string_view MenuSeparator = "-";
constexpr int Grayed = BST_INDETERMINATE;

// Focus and mouse events: Windows tells the parent of neither, but the
// program has handlers for both.
bool IsControlEvent(UINT message)
{
    return message == WM_SETFOCUS || (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK);
}

void PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG event{};
    event.hwnd = control;
    event.message = message;
    event.wParam = wParam;
    event.lParam = lParam;
    event.time = static_cast<DWORD>(GetMessageTime());
    SendMessageA(GetParent(control), WmControlEvent, static_cast<WPARAM>(GetDlgCtrlID(control)),
                 reinterpret_cast<LPARAM>(&event));
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

void ForwardEvents(HWND control)
{
    const LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetWindowLongPtrA(control, GWLP_USERDATA, original);
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardingProc));
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

// A line is a one-pixel strip filled with its system colour, passed at creation.
LRESULT CALLBACK LineProc(HWND line, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(line, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(line, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area,
                 GetSysColorBrush(static_cast<int>(GetWindowLongPtrA(line, GWLP_USERDATA))));
        return 1;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    }
    return DefWindowProcA(line, message, wParam, lParam);
}

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    // Every form registers them; the second registration fails harmlessly.
    RegisterClassExA(&windowClass);
}

struct Shape {
    const char* className;  // null: no window of its own
    DWORD style;
    DWORD exStyle;
    bool forwardsEvents;    // a standard control that can take the focus
};

Shape ShapeOf(const Control& control)
{
    switch (control.kind) {
    case ControlKind::CheckBox:
        return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, true};
    case ControlKind::KeyButton:
        return {"BUTTON", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP | (control.picture.empty() ? 0u : BS_ICON), 0,
                true};
    case ControlKind::CommandButton:
        return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true};
    case ControlKind::ComboList:
        return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, true};
    case ControlKind::TextBox:
        return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, true};
    case ControlKind::Label:
        return {"STATIC", SS_LEFT, 0, false};
    // Neither a group box nor a picture box paints its inside. As transparent
    // windows they are not clipped out of the parent, which paints it for them
    // even with WS_CLIPCHILDREN.
    case ControlKind::Frame:
        return {"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT, false};
    case ControlKind::PictureBox:
        // One with a picture shows only that, sunk into the surface.
        if (!control.picture.empty())
            return {"STATIC", SS_BITMAP | SS_CENTERIMAGE, WS_EX_CLIENTEDGE, false};
        return {PictureBoxClass, WS_TABSTOP, WS_EX_TRANSPARENT, false};
    case ControlKind::Line:
        return {LineClass, 0, 0, false};
    case ControlKind::Image:
    case ControlKind::MenuItem:
        break;
    }
    return {nullptr, 0, 0, false};
}

bool ShowsCaption(const Control& control)
{
    switch (control.kind) {
    case ControlKind::CheckBox:
    case ControlKind::CommandButton:
    case ControlKind::Label:
    case ControlKind::Frame:
        return true;
    case ControlKind::KeyButton:
        return control.picture.empty();
    default:
        return false;
    }
}

// Setting an unchanged text would still move the caret and report a change.
void SetText(HWND window, const std::string& text)
{
    if (WindowText(window) != text)
        SetWindowTextA(window, text.c_str());
}

std::vector<std::string> ListEntries(HWND list)
{
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    std::vector<std::string> entries(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto length = static_cast<std::size_t>(std::max<LRESULT>(SendMessageA(list, CB_GETLBTEXTLEN, i, 0), 0));
        entries[i].resize(length + 1);
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entries[i].data()));
        entries[i].resize(length);
    }
    return entries;
}

void SetList(HWND list, const Control& control)
{
    if (ListEntries(list) != control.items) {
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : control.items)
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
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

ScopedFont MakeFont(int twipsPerPixelY, bool bold)
{
    const int height = -MulDiv(FontHundredthsOfPoint, TwipsPerInch / twipsPerPixelY, 7200);
    return ScopedFont(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  FontFace));
}

}  // namespace

std::string WindowText(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

class FormControls::ApplyingScope {
public:
    explicit ApplyingScope(FormControls& owner) : owner_(owner) { ++owner_.applying_; }
    ~ApplyingScope() { --owner_.applying_; }
    ApplyingScope(const ApplyingScope&) = delete;
    ApplyingScope& operator=(const ApplyingScope&) = delete;

private:
    FormControls& owner_;
};

FormControls::FormControls(HINSTANCE instance, HWND window, FormModel& form, int twipsPerPixelX, int twipsPerPixelY)
    : form_(form),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      regular_(MakeFont(twipsPerPixelY, false)),
      bold_(MakeFont(twipsPerPixelY, true))
{
    ApplyingScope applying(*this);
    RegisterWindowClass(instance, PictureBoxClass, &PictureBoxProc);
    RegisterWindowClass(instance, LineClass, &LineProc);

    const std::size_t count = form_.controls.size();
    container_.assign(count, NoPosition);
    icons_.resize(count);
    bitmaps_.resize(count);
    windows_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Control& control = form_.controls[i];
        const Control* outer =
            control.container.empty() ? nullptr : form_.Find(control.container, control.containerIndex);
        if (outer)
            container_[i] = PositionOf(*outer);
        if (control.picture.empty())
            continue;
        if (control.kind == ControlKind::PictureBox) {
            bitmaps_[i].reset(static_cast<HBITMAP>(
                LoadImageA(instance, control.picture.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
            continue;
        }
        // A button's picture must leave its raised edge free.
        const int size = control.kind == ControlKind::KeyButton ? ButtonPictureSize(twipsPerPixelY) : IconSize;
        icons_[i].reset(static_cast<HICON>(
            LoadImageA(instance, control.picture.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        form_.controls[i].pictureHandle = reinterpret_cast<IconHandle>(icons_[i].get());
    }

    // New child windows go to the bottom of the z-order, and the Tab key walks
    // the z-order from the top: creating in tab order gives the model's order.
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int tabA = form_.controls[a].tabIndex;
        const int tabB = form_.controls[b].tabIndex;
        return tabA >= 0 && (tabB < 0 || tabA < tabB);
    });
    for (std::size_t position : order)
        Create(instance, window, position);

    // A group box is never a tab stop: it can go below everything it surrounds.
    for (std::size_t i = 0; i < count; ++i)
        if (form_.controls[i].kind == ControlKind::Frame && windows_[i])
            SetWindowPos(windows_[i].get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    BuildMenu();
    AddToolTips(instance, window);
    for (const Control& control : form_.controls)
        Apply(control);
}

FormControls::~FormControls()
{
    for (Control& control : form_.controls) {
        control.hWnd = 0;
        control.pictureHandle = 0;
    }
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

HICON FormControls::Picture(const Control& control) const
{
    const std::size_t position = PositionOf(control);
    return position == NoPosition ? nullptr : icons_[position].get();
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

std::size_t FormControls::PositionOf(const Control& control) const
{
    const Control* found = form_.Find(control.id.name, control.id.index);
    return found ? static_cast<std::size_t>(found - form_.controls.data()) : NoPosition;
}

bool FormControls::IsInside(std::size_t position, std::size_t container) const
{
    for (std::size_t outer = container_[position]; outer != NoPosition; outer = container_[outer])
        if (outer == container)
            return true;
    return false;
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

RECT FormControls::PixelRect(std::size_t position) const
{
    const TwipRect& rect = form_.controls[position].rect;
    int left = rect.left;
    int top = rect.top;
    for (std::size_t outer = container_[position]; outer != NoPosition; outer = container_[outer]) {
        left += form_.controls[outer].rect.left;
        top += form_.controls[outer].rect.top;
    }
    const int x = TwipsToPixels(left, twipsPerPixelX_);
    const int y = TwipsToPixels(top, twipsPerPixelY_);
    // A line of no height is still drawn one pixel thick.
    const int height = std::max(TwipsToPixels(rect.height, twipsPerPixelY_),
                                form_.controls[position].kind == ControlKind::Line ? 1 : 0);
    return {x, y, x + TwipsToPixels(rect.width, twipsPerPixelX_), y + height};
}

void FormControls::Create(HINSTANCE instance, HWND window, std::size_t position)
{
    const Control& control = form_.controls[position];
    const Shape shape = ShapeOf(control);
    if (!shape.className)
        return;
    const RECT area = PixelRect(position);
    // A control placed beyond the client area is never seen: Tab passes it by.
    DWORD style = shape.style;
    if (area.left >= TwipsToPixels(form_.clientWidth, twipsPerPixelX_) ||
        area.top >= TwipsToPixels(form_.clientHeight, twipsPerPixelY_))
        style &= ~static_cast<DWORD>(WS_TABSTOP);
    const auto id = static_cast<INT_PTR>(ControlIdBase + static_cast<int>(position));
    void* creationData = control.kind == ControlKind::Line
                             ? reinterpret_cast<void*>(static_cast<INT_PTR>(control.lineColor))
                             : nullptr;
    HWND created = CreateWindowExA(shape.exStyle, shape.className, ShowsCaption(control) ? control.caption.c_str() : "",
                                   WS_CHILD | WS_VISIBLE | style, area.left, area.top, area.right - area.left,
                                   area.bottom - area.top, window, reinterpret_cast<HMENU>(id), instance, creationData);
    if (!created)
        return;
    windows_[position].reset(created);
    form_.controls[position].hWnd = reinterpret_cast<WindowHandle>(created);

    SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(control.bold ? bold_.get() : regular_.get()), FALSE);
    if (shape.forwardsEvents)
        ForwardEvents(created);
    if (control.kind == ControlKind::TextBox && control.maxLength > 0)
        SendMessageA(created, EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
    if (control.kind == ControlKind::KeyButton && icons_[position])
        SendMessageA(created, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons_[position].get()));
    if (bitmaps_[position])
        SendMessageA(created, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmaps_[position].get()));
    if (control.kind == ControlKind::ComboList) {
        // A drop-down list's window height is the height of the list when open.
        const auto entry = static_cast<int>(SendMessageA(created, CB_GETITEMHEIGHT, 0, 0));
        SetWindowPos(created, nullptr, 0, 0, area.right - area.left,
                     area.bottom - area.top + ListDropDownEntries * entry + 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormControls::BuildMenu()
{
    std::vector<const Control*> entries;
    for (const Control& control : form_.controls)
        if (control.kind == ControlKind::MenuItem && !control.container.empty())
            entries.push_back(&control);
    if (entries.empty())
        return;
    std::sort(entries.begin(), entries.end(),
              [](const Control* a, const Control* b) { return a->id.index < b->id.index; });

    menu_.reset(CreatePopupMenu());
    for (const Control* entry : entries)
        AppendMenuA(menu_.get(), entry->caption == MenuSeparator ? MF_SEPARATOR : MF_STRING,
                    static_cast<UINT_PTR>(MenuCommandBase + entry->id.index), entry->caption.c_str());
    // The hidden parent entry stands for its pop-up menu.
    if (Control* parent = form_.Find(entries.front()->container))
        parent->hWnd = reinterpret_cast<WindowHandle>(menu_.get());
}

// One tool tip window serves every control that has a tip; it watches the
// mouse over them by itself.
void FormControls::AddToolTips(HINSTANCE instance, HWND window)
{
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const std::string& tip = form_.controls[i].toolTipText;
        if (tip.empty() || !windows_[i])
            continue;
        if (!toolTips_) {
            const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
            InitCommonControlsEx(&classes);
            toolTips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                                            nullptr, instance, nullptr));
        }
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;  // the layout every version of the common controls takes
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(windows_[i].get());
        tool.lpszText = const_cast<char*>(tip.c_str());
        SendMessageA(toolTips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
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
        if (SendMessageA(window, BM_GETCHECK, 0, 0) != control.value)
            SendMessageA(window, BM_SETCHECK, static_cast<WPARAM>(control.value), 0);
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
