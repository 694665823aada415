#include "settings/settings_store.h"

#include "settings/number_text.h"

namespace clavitone {

std::string SettingsStore::GetSetting(std::string_view application, std::string_view section,
                                      std::string_view key, std::string_view defaultValue)
{
    auto value = Read(application, section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

std::string SettingsStore::GetSetting(std::string_view application, std::string_view section,
                                      std::string_view key, std::int16_t defaultValue)
{
    return GetSetting(application, section, key, NumberText(defaultValue));
}

std::optional<std::string> SettingsStore::FindSetting(std::string_view application, std::string_view section,
                                                      std::string_view key)
{
    return Read(application, section, key);
}

void SettingsStore::SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                                std::string_view value)
{
    Write(application, section, key, value);
}

void SettingsStore::DeleteSetting(std::string_view application, std::string_view section, std::string_view key)
{
    Remove(application, section, key);
}

}  // namespace clavitone
