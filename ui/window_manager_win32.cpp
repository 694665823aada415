#include "ui/window_manager_win32.h"

#include <algorithm>

#include "platform/scoped_win32.h"
#include "ui/dialog_keys_win32.h"
#include "ui/form_builder_win32.h"
#include "ui/top_window_win32.h"

namespace clavitone {

namespace {

constexpr char ModalFormClass[] = "ClavitoneModalForm";
constexpr DWORD ModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_DISABLED;
constexpr DWORD ModalExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

static_assert(WindowHide == SW_HIDE && WindowShowNormal == SW_SHOWNORMAL && WindowShow == SW_SHOW &&
              WindowMinimize == SW_MINIMIZE && TpmRightButton == TPM_RIGHTBUTTON);

// Centred on the owner, but never off the screen's work area.
void CentreOn(HWND window, HWND owner)
{
    RECT outer{};
    RECT own{};
    RECT work{};
    if (!GetWindowRect(owner, &outer) || !GetWindowRect(window, &own))
        return;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = std::clamp<int>(outer.left + (outer.right - outer.left - width) / 2, work.left,
                                     std::max<int>(work.left, work.right - width));
    const int top = std::clamp<int>(outer.top + (outer.bottom - outer.top - height) / 2, work.top,
                                    std::max<int>(work.top, work.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

class WinWindowManager::ModalForm {
public:
    ModalForm(HINSTANCE instance, FormModel& form, HWND owner, int twipsPerPixelX, int twipsPerPixelY);
    ~ModalForm();
    ModalForm(const ModalForm&) = delete;
    ModalForm& operator=(const ModalForm&) = delete;

    FormModel& Form() const { return form_; }
    HWND Window() const { return window_.get(); }

    // Returns once the form's handlers have hidden the window.
    void RunModal();
    // Gives the owner its input back; the window is about to be hidden.
    void EndModal();

private:
    friend WinWindowManager;
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ControlCommand(int id, int notification, HWND control);
    void DialogKey(bool enter);
    void RestoreFocus();

    FormModel& form_;
    HWND owner_;
    ScopedWindow window_;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the form last lost it
    std::unique_ptr<FormControls> controls_;  // destroyed before the window that holds them
};

WinWindowManager::ModalForm::ModalForm(HINSTANCE instance, FormModel& form, HWND owner, int twipsPerPixelX,
                                       int twipsPerPixelY)
    : form_(form), owner_(owner)
{
    RECT frame{0, 0, TwipsToPixels(form.clientWidth, twipsPerPixelX), TwipsToPixels(form.clientHeight, twipsPerPixelY)};
    AdjustWindowRectEx(&frame, ModalStyle, FALSE, ModalExStyle);
    CreateWindowExA(ModalExStyle, ModalFormClass, form.caption.c_str(), ModalStyle, 0, 0, frame.right - frame.left,
                    frame.bottom - frame.top, owner, nullptr, instance, this);
    if (!window_)
        return;
    form_.hWnd = reinterpret_cast<WindowHandle>(window_.get());
    controls_ = std::make_unique<FormControls>(instance, window_.get(), form_, twipsPerPixelX, twipsPerPixelY);
    form_.changed = [this](const Control& control) { controls_->Apply(control); };
}

WinWindowManager::ModalForm::~ModalForm()
{
    form_.changed = nullptr;
    controls_.reset();
    form_.hWnd = 0;
}

void WinWindowManager::ModalForm::RunModal()
{
    HWND dialog = window_.get();
    if (!dialog || IsWindowVisible(dialog))
        return;
    SetWindowTextA(dialog, form_.caption.c_str());
    CentreOn(dialog, owner_);
    EnableWindow(owner_, FALSE);
    EnableWindow(dialog, TRUE);
    lastFocus_ = nullptr;
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    RestoreFocus();

    MSG message;
    while (IsWindowVisible(dialog)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see it too
            break;
        }
        if (HandleDialogKey(dialog, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EndModal();
}

void WinWindowManager::ModalForm::EndModal()
{
    // The owner comes back before the dialog goes, so that it is the window
    // Windows activates next, not some other program's.
    if (!IsWindowEnabled(owner_))
        EnableWindow(owner_, TRUE);
    if (IsWindowEnabled(window_.get()))
        EnableWindow(window_.get(), FALSE);
}

// As in a dialog box, the focus goes back to the control that had it, at
// first the first tab stop; a text box comes back with its text selected, so
// that typing replaces it (also after a message about what was typed).
void WinWindowManager::ModalForm::RestoreFocus()
{
    HWND target = lastFocus_ && IsWindowEnabled(lastFocus_) ? lastFocus_
                                                            : GetNextDlgTabItem(window_.get(), nullptr, FALSE);
    if (!target || !controls_)
        return;
    SetFocus(target);
    if (const Control* control = controls_->Find(target); control && control->kind == ControlKind::TextBox)
        SendMessageA(target, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK WinWindowManager::ModalFormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ModalForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_.reset(window);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ModalForm*>(GetWindowLongPtrA(window, 0));
    return self ? self->Handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT WinWindowManager::ModalForm::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // The dialog keys' Enter and Escape arrive here as IDOK and IDCANCEL,
        // which no control has: they press the buttons the form binds to them.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            DialogKey(LOWORD(wParam) == IDOK);
        else
            ControlCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID:
        // Asked as the focus leaves a push button, so that Enter's button
        // is drawn as the default one again.
        if (const Control* button = form_.FindNamed(form_.enterButton); button && button->hWnd)
            return MAKELRESULT(GetDlgCtrlID(reinterpret_cast<HWND>(button->hWnd)), DC_HASDEFID);
        break;
    case WM_HSCROLL:
        if (controls_ && lParam)
            controls_->UserScroll(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            lastFocus_ = IsChild(window, focus) ? focus : nullptr;
        } else {
            RestoreFocus();
        }
        return 0;
    case WM_CLOSE:
        // The window stays; what the close box means is the form's own business.
        if (form_.closeRequested)
            form_.closeRequested();
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = controls_ ? controls_->ControlColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)) : nullptr)
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, 0, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void WinWindowManager::ModalForm::ControlCommand(int id, int notification, HWND /*control*/)
{
    if (controls_)
        controls_->UserCommand(id, notification);
}

// A form that binds Enter has it press the push button with the focus, as
// on any form, and otherwise its Enter button. A form that binds neither key
// (the save dialog) ignores both.
void WinWindowManager::ModalForm::DialogKey(bool enter)
{
    const std::string& name = enter ? form_.enterButton : form_.escapeButton;
    if (!controls_ || name.empty())
        return;
    Control* button = form_.FindNamed(name);
    if (Control* focused = enter ? controls_->Find(GetFocus()) : nullptr;
        focused && focused->kind == ControlKind::CommandButton)
        button = focused;
    if (button && button->enabled)
        form_.Click(*button);
}

WinWindowManager::WinWindowManager(HINSTANCE instance, int twipsPerPixelX, int twipsPerPixelY)
    : instance_(instance), twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY)
{
    RegisterOwnedWindowClass(instance, ModalFormClass, ModalFormProcedure);
}

WinWindowManager::~WinWindowManager() = default;

void WinWindowManager::ShowWindow(WindowHandle window, int command)
{
    HWND target = reinterpret_cast<HWND>(window);
    if (command == SW_HIDE)
        for (const auto& form : forms_)
            if (form->Window() == target)
                form->EndModal();
    ::ShowWindow(target, command);
    // Showing an open window changes nothing on its own: one that lies behind
    // another must still come to the front when the user asks for it.
    if (command == SW_SHOWNORMAL)
        ::SetForegroundWindow(target);
}

void WinWindowManager::SetForegroundWindow(WindowHandle window)
{
    ::SetForegroundWindow(reinterpret_cast<HWND>(window));
}

HWND WinWindowManager::menuOwner_ = nullptr;
bool WinWindowManager::menuCancelled_ = false;

LRESULT CALLBACK WinWindowManager::WatchCancelMode(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_CANCELMODE && sent->hwnd == menuOwner_)
            menuCancelled_ = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WinWindowManager::PopupMenu(WindowHandle owner, WindowHandle menu, unsigned flags, int defaultEntry)
{
    HWND window = reinterpret_cast<HWND>(owner);
    HMENU popup = reinterpret_cast<HMENU>(menu);
    SetMenuDefaultItem(popup, static_cast<UINT>(MenuCommandBase + defaultEntry), FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // The click on the tray icon can move the focus to the tray only after
    // the menu has opened; the window is then told to cancel its modes, the
    // menu closes at once and the user sees nothing. It is opened once more
    // when that ends it early, without a choice.
    constexpr DWORD StolenWithinMs = 1000;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD opened = GetTickCount();
        menuOwner_ = window;
        menuCancelled_ = false;
        {
            const ScopedHook watch(SetWindowsHookExA(WH_CALLWNDPROC, WatchCancelMode, nullptr, GetCurrentThreadId()));
            TrackPopupMenu(popup, flags, pointer.x, pointer.y, 0, window, nullptr);
        }
        MSG choice;
        if (!menuCancelled_ || PeekMessageA(&choice, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) ||
            GetTickCount() - opened > StolenWithinMs)
            break;
        ::SetForegroundWindow(window);
    }
    // Lets the menu of a background program close at the next click
    // elsewhere, also when it is opened again later.
    PostMessageA(window, WM_NULL, 0, 0);
}

void WinWindowManager::ShowModal(FormModel& form, WindowHandle owner)
{
    auto found = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return &f->Form() == &form; });
    if (found == forms_.end()) {
        forms_.push_back(std::make_unique<ModalForm>(instance_, form, reinterpret_cast<HWND>(owner), twipsPerPixelX_,
                                                     twipsPerPixelY_));
        found = std::prev(forms_.end());
    }
    (*found)->RunModal();
}

}  // namespace clavitone
