#include "platform/log_text.h"

#include <algorithm>
#include <cstdio>

namespace clavitone {

std::string LogLine(const LogTime& time, std::string_view text)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    std::string line = stamp;
    // Long enough for any reason we give, short enough that a runaway text cannot fill the log.
    constexpr std::size_t MaxText = 400;
    line.append(text.substr(0, MaxText));
    std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    line += "\r\n";
    return line;
}

}  // namespace clavitone
