#include "settings/settings_layout.h"

#include "settings/number_text.h"

namespace clavitone {

namespace {

constexpr std::string_view SchemeNamePrefix = "Scheme";
constexpr std::string_view DefaultSchemeNamePrefix = "Scheme # ";
constexpr std::string_view PathInfix = "_#";
constexpr std::string_view StateInfix = "-EnableSound_#";

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
