// Recording fakes of the services behind the preferences window's editing:
// the focus, the open-file dialog and the registry writes of the Run value.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace clavitone::fakes {

class RecordingFocus final : public WindowFocus {
public:
    void SetFocus(WindowHandle window) override
    {
        requests.push_back(window);
        if (gotFocus)
            gotFocus(window);  // as Windows would, the control's focus handler runs at once
    }

    std::vector<WindowHandle> requests;
    std::function<void(WindowHandle)> gotFocus;
};

// Answers each dialog with the next scripted choice; an empty script cancels.
class ScriptedFileDialog final : public FileDialog {
public:
    int GetOpenFileNameA(OpenFileRequest& request) override
    {
        requests.push_back(request);
        if (choices.empty())
            return 0;
        const std::string chosen = choices.front();
        choices.erase(choices.begin());
        request.lpstrFile.replace(0, chosen.size() + 1, chosen + '\0');
        return 1;
    }

    std::vector<std::string> choices;
    std::vector<OpenFileRequest> requests;
};

// A registry of values by root, key and name. Creating a key under a denied
// root fails as it does without administrator rights; values placed in
// `values` by a test stand for what an installer or administrator wrote.
class RecordingRegistry final : public RegistryWriter {
public:
    static constexpr std::int32_t AccessDenied = 5;
    static constexpr std::int32_t FileNotFound = 2;
    static constexpr std::int32_t InvalidHandle = 6;

    struct Create {
        std::uint32_t root;
        std::string subKey;
        std::uint32_t reserved;
        std::string keyClass;
        std::uint32_t options;
        std::uint32_t access;
        SecurityAttributesRecord security;
        bool operator==(const Create&) const = default;
    };
    struct Set {
        RegistryKey key;
        std::string valueName;
        std::uint32_t reserved;
        std::uint32_t type;
        std::string data;  // all the bytes passed, the terminating zero included
        bool operator==(const Set&) const = default;
    };

    std::int32_t RegCreateKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                 const std::string& keyClass, std::uint32_t options, std::uint32_t access,
                                 const SecurityAttributesRecord& security, RegistryKey& key,
                                 std::uint32_t& disposition) override
    {
        calls.push_back("RegCreateKeyExA");
        creates.push_back({root, subKey, reserved, keyClass, options, access, security});
        if (denied.count(root))
            return AccessDenied;
        key = NextHandle + open.size();
        open[key] = {root, subKey};
        disposition = 2;  // REG_OPENED_EXISTING_KEY
        return 0;
    }

    std::int32_t RegSetValueExA(RegistryKey key, const std::string& valueName, std::uint32_t reserved,
                                std::uint32_t type, const char* data, std::uint32_t size) override
    {
        calls.push_back("RegSetValueExA");
        if (failSet)
            throw std::runtime_error("registry library unavailable");
        sets.push_back({key, valueName, reserved, type, std::string(data, size)});
        const auto found = open.find(key);
        if (found == open.end())
            return InvalidHandle;
        values[{found->second.first, found->second.second, valueName}] = std::string(data, size ? size - 1 : 0);
        return 0;
    }

    std::int32_t RegCloseKey(RegistryKey key) override
    {
        calls.push_back("RegCloseKey");
        closed.push_back(key);
        return open.count(key) ? 0 : InvalidHandle;
    }

    // Fails as Windows does for a key that was never created, and for any key
    // under a root the test made unreadable.
    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t /*options*/,
                               std::uint32_t /*access*/, RegistryKey& key) override
    {
        calls.push_back("RegOpenKeyExA");
        if (unreadable.count(root))
            return AccessDenied;
        if (!KeyExists(root, subKey))
            return FileNotFound;
        key = NextHandle + open.size();
        open[key] = {root, subKey};
        return 0;
    }

    std::int32_t RegQueryValueExA(RegistryKey key, const std::string& valueName, std::uint32_t& dataSize) override
    {
        calls.push_back("RegQueryValueExA");
        const auto found = open.find(key);
        if (found == open.end())
            return InvalidHandle;
        const auto value = values.find({found->second.first, found->second.second, valueName});
        if (value == values.end())
            return FileNotFound;
        dataSize = static_cast<std::uint32_t>(value->second.size() + 1);
        return 0;
    }

    // The Run value under a root, if it was ever written.
    std::optional<std::string> RunValue(std::uint32_t root) const
    {
        for (const auto& [address, data] : values)
            if (std::get<0>(address) == root && std::get<2>(address) == "Clavitone")
                return data;
        return std::nullopt;
    }

    std::set<std::uint32_t> denied;
    std::set<std::uint32_t> unreadable;
    bool failSet = false;
    std::vector<std::string> calls;
    std::vector<Create> creates;
    std::vector<Set> sets;
    std::vector<RegistryKey> closed;
    std::map<std::tuple<std::uint32_t, std::string, std::string>, std::string> values;

private:
    bool KeyExists(std::uint32_t root, const std::string& subKey) const
    {
        for (const auto& [address, data] : values)
            if (std::get<0>(address) == root && std::get<1>(address) == subKey)
                return true;
        for (const auto& [handle, created] : open)
            if (created == std::pair(root, subKey))
                return true;
        return false;
    }

    static constexpr RegistryKey NextHandle = 0x7000'0100;
    std::map<RegistryKey, std::pair<std::uint32_t, std::string>> open;
};

}  // namespace clavitone::fakes
