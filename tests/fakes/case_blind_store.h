// A store that, like the registry, ignores letter case in key names: keys
// that differ only in case are one key.
#pragma once

#include <algorithm>
#include <string>

#include "tests/fakes/memory_store.h"

namespace clavitone::fakes {

class CaseBlindStore final : public SettingsStore {
public:
    explicit CaseBlindStore(MemoryStore& inner) : inner_(inner) {}

protected:
    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override
    {
        return inner_.FindSetting(application, section, Folded(key));
    }
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override
    {
        inner_.SaveSetting(application, section, Folded(key), value);
    }
    void Remove(std::string_view application, std::string_view section, std::string_view key) override
    {
        inner_.DeleteSetting(application, section, Folded(key));
    }

private:
    static std::string Folded(std::string_view key)
    {
        std::string folded(key);
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return folded;
    }

    MemoryStore& inner_;
};

}  // namespace clavitone::fakes
