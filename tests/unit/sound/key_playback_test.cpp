#include "sound/key_playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
            EXPECT_EQ(call.number, PlayAsync) << "sounds are asynchronous and cut each other off";
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

// Release sounds and further press sounds, each case a key's pool and what
// a press and release of it play (classic engine: each call cuts off the last).
TEST_F(KeyPlaybackTest, ReleaseSoundsAndFurtherPressSoundsPlayOnlyWhereAKeyHasThem)
{
    struct Case {
        const char* what;
        int code;
        std::vector<std::string> morePress, release;
        Paths played;  // by a press and a release
    };
    const Case cases[] = {
        {"no release sound: key-up as always", 65, {}, {}, {"C:\\snd\\65.wav"}},
        {"a release sound on the way up", 65, {}, {"C:\\up\\65.wav"}, {"C:\\snd\\65.wav", "C:\\up\\65.wav"}},
        {"a held key's release", 16, {}, {"C:\\up\\16.wav"}, {"C:\\snd\\16.wav", "C:\\up\\16.wav"}},
        {"the menu key: slot 4 stops, then the release", 93, {}, {"C:\\up\\93.wav"},
         {"C:\\snd\\93.wav", "(null)", "C:\\up\\93.wav"}},
        {"switched off: none of its sounds", 66, {"C:\\more\\66.wav"}, {"C:\\up\\66.wav"}, {""}},
    };
    table.Set(66, "");
    for (const Case& c : cases) {
        table.Variants().Set(c.code, c.morePress, c.release);
        playback.Form_KeyDown(c.code, 0);
        playback.Form_KeyUp(c.code, 0);
        EXPECT_EQ(Played(), c.played) << c.what;
        table.Variants().Clear(c.code);
    }
}

TEST_F(KeyPlaybackTest, APooledKeyVariesAndNeverRepeatsItself)
{
    const Paths pool{"C:\\snd\\65.wav", "C:\\more\\1.wav", "C:\\more\\2.wav"};
    const Paths ups{"C:\\up\\1.wav", "C:\\up\\2.wav"};
    table.Variants().Set(65, {pool[1], pool[2]}, ups);
    for (const std::uint32_t seed : {1u, 2u, 12345u}) {
        playback.SeedVariations(seed);
        std::set<std::string> heard;
        std::string last;
        for (int i = 0; i < 30; ++i) {
            playback.Form_KeyDown(65, 0);
            playback.Form_KeyUp(65, 0);
            const Paths played = Played();
            ASSERT_EQ(played.size(), 2u);
            EXPECT_NE(played[0], last) << "seed " << seed << " press " << i;
            EXPECT_NE(std::find(pool.begin(), pool.end(), played[0]), pool.end()) << played[0];
            EXPECT_NE(std::find(ups.begin(), ups.end(), played[1]), ups.end()) << played[1];
            heard.insert(played.begin(), played.end());
            last = played[0];
        }
        EXPECT_EQ(heard.size(), pool.size() + ups.size()) << "seed " << seed;
    }
}

TEST(PickVariationTest, PicksAmongTheOthersWithEqualChances)
{
    EXPECT_EQ(PickVariation(0, 99, 7), 0u);
    EXPECT_EQ(PickVariation(1, 0, 7), 0u) << "one sound: it plays every time";
    EXPECT_EQ(PickVariation(2, 0, 0), 1u);
    EXPECT_EQ(PickVariation(2, 1, 0), 0u);
    std::vector<int> counts(4);
    for (std::uint32_t random = 0; random < 300; ++random)
        ++counts[PickVariation(4, 2, random)];
    EXPECT_EQ(counts, (std::vector<int>{100, 100, 0, 100}));
    std::vector<int> first(3);
    for (std::uint32_t random = 0; random < 300; ++random)
        ++first[PickVariation(3, SIZE_MAX, random)];
    EXPECT_EQ(first, (std::vector<int>{100, 100, 100})) << "the first pick may be any of them";
}

class QuietAlways final : public QuietGate {
public:
    bool QuietNow() override { return true; }
};

TEST_F(KeyPlaybackTest, QuietRulesSilenceTheReleaseToo)
{
    table.Variants().Set(65, {}, {"C:\\up\\65.wav"});
    QuietAlways quiet;
    playback.SetQuietGate(&quiet);
    playback.Form_KeyDown(65, 0);
    playback.Form_KeyUp(65, 0);
    EXPECT_EQ(Played(), Paths{});
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

// A playback wired to the mixing engine on a fake device, with sounds on.
struct MixedPlayback {
    explicit MixedPlayback(KeySoundTable& table) : engine{device, table, log}, playback{table, sound, &engine}
    {
        playback.SoundEnabled = true;
        playback.SoundSwitched();
        engine.Apply({true, 100, false});
    }
    fakes::Journal journal;
    fakes::RecordingSound sound{journal};
    fakes::FakeAudioDevice device;
    NoEventLog log;
    SoundEngine engine;
    KeyPlayback playback;
};

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
    MixedPlayback rig{table};
    auto& journal = rig.journal;
    auto& device = rig.device;
    auto& playback = rig.playback;

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

// Release sounds and further press sounds take the same road: mixed when the
// engine holds them, the classic call otherwise.
TEST(KeyPlaybackWithEngine, ReleaseAndFurtherSoundsAreMixedToo)
{
    testing_wav::TempFolder folder("variants");
    testing_wav::WriteWav(folder.File("down.wav"), 48000, 1, std::vector<std::int16_t>(4800, 8192));
    testing_wav::WriteWav(folder.File("up.wav"), 48000, 1, std::vector<std::int16_t>(4800, 4096));
    KeySoundTable table;
    table.Set(65, folder.File("down.wav"));
    table.Variants().Set(65, {}, {folder.File("up.wav")});
    table.Set(66, folder.File("down.wav"));
    table.Variants().Set(66, {}, {"C:\\missing-up.wav"});
    MixedPlayback rig{table};
    auto& journal = rig.journal;
    auto& device = rig.device;
    auto& playback = rig.playback;

    playback.Form_KeyDown(65, 0);
    playback.Form_KeyUp(65, 0);
    EXPECT_TRUE(journal.empty());
    EXPECT_NEAR(device.Pull(1)[0], 0.375f, 1e-3) << "the release sounds over the press";
    playback.Form_KeyUp(66, 0);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].text, "C:\\missing-up.wav");
}

}  // namespace
}  // namespace clavitone
