// The resident window's behaviour: start-up, shut-down and the events that
// reach it. The Win32 layer creates the real window and forwards to this.
#pragma once

#include <cstdint>

#include "options/options_window.h"
#include "options/quiet_rules.h"
#include "platform/platform.h"
#include "prefs/key_details.h"
#include "prefs/launch_box.h"
#include "prefs/sound_browse.h"
#include "schemes/frm_saveas.h"
#include "schemes/pack_import.h"
#include "schemes/scheme_deleting.h"
#include "schemes/scheme_list.h"
#include "schemes/sound_table_loader.h"
#include "settings/settings_store.h"
#include "sound/key_playback.h"
#include "sound/key_sound.h"
#include "sound/sound_engine.h"
#include "tray/mute_hotkey.h"
#include "tray/notify_icon.h"
#include "tray/sound_toggle.h"
#include "tray/tray_menu.h"
#include "ui/control_model.h"

namespace clavitone {

struct PlatformServices {
    SoundPlayer& sound;
    KeyboardHook& hook;
    TrayShell& tray;
    Environment& environment;
    SettingsStore& store;
    WindowFocus& focus;
    FileDialog& fileDialog;
    RegistryWriter& registry;
    MessageBoxes& messages;
    WindowManager& windows;
    Shell& shell;
    WindowLoader& about;  // frmAbout
    AudioDevice& audio;   // the mixing engine's output
    HotkeyRegistrar& hotkeys;
    ForegroundProbe& foreground;
    FileSystem& files;
    CodePage& codePage;
    EventLog& log;
    AudioDecoder& decoder;  // a sound pack's audio, in a process of its own
};

class frmPref {
public:
    // The form model is frmPref's control tree (see MakePrefForm); its handles
    // must be set before Form_Load runs. saveasForm is frmSaveas's (see MakeSaveasForm),
    // optionsForm the Options window's (see MakeOptionsForm).
    frmPref(PlatformServices services, KeySoundTable& keySound, FormModel& form, FormModel& saveasForm,
            FormModel& optionsForm);
    frmPref(const frmPref&) = delete;
    frmPref& operator=(const frmPref&) = delete;

    void Form_Load();
    void Form_Unload();

    void Form_KeyDown(int keyCode, int shift) { playback_.Form_KeyDown(keyCode, shift); }
    void Form_KeyUp(int keyCode, int shift) { playback_.Form_KeyUp(keyCode, shift); }
    void Form_MouseDown(int button, int shift, float x, float y) { playback_.Form_MouseDown(button, shift, x, y); }
    void Form_MouseUp(int button, int shift, float x, float y) { playback_.Form_MouseUp(button, shift, x, y); }

    void GoSound(const std::optional<std::string>& Sound) { playback_.GoSound(Sound); }
    bool SoundEnabled() const { return playback_.SoundEnabled; }
    std::int16_t KeyHeld() const { return playback_.KeyHeld; }

    void SetLanguage();
    void ComboLoading() { schemes_.ComboLoading(); }
    void SetIcon();
    void SoundLoading() { loading_.SoundLoading(); }
    // Re-reads "SoundEngine", "Volume" and "StereoKeys" and applies them at once.
    void ApplyEngineSettings();
    const SoundEngine& Engine() const { return engine_; }
    void ClearDetails() { details_.ClearDetails(); }
    void chkLaunch_Click() { launch_.chkLaunch_Click(); }
    void chkLaunch_GotFocus();
    void Form_GotFocus() { details_.Deselect(); }

    void chkSound_Click(int Index) { details_.chkSound_Click(Index); }
    void chkSound_GotFocus(int Index) { details_.chkSound_GotFocus(Index); }
    void chkSound_MouseDown(int Index, int Button, int Shift, float X, float Y)
    {
        details_.chkSound_MouseDown(Index, Button, Shift, X, Y);
    }
    void Combo_GotFocus(int /*Index*/) { details_.Deselect(); }
    void Command_GotFocus(int /*Index*/) { details_.Deselect(); }
    void picOptions_GotFocus(int /*Index*/) { details_.Deselect(); }
    void Text_Change(int Index);
    void cmdBrowse_Click(int Index) { browse_.cmdBrowse_Click(Index); }
    std::string OpenFile(const std::string& FileExtension, const std::int16_t& BrowseNumber, const std::string& fname)
    {
        return browse_.OpenFile(FileExtension, BrowseNumber, fname);
    }

    std::int16_t KeySelected() const { return details_.KeySelected; }
    std::int16_t SelectedKey() const { return details_.SelectedKey; }
    const std::string& SelectedKeyName() const { return details_.SelectedKeyName; }
    void Combo_Click(std::int16_t Index) { schemes_.Combo_Click(Index); }
    void Command_Click(std::int16_t Index);
    void ImportPack();
    void cmdImport_GotFocus() { details_.Deselect(); }

    void pichook_MouseMove(int button, int shift, float x, float y) { menu_.pichook_MouseMove(button, shift, x, y); }
    void mnuPopUp_Click(int index) { menu_.mnuPopUp_Click(index); }
    void ToggleSound() { toggle_.ToggleSound(); }
    // The Windows shell restarted: the icon is added again as it stands.
    void TaskbarCreated() { trayIcon_.Restore(); }
    const NotifyIconRecord& TrayIcon() const { return trayIcon_.Record(); }

    // A hotkey registered for the window was pressed: the mute hotkey toggles
    // as a left click on the tray icon does.
    void HotkeyPressed(int id);
    // What the Options window stored takes effect at once.
    void OptionsApplied();

    // About once a second, with how long ago the last keyboard or mouse input
    // anywhere was: the engine rests its stream once the user has been idle.
    void EngineTick(std::uint64_t idleMilliseconds) { engine_.Tick(idleMilliseconds); }
    // The system is suspending: no stream may hold it awake.
    void SystemSuspending() { engine_.Suspend(); }

private:
    void RestoreLaunchBox();
    void ControlClicked(Control& control);
    WindowHandle hWnd() const { return form_.hWnd; }

    PlatformServices platform_;
    FormModel& form_;
    SoundEngine engine_;
    KeyPlayback playback_;
    KeyDetails details_;
    SoundBrowse browse_;
    LaunchBox launch_;
    SoundTableLoader loading_;
    SchemeList schemes_;
    frmSaveas saveas_;
    SchemeDeleting deleting_;
    PackImport import_;
    NotifyIcon trayIcon_;
    SoundToggle toggle_;
    TrayMenu menu_;
    MuteHotkey hotkey_;
    QuietRules quiet_;
    OptionsWindow options_;
};

}  // namespace clavitone
