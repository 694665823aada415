// The settings store held in memory, for tests.
#pragma once

#include <functional>
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
    // Called after each write with the key and the value, to see what else
    // had happened by then.
    std::function<void(const std::string&, const std::string&)> written;

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
        if (written)
            written(std::string(key), std::string(value));
    }
    void Remove(std::string_view application, std::string_view section, std::string_view key) override
    {
        ++removals;
        values.erase(Address(application, section, key));
    }
};

}  // namespace clavitone::fakes
