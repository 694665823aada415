// Where every value lives in the settings store. The installer writes the same
// names, so they are a permanent contract: nothing else composes a key.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace clavitone {

inline constexpr std::string_view AppName = "Clavitone";
inline constexpr std::string_view SectionSettings = "Settings";
inline constexpr std::string_view SectionLanguage = "Language";

inline constexpr std::string_view SettingSchemesQuantity = "SchemesQuantity";
inline constexpr std::string_view SettingLastScheme = "LastScheme";
inline constexpr std::string_view SettingChkLaunch = "chkLaunch";
inline constexpr std::string_view SettingSelected = "Selected";

// Readers' defaults for absent values.
inline constexpr std::int16_t DefaultSchemesQuantity = 1;
inline constexpr std::int16_t DefaultLastScheme = 0;
inline constexpr std::int16_t DefaultChkLaunch = 1;
inline constexpr std::int16_t DefaultKeyState = 0;
inline constexpr std::string_view NoSoundPath = "None";  // shown and stored for a key without a file

// The key buttons of the right-hand Shift, Ctrl and Alt: no virtual-key codes
// of their own, each stands in for 16, 17 or 18.
inline constexpr int SecondShift = 216;
inline constexpr int SecondCtrl = 217;
inline constexpr int SecondAlt = 218;
// The code whose sound a key button shares: 16-18 for 216-218, else its own.
int SharedSoundCode(int code);

struct KeyRange {
    int first;
    int last;
};

// The codes a scheme holds values for, in the order loading and deleting walk them.
inline constexpr std::array<KeyRange, 13> SchemeKeyCodes{{
    {8, 9}, {13, 13}, {16, 20}, {27, 27}, {32, 40}, {44, 46}, {48, 57},
    {65, 90}, {92, 93}, {112, 123}, {145, 145}, {186, 192}, {219, 222},
}};

// "Scheme" + position: the name at that place of the scheme list.
std::string SchemeNameKey(int position);
// What the list shows for a position whose name key is absent.
std::string DefaultSchemeName(int position);
// Scheme name + "_#" + code: the key's WAV path in that scheme.
std::string PathKey(std::string_view scheme, int code);
// Scheme name + "-EnableSound_#" + code: "1" when the key's sound is off.
std::string StateKey(std::string_view scheme, int code);
// Scheme name + "-ReleaseSound_#" + code: the WAV the key plays when it is
// let go. Absent (or "None"): it plays nothing then, as always.
std::string ReleaseKey(std::string_view scheme, int code);
// Scheme name + "-MoreSounds_#" + code: further press sounds, each press
// picking one of them or the path at random.
std::string MoreSoundsKey(std::string_view scheme, int code);
// Scheme name + "-MoreReleaseSounds_#" + code: further release sounds.
std::string MoreReleaseSoundsKey(std::string_view scheme, int code);

// Every value a scheme keeps per key, in the order they are copied and
// deleted. The first two are the classic ones; a scheme without the others
// sounds as it always did.
struct SchemeKeyValue {
    std::string (*key)(std::string_view scheme, int code);
    std::string_view holds;
};
inline constexpr std::array<SchemeKeyValue, 5> SchemeKeyValues{{
    {StateKey, "\"1\" when the key is silent, \"0\" when it sounds"},
    {PathKey, "the press sound's path, or \"None\""},
    {ReleaseKey, "the release sound's path; absent or \"None\": no sound on release"},
    {MoreSoundsKey, "further press sounds' paths, separated by \"|\""},
    {MoreReleaseSoundsKey, "further release sounds' paths, separated by \"|\""},
}};

// Paths in a "-MoreSounds_#" or "-MoreReleaseSounds_#" value. "|" cannot
// appear in a Windows path, so it separates them.
inline constexpr char SoundListSeparator = '|';
std::vector<std::string> SplitSoundList(std::string_view value);
std::string JoinSoundList(std::span<const std::string> paths);
// "None" or empty: no file.
bool IsNoSound(std::string_view path);

// A key's sounds beyond its path, as a scheme stores them.
struct StoredKeyVariants {
    std::vector<std::string> morePress;
    std::vector<std::string> release;  // the release sound first, then the further ones
};
StoredKeyVariants ReadKeyVariants(SettingsStore& store, std::string_view scheme, int code);
// Program folder + "\" + code + ".wav", the file a key plays when its scheme
// stores no path. The second Shift, Ctrl and Alt buttons share the first ones' file.
std::string DefaultSoundPath(std::string_view programFolder, int code);
// The path stored for a key in a scheme, or its default file when none is.
std::string StoredSoundPath(SettingsStore& store, std::string_view scheme, std::string_view programFolder, int code);

// Shorthands for the "Settings" section of this application.
std::string GetSettingsText(SettingsStore& store, std::string_view key, std::string_view defaultValue);
void SaveSettingsText(SettingsStore& store, std::string_view key, std::string_view value);
std::optional<std::string> FindSettingsText(SettingsStore& store, std::string_view key);
void DeleteSettingsKey(SettingsStore& store, std::string_view key);
// A stored number, or the default when the value is absent or not a 16-bit number.
std::int16_t GetSettingsNumber(SettingsStore& store, std::string_view key, std::int16_t defaultValue);
void SaveSettingsNumber(SettingsStore& store, std::string_view key, int value);

// A user-interface text of the "Language" section; empty when absent. Read at
// the moment it is shown, never cached.
std::string GetLanguageText(SettingsStore& store, std::string_view key);

}  // namespace clavitone
