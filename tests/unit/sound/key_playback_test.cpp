#include "sound/key_playback.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_audio_device.h"
#include "tests/fakes/recording_platform.h"
#include "tests/unit/sound/wav_file.h"

namespace clavitone {
namespace {

using fakes::Call;

class KeyPlaybackTest : public ::testing::Test {
protected:
    KeyPlaybackTest()
    {
        for (int code : {16, 17, 37, 38, 65, 66, 93})
            table.Set(code, "C:\\snd\\" + std::to_string(code) + ".wav");
        playback.SoundEnabled = true;
    }

    // The paths played since the last call, a null path as "(null)".
    std::vector<std::string> Played()
    {
        std::vector<std::string> paths;
        for (const Call& call : journal) {
            EXPECT_EQ(call.what, "sndPlaySoundA");
            EXPECT_EQ(call.number, SND_ASYNC) << "sounds are asynchronous and cut each other off";
            paths.push_back(call.text.value_or("(null)"));
        }
        journal.clear();
        return paths;
    }

    fakes::Journal journal;
    fakes::RecordingSound sound{journal};
    KeySoundTable table;
    KeyPlayback playback{table, sound};
};

using Paths = std::vector<std::string>;

TEST_F(KeyPlaybackTest, LetterSoundsOnEveryAutoRepeat)
{
    for (int i = 0; i < 3; ++i)
        playback.Form_KeyDown(65, 0);
    playback.Form_KeyUp(65, 0);
    EXPECT_EQ(Played(), Paths(3, "C:\\snd\\65.wav"));
}

TEST_F(KeyPlaybackTest, HeldKeySoundsOncePerPressAndBlocksOtherHeldKeys)
{
    playback.Form_KeyDown(16, 0);
    playback.Form_KeyDown(16, 0);
    playback.Form_KeyDown(38, 0);  // Up while Shift is held: silent
    EXPECT_EQ(playback.KeyHeld, VbTrue);
    EXPECT_EQ(Played(), Paths{"C:\\snd\\16.wav"});

    playback.Form_KeyUp(16, 0);
    EXPECT_EQ(playback.KeyHeld, VbFalse);
    playback.Form_KeyDown(38, 0);
    EXPECT_EQ(Played(), Paths{"C:\\snd\\38.wav"});
}

TEST_F(KeyPlaybackTest, ReleaseOfAnyKeyClearsKeyHeld)
{
    playback.Form_KeyDown(17, 0);
    playback.Form_KeyDown(65, 0);
    playback.Form_KeyUp(65, 0);  // Ctrl still down, but a letter was released
    playback.Form_KeyDown(17, 0);
    EXPECT_EQ(Played(), (Paths{"C:\\snd\\17.wav", "C:\\snd\\65.wav", "C:\\snd\\17.wav"}));
}

TEST_F(KeyPlaybackTest, NothingHappensWhileSoundsAreOff)
{
    playback.Form_KeyDown(16, 0);
    Played();
    playback.SoundEnabled = false;
    playback.Form_KeyDown(65, 0);
    playback.Form_KeyUp(16, 0);
    playback.Form_MouseDown(1, 0, 0, 0);
    playback.Form_MouseUp(2, 0, 0, 0);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(playback.KeyHeld, VbTrue) << "a release while muted must not clear KeyHeld";
}

TEST_F(KeyPlaybackTest, MenuKeyReleaseAndMouseButtonsPlayTheUnsetSlotsThreeAndFour)
{
    playback.Form_KeyDown(93, 0);
    playback.Form_KeyUp(93, 0);
    playback.Form_MouseDown(1, 0, 10, 10);
    playback.Form_MouseDown(2, 0, 10, 10);
    playback.Form_MouseUp(1, 0, 10, 10);
    playback.Form_MouseUp(2, 0, 10, 10);
    EXPECT_EQ(Played(), (Paths{"C:\\snd\\93.wav", "(null)", "(null)", "(null)"}));
}

TEST_F(KeyPlaybackTest, KeysWithoutAFilledSlotPassNullAndSwitchedOffKeysPassEmptyText)
{
    table.Set(66, "");
    playback.Form_KeyDown(96, 0);  // numeric keypad 0: no key button, never filled
    playback.Form_KeyDown(66, 0);
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0].text, std::nullopt);
    EXPECT_EQ(journal[1].text, std::optional<std::string>(""));
}

TEST_F(KeyPlaybackTest, CodesBeyondTheTableAreIgnoredEntirely)
{
    playback.Form_KeyDown(16, 0);
    Played();
    for (int code : {223, 255, 1000, -1}) {
        playback.Form_KeyDown(code, 0);
        playback.Form_KeyUp(code, 0);
    }
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(playback.KeyHeld, VbTrue) << "an ignored release must not clear KeyHeld";
}

TEST(KeySoundTableTest, StartsUnsetAndStoresOnlyWithinItsSlots)
{
    KeySoundTable table;
    EXPECT_FALSE(table[0].has_value());
    EXPECT_FALSE(table[222].has_value());
    table.Set(222, "x.wav");
    table.Set(223, "ignored.wav");
    EXPECT_EQ(table[222], std::optional<std::string>("x.wav"));
    EXPECT_FALSE(table[223].has_value());
}

}  // namespace
}  // namespace clavitone

namespace clavitone {
namespace {

// With the engine on, the same decisions reach it; only slots it cannot play
// take the classic call.
TEST(KeyPlaybackWithEngine, MixesWhatTheEngineHoldsAndPlaysTheRestClassically)
{
    testing_wav::TempFolder folder("playback");
    testing_wav::WriteWav(folder.File("a.wav"), 48000, 1, std::vector<std::int16_t>(4800, 8192));
    KeySoundTable table;
    table.Set(65, folder.File("a.wav"));
    table.Set(16, folder.File("a.wav"));
    table.Set(66, "C:\\missing.wav");
    fakes::Journal journal;
    fakes::RecordingSound sound{journal};
    fakes::FakeAudioDevice device;
    NoEventLog log;
    SoundEngine engine{device, table, log};
    KeyPlayback playback{table, sound, &engine};
    playback.SoundEnabled = true;
    playback.SoundSwitched();
    engine.Apply({true, 100, false});

    playback.Form_KeyDown(65, 0);
    playback.Form_KeyDown(16, 0);
    playback.Form_KeyDown(16, 0);  // a held key's repeat stays silent
    playback.Form_MouseDown(1, 0, 0, 0);  // slot 3 is unset: silence, not a stop
    playback.Form_KeyDown(66, 0);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].text, "C:\\missing.wav");
    EXPECT_NEAR(device.Pull(1)[0], 0.5f, 1e-3) << "letter and Shift sound together";

    playback.SoundEnabled = false;
    playback.SoundSwitched();
    EXPECT_FALSE(device.Open()) << "muting releases the device";
}

// The hook stamps each key with the tick count; the window reads the clock
// again when it would play.
TEST(KeyEventAge, OnlyKeysMoreThanAQuarterSecondOldAreDropped)
{
    struct Case {
        std::uint32_t eventTime;
        std::uint32_t now;
        bool tooOld;
    };
    const Case cases[] = {
        {1000, 1000, false},                 // at once
        {1000, 1250, false},                 // just in time
        {1000, 1251, true},                  // just too late
        {1000, 61000, true},                 // after a long stall
        {0xFFFFFF00u, 0x00000010u, true},    // 272 ms across the wrap
        {0xFFFFFFF0u, 0x00000010u, false},   // 32 ms across the wrap
        {0xFFFFFF00u, 0x00000100u, true},    // 512 ms across the wrap
        {1010, 1000, false},                 // stamped a moment ahead of the reading
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyEventTooOld(c.eventTime, c.now), c.tooOld) << c.eventTime << " read at " << c.now;
}

}  // namespace
}  // namespace clavitone
