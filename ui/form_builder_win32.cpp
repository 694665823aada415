#include "ui/form_builder_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "ui/button_picture.h"
#include "ui/control_events_win32.h"

namespace clavitone {

namespace {

constexpr const char* LineClass = "ClavitoneLine";

constexpr const char* FontFace = "MS Sans Serif";
constexpr int FontHundredthsOfPoint = 825;
constexpr int TwipsPerInch = 1440;
constexpr int IconSize = 32;
constexpr int ListDropDownEntries = 8;
constexpr std::string_view MenuSeparator = "-";
constexpr int TrackBarTicks = 10;  // a tick every tenth of the range

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
    // An option button is a tab stop while it is the chosen one; the button
    // itself moves the stop along as it is checked.
    case ControlKind::OptionButton:
        return {"BUTTON", BS_AUTORADIOBUTTON, 0, true};
    case ControlKind::ListBox:
        return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, true};
    // Its tip shows the value while the slider moves.
    case ControlKind::TrackBar:
        return {TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_TOOLTIPS | WS_TABSTOP, 0, true};
    case ControlKind::HotkeyBox:
        return {HOTKEY_CLASSA, WS_TABSTOP, WS_EX_CLIENTEDGE, true};
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
        // A container is no stop of its own: Tab from the last key goes on
        // to the path box and "Find sound", with the key still shown.
        return {PictureBoxClass, 0, WS_EX_TRANSPARENT, false};
    case ControlKind::Line:
        return {LineClass, 0, 0, false};
    case ControlKind::Image:
    case ControlKind::MenuItem:
        break;
    }
    return {nullptr, 0, 0, false};
}

ScopedFont MakeFont(int twipsPerPixelY, bool bold)
{
    const int height = -MulDiv(FontHundredthsOfPoint, TwipsPerInch / twipsPerPixelY, 7200);
    return ScopedFont(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  FontFace));
}

}  // namespace

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
            control.container.empty() ? nullptr : form_.FindNamed(control.container, control.containerIndex);
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
    // Option buttons of one control array form a group for the arrow keys:
    // the group starts at its first member and ends where the next control starts one.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    const Control* previous = nullptr;
    for (std::size_t position : order) {
        const Control& control = form_.controls[position];
        const bool option = control.kind == ControlKind::OptionButton;
        const bool previousOption = previous && previous->kind == ControlKind::OptionButton;
        const bool startsGroup = option ? !previousOption || previous->id.name != control.id.name : previousOption;
        Create(instance, window, position, startsGroup);
        if (windows_[position])
            previous = &control;
    }

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

bool FormControls::ShowsCaption(const Control& control)
{
    switch (control.kind) {
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
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

std::size_t FormControls::PositionOf(const Control& control) const
{
    const Control* found = form_.FindNamed(control.id.name, control.id.index);
    return found ? static_cast<std::size_t>(found - form_.controls.data()) : NoPosition;
}

bool FormControls::IsInside(std::size_t position, std::size_t container) const
{
    for (std::size_t outer = container_[position]; outer != NoPosition; outer = container_[outer])
        if (outer == container)
            return true;
    return false;
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

void FormControls::Create(HINSTANCE instance, HWND window, std::size_t position, bool startsGroup)
{
    const Control& control = form_.controls[position];
    const Shape shape = ShapeOf(control);
    if (!shape.className)
        return;
    const RECT area = PixelRect(position);
    // A control placed beyond the client area is never seen: Tab passes it by.
    DWORD style = shape.style | (startsGroup ? WS_GROUP : 0);
    // The button Enter presses is drawn as the default one.
    if (control.kind == ControlKind::CommandButton && control.id.name == form_.enterButton)
        style |= BS_DEFPUSHBUTTON;
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
    if (control.kind == ControlKind::TrackBar) {
        SendMessageA(created, TBM_SETRANGE, FALSE, MAKELPARAM(0, control.maxValue));
        SendMessageA(created, TBM_SETTICFREQ, static_cast<WPARAM>(std::max(1, control.maxValue / TrackBarTicks)), 0);
        SendMessageA(created, TBM_SETPAGESIZE, 0, std::max(1, control.maxValue / TrackBarTicks));
    }
    // A letter or digit alone would be taken from every program's typing:
    // a combination without Ctrl or Alt gets Ctrl+Alt.
    if (control.kind == ControlKind::HotkeyBox)
        SendMessageA(created, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
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
    if (Control* parent = form_.FindNamed(entries.front()->container))
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

HICON FormControls::Picture(const Control& control) const
{
    const std::size_t position = PositionOf(control);
    return position == NoPosition ? nullptr : icons_[position].get();
}

}  // namespace clavitone
