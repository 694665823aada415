#include "options/quiet_settings.h"

#include <gtest/gtest.h>

#include "tests/fakes/memory_store.h"

namespace clavitone {
namespace {

using Names = std::vector<std::string>;

TEST(QuietSettingsTest, ProgramListIsSplitCleanedAndBounded)
{
    const std::pair<std::string, Names> cases[] = {
        {"", {}},
        {"game.exe", {"game.exe"}},
        {"game.exe|Zoom.exe", {"game.exe", "Zoom.exe"}},
        {"|| game.exe ||", {"game.exe"}},
        {"C:\\Games\\game.exe|D:/bin/obs64.exe", {"game.exe", "obs64.exe"}},
        {"Game.EXE|game.exe|GAME.exe", {"Game.EXE"}},
        {"C:\\Games\\", {}},
        {std::string(300, 'a').append(".exe|ok.exe"), {"ok.exe"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseQuietPrograms(text), expected) << text;

    std::string many;
    for (int i = 0; i < 500; ++i)
        many.append("p").append(std::to_string(i)).append(".exe|");
    const Names first = ParseQuietPrograms(many);
    ASSERT_EQ(first.size(), MaxQuietPrograms);
    EXPECT_EQ(first.back(), "p99.exe");

    // Only the first 32 KB are read, however long the text.
    std::string huge = "a.exe|";
    huge.append(std::size_t{1} << 20, 'x').append("|b.exe");
    EXPECT_EQ(ParseQuietPrograms(huge), Names{"a.exe"});
}

TEST(QuietSettingsTest, PasswordsAreQuietUnlessTheStoreSaysZero)
{
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {std::nullopt, true}, {"1", true}, {"0", false}, {"no", true}, {"", true}, {" 0", true},
    };
    for (const auto& [stored, expected] : cases) {
        fakes::MemoryStore store;
        if (stored)
            store.values[{"Clavitone", "Settings", "QuietInPasswords"}] = *stored;
        EXPECT_EQ(ReadQuietSettings(store).inPasswords, expected) << stored.value_or("(absent)");
    }
}

TEST(QuietSettingsTest, SavedSettingsReadBackAsStrings)
{
    fakes::MemoryStore store;
    SaveQuietSettings(store, {{"game.exe", "zoom.exe"}, false});
    EXPECT_EQ(store.At("Settings", "QuietPrograms"), "game.exe|zoom.exe");
    EXPECT_EQ(store.At("Settings", "QuietInPasswords"), "0");
    EXPECT_EQ(ReadQuietSettings(store), (QuietSettings{{"game.exe", "zoom.exe"}, false}));

    SaveQuietSettings(store, {{}, true});
    EXPECT_EQ(store.At("Settings", "QuietPrograms"), "");
    EXPECT_EQ(ReadQuietSettings(store), (QuietSettings{{}, true}));
}

}  // namespace
}  // namespace clavitone
