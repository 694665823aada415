#include "core/frm_pref.h"

#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr int Unticked = 0;
constexpr int Ticked = 1;

}  // namespace

frmPref::frmPref(PlatformServices services, KeySoundTable& keySound, FormModel& form)
    : platform_(services),
      KeySound(keySound),
      form_(form),
      playback_(keySound, services.sound),
      trayIcon_(services.tray, form),
      toggle_(playback_, trayIcon_, services.hook, services.store, form),
      menu_({services.windows, services.shell, services.environment, services.about}, toggle_, form, [this] {
          std::int16_t cancel = 0;
          Form_Unload(cancel);
      })
{
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
    trayIcon_.Remove();
    platform_.hook.DeleteHook(hWnd());
    platform_.environment.EndProcess();
}

// There is no language handling beyond the texts read where they are shown.
void frmPref::SetLanguage() {}

// The scheme list comes with scheme switching.
void frmPref::ComboLoading() {}

void frmPref::SetIcon()
{
    trayIcon_.SetIcon();
}

// Until schemes exist every key plays its default file in the program folder.
void frmPref::SoundLoading()
{
    const std::string folder = platform_.environment.AppPath();
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            KeySound.Set(code, DefaultSoundPath(folder, code));
}

// The details area comes with key selection.
void frmPref::ClearDetails() {}

// Writing the Run value comes with the start-with-Windows option.
void frmPref::chkLaunch_Click() {}

void frmPref::RestoreLaunchBox()
{
    std::int16_t stored = GetSettingsNumber(platform_.store, SettingChkLaunch, DefaultChkLaunch);
    if (stored != Unticked && stored != Ticked)
        stored = DefaultChkLaunch;
    Control& box = form_("chkLaunch");
    if (box.value == stored)
        return;
    // Assigning the box's value is a click, as it would be for the user.
    form_.SetValue(box, stored);
    chkLaunch_Click();
}

}  // namespace clavitone
