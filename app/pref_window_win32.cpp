#include "app/pref_window_win32.h"

#include <windowsx.h>

#include "keybhook/keybhook_messages.h"
#include "sound/key_playback.h"
#include "ui/dialog_keys_win32.h"
#include "ui/form_builder_win32.h"
#include "ui/pref_layout.h"
#include "ui/top_window_win32.h"

namespace clavitone {

namespace {

constexpr char WindowClass[] = "ClavitonePreferences";
constexpr char OwnerClass[] = "ClavitoneOwner";
constexpr DWORD WindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Broadcast by the Windows shell when it starts again and has forgotten every icon.
constexpr char TaskbarCreatedMessage[] = "TaskbarCreated";

constexpr int MouseLeft = 1;
constexpr int MouseRight = 2;
constexpr int MouseMiddle = 4;

// The engine's idle check and release of former sounds: once a second is
// plenty for a limit counted in seconds.
constexpr UINT_PTR EngineTimer = 1;
constexpr UINT EngineTickMilliseconds = 1000;

// How long ago the last keyboard or mouse input of the session was, in any program.
std::uint64_t IdleMilliseconds()
{
    LASTINPUTINFO last{sizeof last, 0};
    if (!GetLastInputInfo(&last))
        return 0;
    // Both counts wrap after 49.7 days; their difference does not.
    return static_cast<DWORD>(GetTickCount() - last.dwTime);
}

void RegisterClasses(HINSTANCE instance, HICON icon, WNDPROC procedure)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = OwnerClass;
    RegisterClassExA(&windowClass);

    RegisterOwnedWindowClass(instance, WindowClass, procedure, icon, CS_DBLCLKS);
}

// Windows keeps the shell's broadcast from a window of higher integrity, so an
// elevated program would never hear that its icon is gone. The filter call is
// looked up, not linked, so a system without it starts all the same.
void AllowTaskbarCreated(HWND window, UINT message)
{
    using MessageFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto allow = user32 ? reinterpret_cast<MessageFilter>(reinterpret_cast<void*>(
                                    GetProcAddress(user32, "ChangeWindowMessageFilterEx")))
                              : nullptr;
    if (allow && message != 0)
        allow(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace

PrefWindow::PrefWindow(HINSTANCE instance, FormModel& form, frmPref& pref, int twipsPerPixelX, int twipsPerPixelY)
    : form_(form),
      pref_(pref),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      taskbarCreated_(RegisterWindowMessageA(TaskbarCreatedMessage)),
      events_(pref, twipsPerPixelX, twipsPerPixelY)
{
    RegisterClasses(instance, LoadIconA(instance, form.icon.c_str()), OwnedWindowProcedure<PrefWindow>);

    // A window owned by a hidden window gets no taskbar button.
    owner_.reset(CreateWindowExA(0, OwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));

    const RECT frame = CentredWindowRect(TwipsToPixels(form.clientWidth, twipsPerPixelX),
                                         TwipsToPixels(form.clientHeight, twipsPerPixelY), WindowStyle, WindowExStyle);
    CreateWindowExA(WindowExStyle, WindowClass, form.caption.c_str(), WindowStyle, frame.left, frame.top,
                    frame.right - frame.left, frame.bottom - frame.top, owner_.get(), nullptr, instance, this);
    form_.hWnd = reinterpret_cast<WindowHandle>(window_);
    AllowTaskbarCreated(window_, taskbarCreated_);

    controls_ = std::make_unique<FormControls>(instance, window_, form_, twipsPerPixelX, twipsPerPixelY);
    form_.changed = [this](const Control& control) { controls_->Apply(control); };
    SetTimer(window_, EngineTimer, EngineTickMilliseconds, nullptr);
}

PrefWindow::~PrefWindow()
{
    form_.changed = nullptr;
}

int PrefWindow::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab between the controls of whichever window has them; everything
        // else is dispatched there too.
        if (HWND dialog = GetAncestor(message.hwnd, GA_ROOT); dialog && HandleDialogKey(dialog, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT PrefWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        pref_.TaskbarCreated();
        return 0;
    }
    switch (message) {
    case keybhook::WmHookKeyDown:
        if (!KeyEventTooOld(static_cast<std::uint32_t>(lParam), GetTickCount()))
            pref_.Form_KeyDown(static_cast<int>(wParam), 0);
        return 0;
    case keybhook::WmHookKeyUp:
        pref_.Form_KeyUp(static_cast<int>(wParam), 0);
        return 0;
    case WM_HOTKEY:
        pref_.HotkeyPressed(static_cast<int>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == EngineTimer)
            pref_.EngineTick(IdleMilliseconds());
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND)
            pref_.SystemSuspending();
        return TRUE;
    case WM_COMMAND:
        // Escape puts the window away, as " Minimize" does.
        if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
            pref_.Command_Click(0);
            return 0;
        }
        if (!PressFocusedButtonOnEnter(window_, wParam, lParam))
            ControlCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseButton(message, wParam, lParam);
        return 0;
    case WmControlEvent:
        if (MSG event; TakeControlEvent(wParam, event))
            if (Control* control = controls_ ? controls_->Find(event.hwnd) : nullptr)
                events_.ControlEvent(*control, event);
        return 0;
    case WM_SYSCOMMAND:
        // The close box and Alt+F4 put the window away as " Minimize" does:
        // the program lives on in the tray, whose menu is the way out.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            pref_.Command_Click(0);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        events_.WindowFocused(window_);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = controls_ ? controls_->ControlColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)) : nullptr)
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ENDSESSION:
        if (!wParam)
            break;
        [[fallthrough]];  // logging off unloads the window like any other unloading
    case WM_CLOSE: {
        pref_.Form_Unload();
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void PrefWindow::MouseButton(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const int button = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? MouseLeft
                       : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? MouseRight
                                                                                 : MouseMiddle;
    const float x = static_cast<float>(GET_X_LPARAM(lParam) * twipsPerPixelX_);
    const float y = static_cast<float>(GET_Y_LPARAM(lParam) * twipsPerPixelY_);
    if (down)
        pref_.Form_MouseDown(button, MouseShiftState(wParam), x, y);
    else
        pref_.Form_MouseUp(button, MouseShiftState(wParam), x, y);
}

// The user's picks and clicks become the model's: a pick in the scheme list
// is a selection like any other, and the model decides whether it is a click.
// The list is read again as it closes, since cancelling it may put back the
// entry it had without a selection change.
// The buttons that toggle themselves, and "Find sound", go to their handlers.
void PrefWindow::ControlCommand(int id, int notification, HWND sender)
{
    Control* control = controls_ ? controls_->FromUser(id) : nullptr;
    if (!control)
        return;
    if (control->kind == ControlKind::ComboList && (notification == CBN_SELCHANGE || notification == CBN_CLOSEUP))
        form_.SetListIndex(*control, static_cast<int>(SendMessageA(reinterpret_cast<HWND>(control->hWnd), CB_GETCURSEL, 0, 0)));
    else if (control->kind == ControlKind::CommandButton && Is(*control, PrefControl::Command) &&
             notification == BN_CLICKED)
        form_.Click(*control);
    else
        events_.Command(*control, static_cast<WORD>(notification), sender);
}

}  // namespace clavitone
