// What the mouse does on the tray icon, and the commands of the tray menu.
#pragma once

#include <functional>

#include "platform/platform.h"
#include "tray/sound_toggle.h"
#include "ui/control_model.h"

namespace clavitone {

inline constexpr std::string_view HelpFileName = "\\Clavitone Help.chm";

// Mouse message numbers the tray callback carries.
inline constexpr int TrayLeftButtonDown = 513;   // WM_LBUTTONDOWN
inline constexpr int TrayLeftDoubleClick = 515;  // WM_LBUTTONDBLCLK
inline constexpr int TrayRightButtonUp = 517;    // WM_RBUTTONUP

struct TrayMenuServices {
    WindowManager& windows;
    Shell& shell;
    Environment& environment;
    WindowLoader& about;  // frmAbout
    WindowFocus& focus;
};

class TrayMenu {
public:
    // unload: frmPref's unloading, which ends the program.
    TrayMenu(TrayMenuServices services, SoundToggle& toggle, FormModel& form, std::function<void()> unload)
        : services_(services), toggle_(toggle), form_(form), unload_(std::move(unload))
    {
    }

    // A mouse action over the icon, reported by the shell to pichook.
    void pichook_MouseMove(int Button, int Shift, float X, float Y);
    void mnuPopUp_Click(int Index);

private:
    void ShowPreferences();
    void OpenMenu();
    void OpenHelp();

    TrayMenuServices services_;
    SoundToggle& toggle_;
    FormModel& form_;
    std::function<void()> unload_;
};

}  // namespace clavitone
