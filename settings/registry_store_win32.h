// The settings store in the per-user registry: HKEY_CURRENT_USER\Software\<application>\<section>,
// one REG_SZ value per key. The installer writes the built-in schemes to the same place.
#pragma once

#include "settings/settings_store.h"

namespace clavitone {

class RegistryStore final : public SettingsStore {
protected:
    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
    void Remove(std::string_view application, std::string_view section, std::string_view key) override;
};

}  // namespace clavitone
