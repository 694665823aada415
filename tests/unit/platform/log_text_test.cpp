#include "platform/log_text.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

TEST(LogText, EachEntryIsOneStampedLine)
{
    const LogTime time{2026, 3, 7, 9, 5, 1};
    const std::pair<std::string, std::string> cases[] = {
        {"Clavitone started", "2026-03-07 09:05:01 Clavitone started\r\n"},
        {"two\r\nlines\tand a tab", "2026-03-07 09:05:01 two  lines and a tab\r\n"},
        {"", "2026-03-07 09:05:01 \r\n"},
        {std::string(1000, 'x'), "2026-03-07 09:05:01 " + std::string(400, 'x') + "\r\n"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(LogLine(time, text), expected);
}

TEST(LogText, AFullLogStartsAfreshRatherThanGrowingPast64KB)
{
    EXPECT_FALSE(LogMustRestart(0, 100));
    EXPECT_FALSE(LogMustRestart(MaxLogBytes - 100, 100));
    EXPECT_TRUE(LogMustRestart(MaxLogBytes - 99, 100));
    EXPECT_TRUE(LogMustRestart(10 * MaxLogBytes, 1)) << "a file grown by another copy still starts afresh";
}

}  // namespace
}  // namespace clavitone
