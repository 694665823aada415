// How keys are played beyond the classic one-sound-at-a-time call: the mixing
// engine, its volume and stereo placement. Absent or malformed values read as
// the defaults, which keep the classic path exactly.
#pragma once

#include <string_view>

#include "settings/settings_store.h"

namespace clavitone {

inline constexpr std::string_view SettingSoundEngine = "SoundEngine";
inline constexpr std::string_view SettingVolume = "Volume";
inline constexpr std::string_view SettingStereoKeys = "StereoKeys";
inline constexpr std::string_view SettingEngineIdleSeconds = "EngineIdleSeconds";

inline constexpr int MaxVolume = 100;
inline constexpr int MinEngineIdleSeconds = 5;
inline constexpr int MaxEngineIdleSeconds = 3600;
inline constexpr int DefaultEngineIdleSeconds = 120;

struct EngineSettings {
    bool mixed = false;      // "SoundEngine" "1"
    int volume = MaxVolume;  // "Volume" "0" to "100"
    bool stereoKeys = false; // "StereoKeys" "1"
    // "EngineIdleSeconds": with no input anywhere for this long the stream stops.
    int idleSeconds = DefaultEngineIdleSeconds;

    bool operator==(const EngineSettings&) const = default;
};

EngineSettings ReadEngineSettings(SettingsStore& store);
void SaveEngineSettings(SettingsStore& store, const EngineSettings& settings);

}  // namespace clavitone
