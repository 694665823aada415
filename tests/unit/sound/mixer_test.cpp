#include "sound/mixer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clavitone {
namespace {

// Constant sounds make every sum visible in a single output sample.
class MixerTest : public ::testing::Test {
protected:
    MixerTest()
    {
        bank.sampleRate = 48000;
        for (int slot = 0; slot < 8; ++slot) {
            auto sound = std::make_shared<MixSound>();
            sound->channels = 1;
            sound->samples.assign(48000, static_cast<std::int16_t>(std::lround(Level(slot) * 32768)));
            bank.sounds[static_cast<std::size_t>(slot)] = sound;
            bank.kinds[static_cast<std::size_t>(slot)] = SlotSound::Mixed;
        }
        mixer.UseBank(&bank);
        mixer.Settle();
    }

    static double Level(int slot) { return 0.001 * (1 << slot); }

    std::vector<float> Render(int frames, int channels = 2)
    {
        std::vector<float> out(static_cast<std::size_t>(frames * channels));
        mixer.Render(out.data(), frames, channels);
        return out;
    }

    SoundBank bank;
    Mixer mixer;
};

TEST_F(MixerTest, OverlappingKeysAreSummedAndSilenceFollows)
{
    EXPECT_EQ(Render(4), std::vector<float>(8, 0.0f));
    mixer.Trigger(3, 0.0f);
    mixer.Trigger(4, 0.0f);
    mixer.Trigger(99, 0.0f);  // beyond the table: ignored
    const auto out = Render(47999);
    EXPECT_NEAR(out[0], Level(3) + Level(4), 1e-4);
    EXPECT_NEAR(out[1], Level(3) + Level(4), 1e-4);
    EXPECT_NEAR(out.back(), Level(3) + Level(4), 1e-4);
    EXPECT_NEAR(Render(1)[0], Level(3) + Level(4), 1e-4);
    EXPECT_EQ(Render(2), std::vector<float>(4, 0.0f)) << "both sounds have ended";
}

TEST_F(MixerTest, TheOldestVoiceMakesWayWhenAllAreBusy)
{
    mixer.Trigger(7, 0.0f);
    Render(1);
    for (int i = 1; i < Mixer::VoiceCount; ++i)
        mixer.Trigger(0, 0.0f);
    Render(1);
    mixer.Trigger(1, 0.0f);
    const float expected = static_cast<float>((Mixer::VoiceCount - 1) * Level(0) + Level(1));
    EXPECT_NEAR(Render(1)[0], expected, 5e-4) << "slot 7, the oldest, was replaced";
}

TEST_F(MixerTest, VolumeChangesGlideWithoutAJump)
{
    mixer.Trigger(5, 0.0f);
    const float full = Render(1)[0];
    mixer.SetVolume(0);
    const auto out = Render(960);
    float before = full;
    for (std::size_t i = 0; i < out.size(); i += 2) {
        EXPECT_LE(out[i], before);
        EXPECT_LT(before - out[i], full * 0.01f) << "a step this large would click, at frame " << i / 2;
        before = out[i];
    }
    EXPECT_EQ(out[out.size() - 2], 0.0f) << "silent within 10 ms";
    mixer.SetVolume(50);
    EXPECT_NEAR(Render(960)[1918], full * 0.25f, 1e-4) << "half the scale is a quarter of the level";
}

TEST_F(MixerTest, PanIsConstantPowerWithTheCentreAtFullLevel)
{
    for (const float pan : {-1.0f, -0.8f, -0.3f, 0.0f, 0.5f, 1.0f}) {
        const auto [left, right] = Mixer::PanGains(pan);
        EXPECT_NEAR(left * left + right * right, 2.0f, 1e-5) << pan;
        EXPECT_GE(left, -1e-6f);
        EXPECT_GE(right, -1e-6f);
    }
    EXPECT_NEAR(Mixer::PanGains(0.0f)[0], 1.0f, 1e-6);
    EXPECT_NEAR(Mixer::PanGains(0.0f)[1], 1.0f, 1e-6);
    EXPECT_NEAR(Mixer::PanGains(-1.0f)[1], 0.0f, 1e-6);
    mixer.Trigger(4, -0.5f);
    const auto out = Render(1);
    EXPECT_GT(out[0], out[1]) << "a key on the left sounds louder on the left";
}

TEST_F(MixerTest, LoudSumsBendSmoothlyBelowFullScale)
{
    float before = 0.0f;
    for (float x = 0.0f; x <= 8.0f; x += 0.01f) {
        const float y = Mixer::SoftLimit(x);
        ASSERT_LE(y, 1.0f);
        ASSERT_GE(y, before) << x;
        ASSERT_LT(y - before, 0.0101f) << "no kink at " << x;
        ASSERT_EQ(Mixer::SoftLimit(-x), -y);
        before = y;
    }
    EXPECT_EQ(Mixer::SoftLimit(0.5f), 0.5f);
}

TEST_F(MixerTest, MonoAndSurroundOutputsGetTheirOwnLayout)
{
    mixer.Trigger(6, 0.0f);
    EXPECT_NEAR(Render(1, 1)[0], Level(6), 1e-4);
    const auto six = Render(1, 6);
    EXPECT_NEAR(six[0], Level(6), 1e-4);
    EXPECT_NEAR(six[1], Level(6), 1e-4);
    EXPECT_EQ(std::vector<float>(six.begin() + 2, six.end()), std::vector<float>(4, 0.0f));
}

TEST_F(MixerTest, ANewBankStopsTheVoicesOfTheOldOne)
{
    mixer.Trigger(2, 0.0f);
    Render(1);
    SoundBank empty;
    mixer.UseBank(&empty);
    EXPECT_EQ(mixer.BankInUse(), &bank) << "taken over only by the render thread";
    EXPECT_EQ(Render(1), std::vector<float>(2, 0.0f));
    EXPECT_EQ(mixer.BankInUse(), &empty);
}

}  // namespace
}  // namespace clavitone
