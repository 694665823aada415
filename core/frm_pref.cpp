#include "core/frm_pref.h"

#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::uint32_t TrayRecordSize = 88;
constexpr std::uint32_t TrayIconId = 1;

}  // namespace

frmPref::frmPref(PlatformServices services, KeySoundTable& keySound, FormModel& form)
    : platform_(services),
      KeySound(keySound),
      form_(form),
      playback_(keySound, services.sound),
      details_(form, services.store, services.environment, services.focus, keySound),
      browse_(form, services.store, services.environment, services.fileDialog, details_),
      launch_(form, services.store, services.environment, services.registry)
{
    form_.textChange = [this](const Control& box) { Text_Change(box.id.index); };
}

void frmPref::Form_Load()
{
    if (platform_.environment.PrevInstance()) {
        // The running instance is neither told nor brought forward.
        std::int16_t cancel = 0;
        Form_Unload(cancel);
        return;
    }
    platform_.hook.InitHook(hWnd());
    playback_.SoundEnabled = true;
    SetLanguage();
    ComboLoading();
    SetIcon();
    RestoreLaunchBox();
    SoundLoading();
    ClearDetails();
}

void frmPref::Form_Unload(std::int16_t& /*Cancel*/)
{
    // Unloading cannot be refused. In a refused second instance there is no
    // icon and no hook: both removals then fail harmlessly.
    TrayIcon.cbSize = TrayRecordSize;
    TrayIcon.hWnd = form_("pichook").hWnd;
    TrayIcon.uID = TrayIconId;
    platform_.tray.Shell_NotifyIconA(NIM_DELETE, TrayIcon);
    platform_.hook.DeleteHook(hWnd());
    platform_.environment.EndProcess();
}

// There is no language handling beyond the texts read where they are shown.
void frmPref::SetLanguage() {}

// The scheme list comes with scheme switching.
void frmPref::ComboLoading() {}

// The tray icon comes with muting.
void frmPref::SetIcon() {}

// Until schemes exist every key plays its default file in the program folder.
void frmPref::SoundLoading()
{
    const std::string folder = platform_.environment.AppPath();
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            KeySound.Set(code, DefaultSoundPath(folder, code));
}

void frmPref::chkLaunch_GotFocus()
{
    launch_.chkLaunch_GotFocus();
    details_.Deselect();
}

void frmPref::RestoreLaunchBox()
{
    launch_.RestoreLaunchBox();
}

}  // namespace clavitone
