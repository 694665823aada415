#include "sound/sound_engine.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_audio_device.h"
#include "tests/unit/sound/wav_file.h"

namespace clavitone {
namespace {

using testing_wav::TempFolder;
using testing_wav::WriteWav;
using Calls = std::vector<std::string>;

constexpr int Letter = 65;
constexpr int Broken = 66;
constexpr int Off = 67;

class SoundEngineTest : public ::testing::Test {
protected:
    SoundEngineTest()
    {
        WriteWav(folder.File("a.wav"), 48000, 1, std::vector<std::int16_t>(4800, 8192));
        table.Set(Letter, folder.File("a.wav"));
        table.Set(Broken, folder.File("missing.wav"));
        table.Set(Off, "");
        PanTable pan{};
        pan[Letter] = -0.8f;
        engine.SetPanTable(pan);
    }

    void TurnOn(EngineSettings settings = {true, 100, false})
    {
        engine.SetSoundEnabled(true);
        engine.Apply(settings);
    }

    TempFolder folder{"engine"};
    KeySoundTable table;
    fakes::FakeAudioDevice device;
    SoundEngine engine{device, table};
};

TEST_F(SoundEngineTest, WithTheSettingOffNothingIsOpenedOrHeld)
{
    TurnOn({false, 100, false});
    EXPECT_EQ(engine.State(), EngineState::Classic);
    EXPECT_FALSE(engine.Play(Letter));
    EXPECT_TRUE(device.calls.empty());
    EXPECT_EQ(engine.PreloadedBytes(), 0u);
}

TEST_F(SoundEngineTest, OnItMixesPreloadedSlotsAndHandsTheRestToTheClassicCall)
{
    TurnOn();
    EXPECT_EQ(engine.State(), EngineState::Wasapi);
    EXPECT_EQ(device.calls, Calls{"Start Wasapi"});
    EXPECT_EQ(engine.PreloadedBytes(), 4800u * 2);
    EXPECT_EQ(device.Pull(1), std::vector<float>(2, 0.0f)) << "warm and silent between keys";
    EXPECT_TRUE(engine.Play(Letter));
    EXPECT_TRUE(engine.Play(Off)) << "a key switched off stays silent";
    EXPECT_TRUE(engine.Play(3)) << "an unset slot is silent";
    EXPECT_FALSE(engine.Play(Broken));
    EXPECT_FALSE(engine.Play(300));
    const auto out = device.Pull(1);
    EXPECT_NEAR(out[0], 0.25f, 1e-3);
    EXPECT_EQ(out[0], out[1]) << "centred without StereoKeys";
}

TEST_F(SoundEngineTest, SettingsApplyAtOnce)
{
    TurnOn();
    engine.Apply({true, 100, true});
    engine.Play(Letter);
    auto out = device.Pull(1);
    EXPECT_GT(out[0], 2 * out[1]) << "placed by its key's position";
    engine.Apply({true, 0, true});
    out = device.Pull(4800);
    EXPECT_EQ(out[out.size() - 2], 0.0f) << "volume 0";
    engine.Apply({false, 0, true});
    EXPECT_EQ(engine.State(), EngineState::Classic);
    EXPECT_FALSE(device.Open());
    EXPECT_FALSE(engine.Play(Letter));
    EXPECT_EQ(engine.PreloadedBytes(), 0u);
}

TEST_F(SoundEngineTest, MutingReleasesTheDeviceAndUnmutingOpensItAgain)
{
    TurnOn();
    engine.SetSoundEnabled(false);
    EXPECT_EQ(engine.State(), EngineState::Muted);
    EXPECT_FALSE(device.Open());
    engine.SetSoundEnabled(true);
    EXPECT_EQ(engine.State(), EngineState::Wasapi);
    EXPECT_EQ(device.calls, (Calls{"Start Wasapi", "Stop", "Start Wasapi"}));
    EXPECT_EQ(engine.PreloadedBytes(), 4800u * 2) << "the sounds stay loaded";
}

TEST_F(SoundEngineTest, FallsBackToWaveOutAndThenToTheClassicCall)
{
    device.failing = {AudioApi::Wasapi};
    TurnOn();
    EXPECT_EQ(engine.State(), EngineState::WaveOut);
    EXPECT_TRUE(engine.Play(Letter));
    engine.SetSoundEnabled(false);
    device.failing = {AudioApi::Wasapi, AudioApi::WaveOut};
    engine.SetSoundEnabled(true);
    EXPECT_EQ(engine.State(), EngineState::Fallback);
    EXPECT_FALSE(engine.Play(Letter)) << "never silent because an audio API failed";
}

TEST_F(SoundEngineTest, ALostDeviceIsOpenedAgainAndTypingGoesOn)
{
    TurnOn();
    device.lost = true;
    EXPECT_TRUE(engine.Play(Letter));
    EXPECT_EQ(device.calls, (Calls{"Start Wasapi", "Stop", "Start Wasapi"}));
    EXPECT_NEAR(device.Pull(1)[0], 0.25f, 1e-3);
    device.lost = true;
    device.failing = {AudioApi::Wasapi, AudioApi::WaveOut};
    EXPECT_FALSE(engine.Play(Letter));
    EXPECT_EQ(engine.State(), EngineState::Fallback);
}

TEST_F(SoundEngineTest, ADeviceAtAnotherRateGetsTheSoundsConvertedToIt)
{
    TurnOn();
    engine.SetSoundEnabled(false);
    device.format = {44100, 1};
    engine.SetSoundEnabled(true);
    EXPECT_EQ(engine.PreloadedBytes(), 4410u * 2);
    engine.Play(Letter);
    EXPECT_NEAR(device.Pull(100)[99], 0.25f, 1e-3) << "a mono stream";
}

TEST_F(SoundEngineTest, TheTableAsItIsNowDecidesUntilTheNextPreload)
{
    TurnOn();
    table.Set(Letter, "");
    EXPECT_TRUE(engine.Play(Letter)) << "switched off since the preload: silent";
    EXPECT_EQ(device.Pull(1), std::vector<float>(2, 0.0f));
    WriteWav(folder.File("b.wav"), 48000, 1, std::vector<std::int16_t>(480, -8192));
    table.Set(Letter, folder.File("b.wav"));
    table.Set(Broken, folder.File("b.wav"));
    EXPECT_FALSE(engine.Play(Letter)) << "a new path not yet preloaded takes the classic call";
    engine.Preload();
    EXPECT_TRUE(engine.Play(Letter));
    EXPECT_TRUE(engine.Play(Broken));
    EXPECT_NEAR(device.Pull(1)[0], -0.5f, 1e-3) << "both keys sound the new file";
}

// A key's further press sounds and release sounds are held beside the
// slots, shared with any slot of the same file, and mixed like them.
TEST_F(SoundEngineTest, VariantsAreHeldBesideTheSlotsAndMixedLikeThem)
{
    WriteWav(folder.File("up.wav"), 48000, 1, std::vector<std::int16_t>(480, -8192));
    table.Variants().Set(Letter, {folder.File("a.wav"), folder.File("missing.wav")}, {folder.File("up.wav")});
    TurnOn();
    EXPECT_EQ(engine.PreloadedBytes(), (4800u + 480u) * 2) << "a.wav is held once for slot and variant";
    EXPECT_TRUE(engine.PlayVariant(Letter, KeyMotion::Press, 0));
    EXPECT_TRUE(engine.PlayVariant(Letter, KeyMotion::Release, 0));
    EXPECT_NEAR(device.Pull(1)[0], 0.0f, 1e-3) << "press and release together cancel out";
    EXPECT_FALSE(engine.PlayVariant(Letter, KeyMotion::Press, 1)) << "unreadable: the classic call plays it";
    EXPECT_FALSE(engine.PlayVariant(Letter, KeyMotion::Release, 1)) << "no such sound";
    EXPECT_FALSE(engine.PlayVariant(300, KeyMotion::Press, 0));

    table.Variants().Set(Letter, {}, {folder.File("a.wav")});
    EXPECT_FALSE(engine.PlayVariant(Letter, KeyMotion::Release, 0)) << "changed since the preload";
    engine.Preload();
    EXPECT_TRUE(engine.PlayVariant(Letter, KeyMotion::Release, 0));
}

}  // namespace
}  // namespace clavitone
