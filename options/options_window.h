// The Options window: the sound engine and its volume, the mute
// hotkey and the quiet rules, shown with the stored values and stored
// together on OK. Cancel, Escape and the close box change nothing.
#pragma once

#include <functional>

#include "options/options_layout.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

struct OptionsServices {
    SettingsStore& store;
    WindowManager& windows;
    MessageBoxes& messages;
    FileDialog& fileDialog;
    WindowFocus& focus;
};

// The mute hotkey the tray holds, as the window needs it: let go while the
// window is open so that its combination reaches the hotkey box, held again
// afterwards, or exchanged for a new one (false: another program holds it).
struct MuteHotkeyHolder {
    std::function<void()> letGo;
    std::function<void()> holdStored;
    std::function<bool(int)> take;
};

class OptionsWindow {
public:
    // pref is frmPref's control tree, the window's owner; form is the
    // window's own (see MakeOptionsForm).
    OptionsWindow(OptionsServices services, MuteHotkeyHolder hotkey, FormModel& pref, FormModel& form);
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    // Opens the window and returns once it is hidden: true when OK stored
    // the values. While it is open the mute hotkey is let go, so that its
    // combination can be typed into the hotkey box. The engine's status is
    // shown as it stands at opening.
    bool Show(const std::string& engineStatus);
    void Ok();
    void Cancel();
    void AddProgram();
    void RemoveProgram();
    void EngineChosen(int Index);
    void ProgramSelected();

private:
    void Fill(const std::string& engineStatus);
    void EnableMixedControls(bool mixed);
    void EnableListButtons();
    void ShowVolume();
    Control& Programs() { return form_(OptionsControl::Programs); }
    void Hide();

    OptionsServices services_;
    MuteHotkeyHolder hotkey_;
    FormModel& pref_;
    FormModel& form_;
    bool stored_ = false;
};

}  // namespace clavitone
