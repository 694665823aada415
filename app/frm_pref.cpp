#include "app/frm_pref.h"

#include <chrono>
#include <vector>

#include "options/quiet_settings.h"
#include "settings/engine_settings.h"
#include "settings/settings_layout.h"
#include "sound/key_pan.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int MinimizeCommand = 0;
constexpr int SaveAsCommand = 1;
constexpr int DeleteCommand = 2;
constexpr int OptionsCommand = 3;
constexpr std::string_view ImportedWhileMuted =
    "The pack is imported and its scheme is selected, but key sounds are off. Click the tray icon to switch them on.";

// Each key sounds from where its button sits on the keyboard picture.
PanTable KeyButtonPans(const FormModel& form)
{
    std::vector<KeyCentre> centres;
    for (int code = 0; code < KeySoundTable::SlotCount; ++code)
        if (const Control* button = form.Find(PrefControl::chkSound, code))
            centres.push_back({code, button->rect.left + button->rect.width / 2});
    return KeyPanTable(centres);
}

}  // namespace

frmPref::frmPref(PlatformServices services, KeySoundTable& keySound, FormModel& form, FormModel& saveasForm,
                 FormModel& optionsForm)
    : platform_(services),
      form_(form),
      engine_(services.audio, keySound, services.log),
      playback_(keySound, services.sound, &engine_),
      details_(form, services.store, services.environment, services.focus, keySound),
      browse_(form, services.store, services.environment, services.fileDialog, details_),
      launch_(form, services.store, services.environment, services.registry),
      loading_(services.store, services.environment, form, keySound, &engine_),
      schemes_(services.store, form, loading_),
      saveas_(services.store, services.windows, services.messages, services.focus, form, saveasForm),
      deleting_(services.store, services.messages, services.windows, services.files, form),
      import_({services.store, services.files, services.codePage, services.fileDialog, services.messages, services.log,
               services.decoder},
              form),
      trayIcon_(services.tray, form),
      toggle_(playback_, trayIcon_, services.hook, services.store, form, [&form] { UpdateDeleteCommand(form); }),
      menu_({services.windows, services.shell, services.environment, services.about, services.focus}, toggle_, form,
            [this] { Form_Unload(); }),
      hotkey_(services.hotkeys, services.store, form.hWnd),
      quiet_(services.foreground),
      options_({services.store, services.windows, services.messages, services.fileDialog, services.focus},
               {[this] { hotkey_.Unregister(); }, [this] { hotkey_.Register(); },
                [this](int value) { return hotkey_.Take(value); }},
               form, optionsForm)
{
    playback_.SetQuietGate(&quiet_);
    // Each run picks among a key's sounds in its own order.
    playback_.SeedVariations(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    form_.textChange = [this](const Control& box) {
        if (Is(box, PrefControl::Text))
            Text_Change(box.id.index);
    };
    form_.clicked = [this](Control& control) { ControlClicked(control); };
    engine_.SetPanTable(KeyButtonPans(form_));
}

void frmPref::Form_Load()
{
    if (platform_.environment.PrevInstance()) {
        // The running instance is neither told nor brought forward.
        Form_Unload();
        return;
    }
    platform_.log.Write("Clavitone started");
    platform_.hook.InitHook(hWnd());
    playback_.SoundEnabled = true;
    // The stream opens before the sounds load, so they are converted to its rate.
    ApplyEngineSettings();
    SetLanguage();
    ComboLoading();
    SetIcon();
    RestoreLaunchBox();
    SoundLoading();
    ClearDetails();
    // Beyond the classic start-up: the mute hotkey (left unregistered,
    // silently, when another program holds it) and the quiet rules.
    hotkey_.Register();
    quiet_.Apply(ReadQuietSettings(platform_.store));
}

void frmPref::Form_Unload()
{
    // Unloading cannot be refused. In a refused second instance there is no
    // icon and no hook: both removals then fail harmlessly.
    trayIcon_.Remove();
    platform_.hook.DeleteHook(hWnd());
    hotkey_.Unregister();
    quiet_.Stop();
    // The stream's thread is stopped and joined here: ending the process
    // under it, in the middle of the audio system's calls, can crash there.
    engine_.SetSoundEnabled(false);
    platform_.environment.EndProcess();
}

// While muted the new scheme is selected behind a greyed list: the user is
// told why it does not sound.
void frmPref::ImportPack()
{
    const std::size_t schemes = form_(PrefControl::Combo, 0).items.size();
    import_.ImportPack();
    if (!playback_.SoundEnabled && form_(PrefControl::Combo, 0).items.size() > schemes)
        platform_.messages.MessageBoxA(form_.hWnd, std::string(ImportedWhileMuted), "Clavitone",
                                       MessageOkOnly | MessageInformation);
}

void frmPref::ApplyEngineSettings()
{
    engine_.SetSoundEnabled(playback_.SoundEnabled);
    engine_.Apply(ReadEngineSettings(platform_.store));
}

void frmPref::Text_Change(int Index)
{
    details_.Text_Change(Index);
    // Only the edited key's file is read: the others are kept.
    engine_.Preload();
}

// There is no language handling beyond the texts read where they are shown.
void frmPref::SetLanguage() {}

void frmPref::SetIcon()
{
    trayIcon_.SetIcon();
}

void frmPref::chkLaunch_GotFocus()
{
    launch_.chkLaunch_GotFocus();
    details_.Deselect();
}

void frmPref::Command_Click(std::int16_t Index)
{
    switch (Index) {
    case MinimizeCommand:
        deleting_.Minimize();
        break;
    case SaveAsCommand:
        saveas_.Show();
        break;
    case DeleteCommand:
        deleting_.DeleteScheme();
        break;
    case OptionsCommand:
        if (options_.Show(engine_.Status()))
            OptionsApplied();
        break;
    default:
        break;
    }
}

void frmPref::HotkeyPressed(int id)
{
    if (id == MuteHotkey::HotkeyId)
        ToggleSound();
}

// What OK stored takes effect at once, without a restart.
void frmPref::OptionsApplied()
{
    hotkey_.Register();
    quiet_.Apply(ReadQuietSettings(platform_.store));
    ApplyEngineSettings();
}

void frmPref::RestoreLaunchBox()
{
    launch_.RestoreLaunchBox();
}

// Clicks of the control arrays go to their one handler with the index.
void frmPref::ControlClicked(Control& control)
{
    const auto index = static_cast<std::int16_t>(control.id.index);
    if (Is(control, PrefControl::Combo))
        Combo_Click(index);
    else if (Is(control, PrefControl::Command))
        Command_Click(index);
}

}  // namespace clavitone
