#include "settings/number_text.h"

#include <charconv>
#include <limits>

namespace clavitone {

std::string NumberText(int value)
{
    return std::to_string(value);
}

std::optional<std::int16_t> ParseNumber(std::string_view text)
{
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;  // also refuses "+1" and "--1", which from_chars alone would not
    std::int16_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace clavitone
