// Loading the current scheme into the key buttons and KeySound.
#include <gtest/gtest.h>

#include "settings/settings_layout.h"
#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using testing::DefaultFile;

class SoundLoadingTest : public ::testing::Test, protected testing::SchemeStory {
protected:
    SoundLoadingTest()
    {
        SetSchemes({"Mine"}, 0);
        form.AddItem(List(), "Mine");
        List().listIndex = 0;
        List().text = "Mine";
    }

    // Runs SoundLoading and tells how many clicks and writes it caused.
    std::pair<int, int> Load()
    {
        int clicks = 0;
        form.clicked = [&](Control&) { ++clicks; };
        const int writesBefore = store.writes;
        pref.SoundLoading();
        return {clicks, store.writes - writesBefore};
    }
};

TEST_F(SoundLoadingTest, NothingStoredMeansEveryKeySoundsItsProgramFolderFile)
{
    EXPECT_EQ(Load(), std::pair(0, 0));
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code) {
            EXPECT_EQ(Key(code), 0) << code;
            EXPECT_EQ(keySound[code], DefaultFile(code)) << code;
        }
}

TEST_F(SoundLoadingTest, ReleaseAndFurtherSoundsLoadWithTheirKeysAndNotForSilentOnes)
{
    using Paths = std::vector<std::string>;
    const auto paths = [this](int code, KeyMotion motion) {
        const auto found = keySound.Variants().Paths(code, motion);
        return Paths(found.begin(), found.end());
    };
    Set("Mine-ReleaseSound_#65", "C:\\up\\a.wav");
    Set("Mine-MoreReleaseSounds_#65", "C:\\up\\a2.wav|C:\\up\\a3.wav");
    Set("Mine-MoreSounds_#65", "C:\\down\\a2.wav");
    Set("Mine-ReleaseSound_#66", "None");
    Set("Mine-MoreReleaseSounds_#66", "C:\\up\\b2.wav");
    Set("Mine-ReleaseSound_#67", "C:\\up\\c.wav");
    Set("Mine-EnableSound_#67", "1");
    EXPECT_EQ(Load(), std::pair(0, 0));
    EXPECT_EQ(paths(65, KeyMotion::Release), (Paths{"C:\\up\\a.wav", "C:\\up\\a2.wav", "C:\\up\\a3.wav"}));
    EXPECT_EQ(paths(65, KeyMotion::Press), Paths{"C:\\down\\a2.wav"});
    EXPECT_EQ(paths(66, KeyMotion::Release), Paths{}) << "no release sound: the further ones do not stand alone";
    EXPECT_EQ(paths(67, KeyMotion::Release), Paths{}) << "a silent key";

    Set("Mine-EnableSound_#65", "1");
    Load();
    EXPECT_EQ(paths(65, KeyMotion::Release), Paths{});
    EXPECT_EQ(paths(65, KeyMotion::Press), Paths{});
}

TEST_F(SoundLoadingTest, StoredStatesPressButtonsAndSilenceTheirKeysWithoutClicks)
{
    Set("Mine-EnableSound_#65", "1");
    Set("Mine_#65", "C:\\snd\\a.wav");  // kept in the store, but the key is off
    Set("Mine-EnableSound_#66", "2");
    Set("Mine-EnableSound_#67", "0");
    Set("Mine_#67", "C:\\snd\\c.wav");
    Set("Mine_#68", "None");
    EXPECT_EQ(Load(), std::pair(0, 0)) << "showing stored states is no click and writes nothing";
    EXPECT_EQ(Key(65), 1);
    EXPECT_EQ(keySound[65], "");
    EXPECT_EQ(Key(66), 2) << "a stored 2 is taken, and silences like 1";
    EXPECT_EQ(keySound[66], "");
    EXPECT_EQ(Key(67), 0);
    EXPECT_EQ(keySound[67], "C:\\snd\\c.wav");
    EXPECT_EQ(keySound[68], "None") << "paths go to playback unchecked";
}

TEST_F(SoundLoadingTest, StatesAButtonCannotTakeCountAsSounding)
{
    const char* junk[] = {"3", "-1", "70000", "yes", "", " 1", "1.0"};
    int code = 48;
    for (const char* state : junk)
        Set("Mine-EnableSound_#" + std::to_string(code++), state);
    Load();
    for (code = 48; code < 48 + static_cast<int>(std::size(junk)); ++code) {
        EXPECT_EQ(Key(code), 0) << junk[code - 48];
        EXPECT_EQ(keySound[code], DefaultFile(code)) << junk[code - 48];
    }
}

TEST_F(SoundLoadingTest, SwitchingReleasesAndPressesButtonsAndTouchesNoOtherSlot)
{
    Set("Mine-EnableSound_#65", "1");
    Set("Other-EnableSound_#66", "1");
    Set("Other_#65", "C:\\snd\\other65.wav");
    Load();
    keySound.Set(216, "kept");
    List().text = "Other";  // as the list shows another scheme
    Load();
    EXPECT_EQ(Key(65), 0);
    EXPECT_EQ(keySound[65], "C:\\snd\\other65.wav");
    EXPECT_EQ(Key(66), 1);
    EXPECT_EQ(keySound[66], "");
    for (int outside : {0, 91, 96, 111, 144, 217, 218})
        EXPECT_FALSE(keySound[outside].has_value()) << outside;
    EXPECT_EQ(keySound[216], "kept");
    EXPECT_EQ(At("Mine-EnableSound_#65"), "1") << "the other scheme's values stay as stored";
}

TEST_F(SoundLoadingTest, LoadingTwiceGivesTheSameTable)
{
    Set("Mine-EnableSound_#9", "1");
    Set("Mine_#13", "C:\\snd\\enter.wav");
    Load();
    const KeySoundTable first = keySound;
    Load();
    for (int code = 0; code < KeySoundTable::SlotCount; ++code)
        EXPECT_EQ(keySound[code], first[code]) << code;
}

TEST_F(SoundLoadingTest, WithNothingSelectedKeysAreBuiltFromTheEmptyName)
{
    form.SetListIndex(List(), -1);
    Set("-EnableSound_#65", "1");
    Load();
    EXPECT_EQ(Key(65), 1);
}

}  // namespace
}  // namespace clavitone
