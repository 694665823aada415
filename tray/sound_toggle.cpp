#include "tray/sound_toggle.h"

#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view TipSoundsOff = "Progoff";
constexpr std::string_view TipSoundsOn = "Progon";
constexpr int MuteEntry = 1;

void SetEnabled(FormModel& form, Control& control, bool enabled)
{
    form.Update(control, [enabled](Control& c) { c.enabled = enabled; });
}

void SetMuteTick(FormModel& form, bool ticked)
{
    form.Update(form(PrefControl::mnuPopUp, MuteEntry), [ticked](Control& entry) { entry.checked = ticked; });
}

}  // namespace

void SoundToggle::ToggleSound()
{
    if (playback_.SoundEnabled)
        SwitchOff();
    else
        SwitchOn();
}

// With the hook removed no key event reaches the program at all. The scheme
// controls go grey, but the Minimize button and the start-up box stay usable.
void SoundToggle::SwitchOff()
{
    playback_.SoundEnabled = false;
    playback_.SoundSwitched();
    SetMuteTick(form_, true);
    hook_.DeleteHook(form_.hWnd);
    SetEnabled(form_, form_(PrefControl::picOptions, 0), false);
    EnableSchemeControls(false);
    icon_.ShowSoundState(false, GetLanguageText(store_, TipSoundsOff));
}

// Sounds come back before the hook does, so the first key it delivers plays.
// "Delete scheme" follows the scheme list's rule again: enabled it would
// ignore clicks on a built-in scheme or an empty list.
void SoundToggle::SwitchOn()
{
    playback_.SoundEnabled = true;
    playback_.SoundSwitched();
    EnableSchemeControls(true);
    SetMuteTick(form_, false);
    SetEnabled(form_, form_(PrefControl::picOptions, 0), true);
    icon_.ShowSoundState(true, GetLanguageText(store_, TipSoundsOn));
    hook_.InitHook(form_.hWnd);
}

void SoundToggle::EnableSchemeControls(bool enabled)
{
    SetEnabled(form_, form_(PrefControl::Frame, 0), enabled);
    SetEnabled(form_, form_(PrefControl::Command, 1), enabled);
    if (enabled)
        applyDeleteRule_();
    else
        SetEnabled(form_, form_(PrefControl::Command, 2), false);
}

}  // namespace clavitone
