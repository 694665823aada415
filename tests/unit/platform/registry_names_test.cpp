#include "platform/registry_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace clavitone {
namespace {

TEST(SameRegistryNameTest, TheWesternCodePageFoldsAsTheRegistryDoes)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    for (const auto& [a, b, same] : {
             Case{"Voice", "vOICE", true},
             Case{"\xC4rger", "\xE4rger", true},    // Ärger, ärger
             Case{"\xC0\xDE", "\xE0\xFE", true},    // the first and last accented pair
             Case{"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},  // Š Œ Ž Ÿ
             Case{"\xD7", "\xF7", false},           // times and division signs are no letters
             Case{"\xDF", "ss", false},             // sharp s has no capital of one letter
             Case{"Voice", "Voice ", false},
             Case{"", "", true},
             Case{"@[`{", "`{@[", false},           // neighbours of the letters do not fold
         })
        EXPECT_EQ(SameRegistryName(a, b), same) << a << " / " << b;
}

class ScriptedComparison final : public TextComparison {
public:
    int CompareStringOrdinal(const std::string& a, const std::string& b, bool ignoreCase) override
    {
        calls.push_back(a + "|" + b + (ignoreCase ? "|ignore case" : "|exact"));
        return answer;
    }
    int answer = 0;
    std::vector<std::string> calls;
};

TEST(SameRegistryNameTest, WindowsComparisonDecidesOnceInstalled)
{
    ScriptedComparison windows;
    UseTextComparison(&windows);
    windows.answer = CompareEqual;
    EXPECT_TRUE(SameRegistryName("\xC6", "\xE6")) << "Cyrillic capital and small zhe in their code page";
    windows.answer = 3;
    EXPECT_FALSE(SameRegistryName("Voice", "voice"));
    windows.answer = 0;
    EXPECT_FALSE(SameRegistryName("a", "a")) << "a failed comparison finds no clash";
    UseTextComparison(nullptr);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"\xC6|\xE6|ignore case", "Voice|voice|ignore case", "a|a|ignore case"}));
    EXPECT_TRUE(SameRegistryName("Voice", "voice")) << "the portable comparison is back";
}

}  // namespace
}  // namespace clavitone
