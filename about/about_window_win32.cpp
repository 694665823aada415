#include "about/about_window_win32.h"

#include <string>
#include <vector>

#include "about/about_layout.h"
#include "ui/form_builder_win32.h"

namespace clavitone {

namespace {

constexpr char WindowClass[] = "ClavitoneAbout";
// A fixed frame without a window icon, and a taskbar button while shown.
constexpr DWORD WindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The numbers of the executable's own version resource; none when it has none.
std::string OwnVersionCaption()
{
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
        return {};
    return VersionCaption(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                          HIWORD(info->dwFileVersionLS));
}

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, FormModel& form, frmAbout& about, int twipsPerPixelX,
                         int twipsPerPixelY)
    : instance_(instance), form_(form), about_(about), twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY)
{
}

AboutWindow::~AboutWindow()
{
    form_.changed = nullptr;
}

WindowHandle AboutWindow::Load()
{
    if (window_)
        return form_.hWnd;
    RegisterOwnedWindowClass(instance_, WindowClass, OwnedWindowProcedure<AboutWindow>);

    const RECT frame = CentredWindowRect(TwipsToPixels(form_.clientWidth, twipsPerPixelX_),
                                         TwipsToPixels(form_.clientHeight, twipsPerPixelY_), WindowStyle,
                                         WindowExStyle);
    owned_.reset(CreateWindowExA(WindowExStyle, WindowClass, form_.caption.c_str(), WindowStyle, frame.left,
                                 frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 instance_, this));
    if (!window_)
        return 0;
    form_.hWnd = reinterpret_cast<WindowHandle>(window_);
    controls_ = std::make_unique<FormControls>(instance_, window_, form_, twipsPerPixelX_, twipsPerPixelY_);
    form_.changed = [this](const Control& control) { controls_->Apply(control); };
    form_.SetCaption(form_(AboutControl::lblVersion), OwnVersionCaption());
    return form_.hWnd;
}

LRESULT AboutWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        Command(wParam, lParam);
        return 0;
    case WM_SETCURSOR:
        if (HCURSOR cursor = controls_ ? controls_->Cursor(reinterpret_cast<HWND>(wParam)) : nullptr) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // As in a dialog box: the focus comes back to the control that had it,
        // at first the first one in tab order, "OK".
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            lastFocus_ = IsChild(window_, focus) ? focus : nullptr;
        } else {
            SetFocus(lastFocus_ ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
        }
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void AboutWindow::Command(WPARAM wParam, LPARAM lParam)
{
    // Escape, as in every dialog box, is the close box.
    if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
        Close();
        return;
    }
    if (PressFocusedButtonOnEnter(window_, wParam, lParam))
        return;
    if (HIWORD(wParam) != BN_CLICKED || !controls_ || controls_->Applying())
        return;
    const Control* button = controls_->FindById(LOWORD(wParam));
    if (button && Is(*button, AboutControl::Command))
        about_.Command_Click(button->id.index);
}

void AboutWindow::Close()
{
    std::int16_t cancel = 0;
    about_.Form_QueryUnload(cancel);
}

}  // namespace clavitone
