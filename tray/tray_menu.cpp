#include "tray/tray_menu.h"

#include <string>

#include "tray/notify_icon.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

enum MenuEntry { Mute = 1, Preferences = 2, Help = 3, About = 4, ExitProgram = 8 };

// No tray entry has number 0: a double click does nothing beyond the toggle
// of its first press.
constexpr int NoEntry = 0;

}  // namespace

void TrayMenu::pichook_MouseMove(int /*Button*/, int /*Shift*/, float X, float /*Y*/)
{
    switch (TrayMouseMessage(X, services_.environment.TwipsPerPixelX())) {
    case TrayLeftButtonDown:
        toggle_.ToggleSound();
        break;
    case TrayRightButtonUp:
        OpenMenu();
        break;
    case TrayLeftDoubleClick:
        mnuPopUp_Click(NoEntry);
        break;
    default:
        break;
    }
}

void TrayMenu::mnuPopUp_Click(int Index)
{
    switch (Index) {
    case Mute:
        toggle_.ToggleSound();
        break;
    case Preferences:
        ShowPreferences();
        break;
    case Help:
        OpenHelp();
        break;
    case About:
        services_.windows.ShowWindow(services_.about.Load(), WindowShowNormal);
        break;
    case ExitProgram:
        unload_();
        break;
    default:
        break;
    }
}

// The window opens on the scheme list, never on " Minimize", where Space or
// Enter would put it away at once.
void TrayMenu::ShowPreferences()
{
    services_.windows.ShowWindow(form_.hWnd, WindowShowNormal);
    if (const Control& list = form_(PrefControl::Combo, 0); list.enabled)
        services_.focus.SetFocus(list.hWnd);
}

// A menu of a window in the background would stay open after a click
// elsewhere: the window comes to the foreground first.
void TrayMenu::OpenMenu()
{
    services_.windows.SetForegroundWindow(form_.hWnd);
    services_.windows.PopupMenu(form_.hWnd, form_(PrefControl::mnuDummy).hWnd, TpmRightButton, Mute);
}

// The folder as the platform reports it: a drive's root keeps its own
// separator, giving two in a row, which the shell accepts.
void TrayMenu::OpenHelp()
{
    const std::string file = services_.environment.AppPath() + std::string(HelpFileName);
    services_.shell.ShellExecuteA(form_.hWnd, "open", file.c_str(), nullptr, nullptr, WindowShow);
}

}  // namespace clavitone
