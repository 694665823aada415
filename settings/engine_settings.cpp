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

int ReadNumber(SettingsStore& store, std::string_view key, int low, int high, int fallback)
{
    const auto text = FindSettingsText(store, key);
    const auto number = text ? ParseNumber(*text) : std::nullopt;
    return number && *number >= low && *number <= high ? *number : fallback;
}

}  // namespace

EngineSettings ReadEngineSettings(SettingsStore& store)
{
    return {ReadSwitch(store, SettingSoundEngine), ReadNumber(store, SettingVolume, 0, MaxVolume, MaxVolume),
            ReadSwitch(store, SettingStereoKeys),
            ReadNumber(store, SettingEngineIdleSeconds, MinEngineIdleSeconds, MaxEngineIdleSeconds,
                       DefaultEngineIdleSeconds)};
}

void SaveEngineSettings(SettingsStore& store, const EngineSettings& settings)
{
    SaveSettingsText(store, SettingSoundEngine, settings.mixed ? "1" : "0");
    SaveSettingsNumber(store, SettingVolume, settings.volume);
    SaveSettingsText(store, SettingStereoKeys, settings.stereoKeys ? "1" : "0");
}

}  // namespace clavitone
