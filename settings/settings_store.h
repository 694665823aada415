// The per-user store of text settings, addressed by application, section and key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace clavitone {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                           std::string_view defaultValue);
    // A number default comes back as its decimal text.
    std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                           std::int16_t defaultValue);
    // The stored text, or nullopt when the key is absent: for copying exactly what is stored.
    std::optional<std::string> FindSetting(std::string_view application, std::string_view section,
                                           std::string_view key);
    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value);
    // Removing a key that is not there is harmless.
    void DeleteSetting(std::string_view application, std::string_view section, std::string_view key);

protected:
    // An absent key (or one that cannot be read) is nullopt.
    virtual std::optional<std::string> Read(std::string_view application, std::string_view section,
                                            std::string_view key) = 0;
    virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
    virtual void Remove(std::string_view application, std::string_view section, std::string_view key) = 0;
};

}  // namespace clavitone
