#include "schemes/sound_table_loader.h"

#include "schemes/scheme_names.h"
#include "settings/number_text.h"
#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int Released = 0;
constexpr int Grayed = 2;  // shown as half pressed; the key is silent as when pressed

// A button takes only its three states; anything else stored counts as a
// key that sounds.
int KeyState(const std::string& stored)
{
    const auto state = ParseNumber(stored);
    return state && *state >= Released && *state <= Grayed ? *state : DefaultKeyState;
}

}  // namespace

SoundTableLoader::SoundTableLoader(SettingsStore& store, Environment& environment, FormModel& pref,
                                   KeySoundTable& keySound, SoundEngine* engine)
    : store_(store), environment_(environment), pref_(pref), KeySound(keySound), engine_(engine)
{
    for (int code = 0; code < KeySoundTable::SlotCount; ++code)
        buttons_[static_cast<std::size_t>(code)] = pref_.Find(PrefControl::chkSound, code);
}

void SoundTableLoader::SoundLoading()
{
    for (const KeyRange range : SchemeKeyCodes)
        LoadKeyRange(range.first, range.last);
    if (engine_)
        engine_->Preload();
}

void SoundTableLoader::LoadKeyRange(int first, int last)
{
    const std::string programFolder = environment_.AppPath();
    for (int code = first; code <= last; ++code)
        if (KeySoundTable::HasSlot(code))
            LoadKey(code, programFolder);
}

void SoundTableLoader::LoadKey(int code, const std::string& programFolder)
{
    int state = KeyState(store_.GetSetting(AppName, SectionSettings, StateKey(CurrentSchemeName(pref_), code),
                                          DefaultKeyState));
    if (Control* button = buttons_[static_cast<std::size_t>(code)]) {
        if (button->value != state)
            pref_.SetValue(*button, state);
        state = button->value;
    }
    if (state != Released) {
        KeySound.Set(code, {});
        KeySound.Variants().Clear(code);
        return;
    }
    KeySound.Set(code, GetSettingsText(store_, PathKey(CurrentSchemeName(pref_), code),
                                       DefaultSoundPath(programFolder, code)));
    auto [morePress, release] = ReadKeyVariants(store_, CurrentSchemeName(pref_), code);
    KeySound.Variants().Set(code, std::move(morePress), std::move(release));
}

}  // namespace clavitone
