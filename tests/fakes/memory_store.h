// The settings store held in memory, for tests.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "settings/settings_store.h"

namespace clavitone::fakes {

class MemoryStore final : public SettingsStore {
public:
    using Address = std::tuple<std::string, std::string, std::string>;  // application, section, key

    std::map<Address, std::string> values;
    int writes = 0;
    int removals = 0;

    // The value under "Clavitone" / section, for assertions.
    std::optional<std::string> At(const std::string& section, const std::string& key) const
    {
        auto it = values.find({"Clavitone", section, key});
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

protected:
    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override
    {
        auto it = values.find(Address(application, section, key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override
    {
        ++writes;
        values[Address(application, section, key)] = value;
    }
    void Remove(std::string_view application, std::string_view section, std::string_view key) override
    {
        ++removals;
        values.erase(Address(application, section, key));
    }
};

}  // namespace clavitone::fakes
