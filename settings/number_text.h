// Numbers as the settings store keeps them: shortest decimal text of a 16-bit integer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace clavitone {

std::string NumberText(int value);

// An optional minus sign and decimal digits within the signed 16-bit range;
// anything else (empty, blanks, "1.5", "99999") is not a number.
std::optional<std::int16_t> ParseNumber(std::string_view text);

}  // namespace clavitone
