// Start with Windows: the program's value under the Run key, and the
// registry calls that write and read it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace clavitone {

// Creates or opens the key and writes one text value into it. True (-1) only
// when the value was written; never fails in any other way.
std::int16_t SetRegistryString(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                               std::string_view valueName, std::string_view value);

// The size in bytes of the value's data, a text's terminating zero included;
// nothing when the key or the value is absent or cannot be read.
std::optional<std::uint32_t> RegistryValueSize(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                                               std::string_view valueName);

// What Windows runs at logon: the program file without its extension, quoted
// when its path has a blank so that no shorter path can be started instead.
std::string RunCommand(std::string_view programFolder, std::string_view programName);

// Writes the command to the machine-wide Run value as the program always
// did, else to the user's; false when neither could be written.
bool WriteRunValue(RegistryWriter& registry, std::string_view command);

// Empties every Run value of ours: the machine-wide one, and the user's only
// where one exists. False while either still holds a command.
bool EmptyRunValues(RegistryWriter& registry);

}  // namespace clavitone
