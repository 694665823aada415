#include "app/frm_pref.h"

#include <gtest/gtest.h>

#include "tests/unit/pref_fixture.h"
#include "tests/unit/sound/wav_file.h"

namespace clavitone {
namespace {

// The engine settings as the store holds them, from start-up on and after a
// change made while the program runs.
class FrmPrefEngineTest : public PrefFixture {
protected:
    FrmPrefEngineTest()
    {
        Store("Typewriter_#65", folder.File("65.wav"));
        testing_wav::WriteWav(folder.File("65.wav"), 22050, 1, std::vector<std::int16_t>(2205, 4000));
    }

    int PlayCalls() const
    {
        int count = 0;
        for (const auto& call : journal)
            count += call.what == "sndPlaySoundA";
        return count;
    }

    testing_wav::TempFolder folder{"frmpref"};
};

TEST_F(FrmPrefEngineTest, WithoutTheSettingEveryKeyTakesTheClassicCall)
{
    pref.Form_Load();
    pref.Form_KeyDown(65, 0);
    EXPECT_EQ(PlayCalls(), 1);
    EXPECT_EQ(pref.Engine().State(), EngineState::Classic);
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(FrmPrefEngineTest, TheEngineStartsWithTheProgramAndFollowsMuteAndChanges)
{
    Store("SoundEngine", "1");
    Store("Volume", "loud");  // malformed: full volume
    pref.Form_Load();
    EXPECT_EQ(pref.Engine().State(), EngineState::Wasapi);
    pref.Form_KeyDown(65, 0);
    pref.Form_KeyDown(66, 0);  // no readable file: the classic call plays it
    EXPECT_EQ(PlayCalls(), 1);
    EXPECT_GT(audio.Pull(1)[0], 0.1f);

    pref.ToggleSound();
    EXPECT_EQ(pref.Engine().State(), EngineState::Muted);
    pref.ToggleSound();
    EXPECT_EQ(pref.Engine().State(), EngineState::Wasapi);

    Store("SoundEngine", "0");
    pref.ApplyEngineSettings();
    EXPECT_EQ(pref.Engine().State(), EngineState::Classic);
    EXPECT_FALSE(audio.Open());
    pref.Form_KeyDown(65, 0);
    EXPECT_EQ(PlayCalls(), 2);
}

TEST_F(FrmPrefEngineTest, ShutDownClosesTheStreamBeforeTheProcessEnds)
{
    Store("SoundEngine", "1");
    pref.Form_Load();
    ASSERT_TRUE(audio.Open());
    pref.Form_Unload();
    EXPECT_FALSE(audio.Open());
    EXPECT_EQ(journal.back().what, "EndProcess");
}

}  // namespace
}  // namespace clavitone
