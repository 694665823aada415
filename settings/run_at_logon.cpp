#include "settings/run_at_logon.h"

#include "platform/vb_boolean.h"

namespace clavitone {

namespace {

constexpr std::string_view MachineRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Without administrator rights the machine-wide key is closed to us; the
// user's own Run key starts the program just as well, for this user.
constexpr std::string_view UserRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view RunValueName = "Clavitone";

constexpr std::int32_t Success = 0;
// An empty text is stored as its terminating zero alone.
constexpr std::uint32_t EmptyTextSize = 1;

}  // namespace

std::int16_t SetRegistryString(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                               std::string_view valueName, std::string_view value)
{
    RegistryKey key = 0;
    std::int32_t written = -1;
    try {
        const std::string path(subKey);
        const std::string name(valueName);
        const std::string data(value);
        std::uint32_t disposition = 0;
        // A failed create leaves the key 0, and the write on it fails in turn.
        registry.RegCreateKeyExA(root, path, 0, {}, 0, RegistrySetValueAccess, SecurityAttributesRecord{}, key,
                                 disposition);
        written = registry.RegSetValueExA(key, name, 0, RegistryStringValue, data.c_str(),
                                          static_cast<std::uint32_t>(data.size() + 1));
    } catch (...) {
        written = -1;
    }
    try {
        registry.RegCloseKey(key);
    } catch (...) {
        written = -1;
    }
    return written == Success ? VbTrue : VbFalse;
}

std::optional<std::uint32_t> RegistryValueSize(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                                               std::string_view valueName)
{
    try {
        RegistryKey key = 0;
        if (registry.RegOpenKeyExA(root, std::string(subKey), 0, RegistryQueryValueAccess, key) != Success)
            return std::nullopt;
        std::uint32_t size = 0;
        const bool found = registry.RegQueryValueExA(key, std::string(valueName), size) == Success;
        registry.RegCloseKey(key);
        return found ? std::optional(size) : std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

std::string RunCommand(std::string_view programFolder, std::string_view programName)
{
    std::string command(programFolder);
    command.append("\\").append(programName);
    if (command.find(' ') != std::string::npos)
        command = '"' + command + '"';
    return command;
}

// The machine-wide value as the program always wrote it, else the user's.
bool WriteRunValue(RegistryWriter& registry, std::string_view value)
{
    if (SetRegistryString(registry, RegistryLocalMachine, MachineRunKey, RunValueName, value) == VbTrue)
        return true;
    return SetRegistryString(registry, RegistryCurrentUser, UserRunKey, RunValueName, value) == VbTrue;
}

// Empties every Run value of ours: the machine-wide one as the program always
// did, the user's only where one exists, so that no user's Run key gains an
// entry the program never needed. False while either still holds a command:
// without administrator rights a machine-wide value left by an older
// installer, or written by an administrator, cannot be emptied.
bool EmptyRunValues(RegistryWriter& registry)
{
    const auto emptied = [&registry](std::uint32_t root, std::string_view subKey) {
        if (SetRegistryString(registry, root, subKey, RunValueName, {}) == VbTrue)
            return true;
        return RegistryValueSize(registry, root, subKey, RunValueName).value_or(0) <= EmptyTextSize;
    };
    const bool machine = emptied(RegistryLocalMachine, MachineRunKey);
    const bool user = !RegistryValueSize(registry, RegistryCurrentUser, UserRunKey, RunValueName) ||
                      emptied(RegistryCurrentUser, UserRunKey);
    return machine && user;
}

}  // namespace clavitone
