#include "sound/sound_engine.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_audio_device.h"
#include "tests/fakes/recording_log.h"
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
    fakes::RecordingLog log;
    SoundEngine engine{device, table, log};
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
    device.format = {44100, 1, 10};
    engine.SetSoundEnabled(true);
    engine.Play(Letter);
    EXPECT_NEAR(device.Pull(100)[99], 0.25f, 1e-3) << "a mono stream";
    engine.Tick(0);
    EXPECT_EQ(engine.PreloadedBytes(), 4410u * 2);
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

TEST_F(SoundEngineTest, AStopForgetsKeysQueuedOrSoundingBeforeIt)
{
    TurnOn();
    for (int i = 0; i < 16; ++i)
        engine.Play(Letter);  // a stall: queued, never rendered
    device.Pull(1);
    engine.Play(Letter);
    engine.SetSoundEnabled(false);
    engine.SetSoundEnabled(true);
    EXPECT_EQ(device.Pull(1), std::vector<float>(2, 0.0f)) << "no burst of stale keys after the restart";
}

TEST_F(SoundEngineTest, AKeyThatFindsTheRingFullTakesTheClassicCall)
{
    TurnOn();
    int accepted = 0;
    for (int i = 0; i < 70; ++i)
        accepted += engine.Play(Letter) ? 1 : 0;
    EXPECT_EQ(accepted, static_cast<int>(TriggerRing::Capacity)) << "the rest were dropped, not played";
    device.Pull(1);
    EXPECT_TRUE(engine.Play(Letter)) << "room again once the render thread has read the ring";
}

TEST_F(SoundEngineTest, AfterAFailedStartKeysRetryWithABackoffUpToFiveMinutes)
{
    device.failing = {AudioApi::Wasapi, AudioApi::WaveOut};
    TurnOn();
    ASSERT_EQ(engine.State(), EngineState::Fallback);
    EXPECT_EQ(engine.Status(), "Mixed engine unavailable: IAudioClient::Initialize failed (0x88890008); using the "
                               "classic call");
    // Key times in seconds and whether that key tries to start the stream again.
    const std::pair<int, bool> keys[] = {{4, false},   {5, true},    {14, false},  {15, true},   {34, false},
                                         {35, true},   {75, true},   {155, true},  {315, true},  {614, false},
                                         {615, true},  {914, false}, {915, true}};
    for (const auto& [seconds, retries] : keys) {
        device.now = static_cast<std::uint64_t>(seconds) * 1000;
        device.calls.clear();
        EXPECT_FALSE(engine.Play(Letter));
        EXPECT_EQ(!device.calls.empty(), retries) << "key at " << seconds << " s";
    }
    device.failing.clear();
    device.now = 1215'000;
    EXPECT_TRUE(engine.Play(Letter)) << "the audio service came back";
    EXPECT_EQ(engine.State(), EngineState::Wasapi);
    EXPECT_NE(log.lines.back().find("playing through Windows audio, 48000 Hz"), std::string::npos);
    device.failing = {AudioApi::Wasapi, AudioApi::WaveOut};
    device.lost = true;
    engine.Play(Letter);
    device.now += 4999;
    device.calls.clear();
    engine.Play(Letter);
    EXPECT_TRUE(device.calls.empty()) << "a success starts the backoff afresh at 5 s";
}

TEST_F(SoundEngineTest, TheFormerBankIsReleasedOnceTheRenderThreadHasTakenTheNewOne)
{
    TurnOn();
    WriteWav(folder.File("b.wav"), 48000, 1, std::vector<std::int16_t>(960, 100));
    table.Set(Letter, folder.File("b.wav"));
    engine.Preload();
    EXPECT_EQ(engine.PreloadedBytes(), 4800u * 2 + 960u * 2) << "the render thread may still read the old one";
    engine.Tick(0);
    EXPECT_EQ(engine.PreloadedBytes(), 4800u * 2 + 960u * 2);
    device.Pull(1);
    engine.Tick(0);
    EXPECT_EQ(engine.PreloadedBytes(), 960u * 2);
}

TEST_F(SoundEngineTest, APreloadLetsTheVoicesOfUnchangedKeysRingOn)
{
    WriteWav(folder.File("b.wav"), 48000, 1, std::vector<std::int16_t>(960, 100));
    table.Set(Broken, folder.File("b.wav"));
    TurnOn();
    engine.Play(Letter);
    engine.Play(Broken);
    device.Pull(1);
    table.Set(Broken, "");  // another key edited: Text_Change preloads
    engine.Preload();
    const auto out = device.Pull(480);
    EXPECT_NEAR(out.back(), 0.25f, 1e-3) << "the unchanged key's sound rings on, the dropped one has faded";
}

TEST_F(SoundEngineTest, AfterTheIdleTimeOrOnSuspendTheStreamStopsAndTheNextKeyStartsIt)
{
    TurnOn({true, 100, false, 5});
    engine.Tick(4999);
    EXPECT_EQ(engine.State(), EngineState::Wasapi);
    engine.Tick(5000);
    EXPECT_EQ(engine.State(), EngineState::Resting);
    EXPECT_FALSE(device.Open()) << "no stream keeps the system awake";
    EXPECT_EQ(log.lines.back(), "Sound engine stopped: no input for the idle time");
    EXPECT_TRUE(engine.Play(Letter));
    EXPECT_EQ(engine.State(), EngineState::Wasapi);
    EXPECT_NEAR(device.Pull(1)[0], 0.25f, 1e-3) << "the first key after the stop sounds";
    engine.Suspend();
    EXPECT_EQ(engine.State(), EngineState::Resting);
    EXPECT_EQ(device.calls, (Calls{"Start Wasapi", "Stop", "Start Wasapi", "Stop"}));
    engine.SetSoundEnabled(false);
    engine.Tick(10'000);
    EXPECT_EQ(engine.State(), EngineState::Muted);
}

TEST_F(SoundEngineTest, TheStatusSaysHowKeysPlay)
{
    EXPECT_EQ(engine.Status(), "Playing one sound at a time through Windows");
    TurnOn();
    EXPECT_EQ(engine.Status(), "Playing through Windows audio, 48000 Hz, 10 ms");
    device.failing = {AudioApi::Wasapi};
    engine.SetSoundEnabled(false);
    engine.SetSoundEnabled(true);
    EXPECT_EQ(engine.Status(), "Playing through the Windows wave output, 48000 Hz, 10 ms");
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
