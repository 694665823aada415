// The resident window's behaviour: start-up, shut-down and the events that
// reach it. The Win32 layer creates the real window and forwards to this.
#pragma once

#include <cstdint>

#include "core/key_playback.h"
#include "core/key_sound.h"
#include "core/platform.h"
#include "schemes/scheme_deleting.h"
#include "schemes/scheme_list.h"
#include "schemes/scheme_saving.h"
#include "schemes/sound_loading.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

struct PlatformServices {
    SoundPlayer& sound;
    KeyboardHook& hook;
    TrayShell& tray;
    Environment& environment;
    SettingsStore& store;
    MessageBoxes& messages;
    WindowManager& windows;
};

class frmPref {
public:
    // The form model is frmPref's control tree (see MakePrefForm); its handles
    // must be set before Form_Load runs. saveasForm is frmSaveas's (see MakeSaveasForm).
    frmPref(PlatformServices services, KeySoundTable& keySound, FormModel& form, FormModel& saveasForm);
    frmPref(const frmPref&) = delete;
    frmPref& operator=(const frmPref&) = delete;

    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);

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
    void ClearDetails();
    void chkLaunch_Click();
    void Combo_Click(std::int16_t Index) { schemes_.Combo_Click(Index); }
    void Command_Click(std::int16_t Index);

    NotifyIconRecord TrayIcon;

private:
    void RestoreLaunchBox();
    void ControlClicked(Control& control);
    WindowHandle hWnd() const { return form_.hWnd; }

    PlatformServices platform_;
    KeySoundTable& KeySound;
    FormModel& form_;
    KeyPlayback playback_;
    SoundTableLoader loading_;
    SchemeList schemes_;
    frmSaveas saveas_;
    SchemeDeleting deleting_;
};

}  // namespace clavitone
