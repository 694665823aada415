// The scheme list at start-up and the switch between schemes.
#include <gtest/gtest.h>

#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using testing::DefaultFile;
using Names = std::vector<std::string>;

class SchemeListTest : public ::testing::Test, protected testing::SchemeStory {
protected:
    // The two schemes an installed program has, each with a sound for A.
    void Installed(int last)
    {
        SetSchemes({"Typewriter", "Voice"}, last);
        Set("Typewriter_#65", "C:\\snd\\tw65.wav");
        Set("Voice_#65", "C:\\snd\\v65.wav");
        Set("Voice-EnableSound_#8", "1");
    }
};

TEST_F(SchemeListTest, FirstStartOnAnEmptyStore)
{
    pref.Form_Load();
    EXPECT_EQ(Entries(), Names{"Scheme # 0"});
    EXPECT_EQ(List().listIndex, 0);
    EXPECT_EQ(Current(), "Scheme # 0");
    EXPECT_EQ(At("LastScheme"), "0");
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_EQ(keySound[65], DefaultFile(65));
    EXPECT_EQ(store.values.size(), 1u) << "the switch's \"LastScheme\" is all start-up writes";
}

TEST_F(SchemeListTest, StartSelectsTheRememberedSchemeAndLoadsIt)
{
    Installed(1);
    pref.Form_Load();
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice"}));
    EXPECT_EQ(Current(), "Voice");
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_TRUE(form(PrefControl::Command, 1).enabled) << "\"Save as...\" is never touched";
    EXPECT_EQ(keySound[65], "C:\\snd\\v65.wav");
    EXPECT_EQ(Key(8), 1);
}

TEST_F(SchemeListTest, AbsentNamesShowTheirPosition)
{
    Set("SchemesQuantity", "3");
    Set("Scheme0", "Typewriter");
    Set("Scheme2", "Mine");
    pref.ComboLoading();
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Scheme # 1", "Mine"}));
}

TEST_F(SchemeListTest, ARememberedPositionTheListLacksSelectsTheFirstEntry)
{
    for (const char* stored : {"2", "-1", "40000", "one", ""}) {
        Installed(0);
        Set("LastScheme", stored);
        pref.ComboLoading();
        EXPECT_EQ(List().listIndex, 0) << '"' << stored << '"';
        EXPECT_EQ(At("LastScheme"), "0") << '"' << stored << '"';
    }
}

TEST_F(SchemeListTest, AnEmptyListSelectsNothingAndOffersNoDelete)
{
    for (const char* quantity : {"0", "-3"}) {
        Set("SchemesQuantity", quantity);
        Set("LastScheme", "0");
        pref.Form_Load();
        EXPECT_TRUE(Entries().empty()) << quantity;
        EXPECT_EQ(List().listIndex, -1) << quantity;
        EXPECT_FALSE(DeleteEnabled()) << quantity;
        EXPECT_EQ(store.writes, 0) << "no switch ran, so nothing was written";
    }
}

TEST_F(SchemeListTest, PickingWritesTheRememberedPositionBeforeTheSoundsChange)
{
    Installed(0);
    pref.Form_Load();
    std::optional<std::string> soundWhenWritten;
    store.written = [&](const std::string& key, const std::string&) {
        if (key == "LastScheme")
            soundWhenWritten = keySound[65];
    };
    Pick(1);
    EXPECT_EQ(soundWhenWritten, "C:\\snd\\tw65.wav");
    EXPECT_EQ(At("LastScheme"), "1");
    EXPECT_EQ(keySound[65], "C:\\snd\\v65.wav");
    EXPECT_EQ(Key(8), 1);

    Pick(0);
    EXPECT_EQ(keySound[65], "C:\\snd\\tw65.wav");
    EXPECT_EQ(Key(8), 0) << "a key off in Voice sounds again in Typewriter";
    EXPECT_EQ(keySound[8], DefaultFile(8));
}

TEST_F(SchemeListTest, PickingTheSchemeAlreadyShownDoesNothing)
{
    Installed(1);
    pref.Form_Load();
    const int writes = store.writes;
    keySound.Set(65, "edited since");
    Pick(1);
    EXPECT_EQ(store.writes, writes);
    EXPECT_EQ(keySound[65], "edited since");
}

TEST_F(SchemeListTest, OnlyTheExactBuiltInNamesLockDelete)
{
    SetSchemes({"Typewriter", "typewriter", "Voice ", "VOICE", "Voice", "Mine"}, 0);
    pref.ComboLoading();
    const std::vector<bool> expected{false, true, true, true, false, true};
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        Pick(i);
        EXPECT_EQ(DeleteEnabled(), expected[static_cast<std::size_t>(i)]) << Entries()[static_cast<std::size_t>(i)];
        EXPECT_TRUE(form(PrefControl::Command, 1).enabled);
    }
}

}  // namespace
}  // namespace clavitone
