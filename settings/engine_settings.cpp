#include "settings/engine_settings.h"

#include "settings/number_text.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

// Only the exact text "1" switches a feature on: anything else keeps the default.
bool ReadSwitch(SettingsStore& store, std::string_view key)
{
    return FindSettingsText(store, key) == "1";
}

int ReadVolume(SettingsStore& store)
{
    const auto text = FindSettingsText(store, SettingVolume);
    const auto number = text ? ParseNumber(*text) : std::nullopt;
    return number && *number >= 0 && *number <= MaxVolume ? *number : MaxVolume;
}

}  // namespace

EngineSettings ReadEngineSettings(SettingsStore& store)
{
    return {ReadSwitch(store, SettingSoundEngine), ReadVolume(store), ReadSwitch(store, SettingStereoKeys)};
}

void SaveEngineSettings(SettingsStore& store, const EngineSettings& settings)
{
    SaveSettingsText(store, SettingSoundEngine, settings.mixed ? "1" : "0");
    SaveSettingsNumber(store, SettingVolume, settings.volume);
    SaveSettingsText(store, SettingStereoKeys, settings.stereoKeys ? "1" : "0");
}

}  // namespace clavitone
