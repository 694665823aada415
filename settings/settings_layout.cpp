#include "settings/settings_layout.h"

#include <algorithm>

#include "settings/number_text.h"

namespace clavitone {

namespace {

constexpr std::string_view SchemeNamePrefix = "Scheme";
constexpr std::string_view DefaultSchemeNamePrefix = "Scheme # ";
constexpr std::string_view PathInfix = "_#";
constexpr std::string_view StateInfix = "-EnableSound_#";
constexpr std::string_view ReleaseInfix = "-ReleaseSound_#";
constexpr std::string_view MoreSoundsInfix = "-MoreSounds_#";
constexpr std::string_view MoreReleaseSoundsInfix = "-MoreReleaseSounds_#";

std::string Join(std::string_view head, std::string_view infix, int code)
{
    std::string key;
    key.reserve(head.size() + infix.size() + 3);
    key.append(head).append(infix).append(NumberText(code));
    return key;
}

}  // namespace

std::string SchemeNameKey(int position)
{
    return Join(SchemeNamePrefix, {}, position);
}

std::string DefaultSchemeName(int position)
{
    return Join(DefaultSchemeNamePrefix, {}, position);
}

std::string PathKey(std::string_view scheme, int code)
{
    return Join(scheme, PathInfix, code);
}

std::string StateKey(std::string_view scheme, int code)
{
    return Join(scheme, StateInfix, code);
}

std::string ReleaseKey(std::string_view scheme, int code)
{
    return Join(scheme, ReleaseInfix, code);
}

std::string MoreSoundsKey(std::string_view scheme, int code)
{
    return Join(scheme, MoreSoundsInfix, code);
}

std::string MoreReleaseSoundsKey(std::string_view scheme, int code)
{
    return Join(scheme, MoreReleaseSoundsInfix, code);
}

std::vector<std::string> SplitSoundList(std::string_view value)
{
    std::vector<std::string> paths;
    while (!value.empty()) {
        const std::size_t end = std::min(value.find(SoundListSeparator), value.size());
        if (!IsNoSound(value.substr(0, end)))
            paths.emplace_back(value.substr(0, end));
        value.remove_prefix(std::min(end + 1, value.size()));
    }
    return paths;
}

std::string JoinSoundList(std::span<const std::string> paths)
{
    std::string value;
    for (const std::string& path : paths) {
        if (!value.empty())
            value.push_back(SoundListSeparator);
        value.append(path);
    }
    return value;
}

bool IsNoSound(std::string_view path)
{
    return path.empty() || path == NoSoundPath;
}

StoredKeyVariants ReadKeyVariants(SettingsStore& store, std::string_view scheme, int code)
{
    StoredKeyVariants variants;
    if (const auto more = FindSettingsText(store, MoreSoundsKey(scheme, code)))
        variants.morePress = SplitSoundList(*more);
    const auto release = FindSettingsText(store, ReleaseKey(scheme, code));
    if (!release || IsNoSound(*release))
        return variants;  // further release sounds take turns with the release sound, never alone
    variants.release.push_back(*release);
    if (const auto more = FindSettingsText(store, MoreReleaseSoundsKey(scheme, code))) {
        auto paths = SplitSoundList(*more);
        variants.release.insert(variants.release.end(), paths.begin(), paths.end());
    }
    return variants;
}

int SharedSoundCode(int code)
{
    constexpr int FirstToSecond = SecondShift - 16;
    return code >= SecondShift && code <= SecondAlt ? code - FirstToSecond : code;
}

std::string DefaultSoundPath(std::string_view programFolder, int code)
{
    return Join(programFolder, "\\", SharedSoundCode(code)) + ".wav";
}

std::string StoredSoundPath(SettingsStore& store, std::string_view scheme, std::string_view programFolder, int code)
{
    return GetSettingsText(store, PathKey(scheme, code), DefaultSoundPath(programFolder, code));
}

std::string GetSettingsText(SettingsStore& store, std::string_view key, std::string_view defaultValue)
{
    return store.GetSetting(AppName, SectionSettings, key, defaultValue);
}

void SaveSettingsText(SettingsStore& store, std::string_view key, std::string_view value)
{
    store.SaveSetting(AppName, SectionSettings, key, value);
}

std::optional<std::string> FindSettingsText(SettingsStore& store, std::string_view key)
{
    return store.FindSetting(AppName, SectionSettings, key);
}

void DeleteSettingsKey(SettingsStore& store, std::string_view key)
{
    store.DeleteSetting(AppName, SectionSettings, key);
}

std::int16_t GetSettingsNumber(SettingsStore& store, std::string_view key, std::int16_t defaultValue)
{
    return ParseNumber(store.GetSetting(AppName, SectionSettings, key, defaultValue)).value_or(defaultValue);
}

void SaveSettingsNumber(SettingsStore& store, std::string_view key, int value)
{
    SaveSettingsText(store, key, NumberText(value));
}

std::string GetLanguageText(SettingsStore& store, std::string_view key)
{
    return store.GetSetting(AppName, SectionLanguage, key, std::string_view{});
}

}  // namespace clavitone
