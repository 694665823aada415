// The text side of the program's log file: one stamped line per entry, and
// when the file starts afresh.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace clavitone {

// The log never grows past this: a full log starts again empty.
inline constexpr std::uint64_t MaxLogBytes = 64 * 1024;

struct LogTime {
    int year, month, day, hour, minute, second;
};

// "2026-12-08 06:30:01 <text>" and a line break; line breaks and other
// control characters inside the text become spaces, so an entry stays one line.
std::string LogLine(const LogTime& time, std::string_view text);

// True when a file of `size` bytes must be emptied before `adding` more.
constexpr bool LogMustRestart(std::uint64_t size, std::uint64_t adding)
{
    return size + adding > MaxLogBytes;
}

}  // namespace clavitone
