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

// The largest step between neighbouring left samples: a click shows as a jump.
float LargestStep(const std::vector<float>& out)
{
    float step = 0.0f;
    for (std::size_t i = 2; i < out.size(); i += 2)
        step = std::max(step, std::abs(out[i] - out[i - 2]));
    return step;
}

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
    const auto out = Render(240);
    EXPECT_LT(LargestStep(out), static_cast<float>(Level(7)) / 50) << "the stolen voice fades rather than stops";
    const float expected = static_cast<float>((Mixer::VoiceCount - 1) * Level(0) + Level(1));
    EXPECT_NEAR(out.back(), expected, 5e-4) << "slot 7, the oldest, was replaced";
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

TEST_F(MixerTest, PanKeepsTheNearSideAtFullLevelAndLowersTheFarSide)
{
    struct Case {
        float pan;
        float left;
        float right;
    };
    // sqrt(2) cos 81 degrees: the far side of a key at 0.8 falls as on the constant-power curve.
    for (const Case c : {Case{-1.0f, 1.0f, 0.0f}, Case{-0.8f, 1.0f, 0.2212f}, Case{0.0f, 1.0f, 1.0f},
                         Case{0.5f, 0.5412f, 1.0f}, Case{0.8f, 0.2212f, 1.0f}, Case{1.0f, 0.0f, 1.0f},
                         Case{3.0f, 0.0f, 1.0f}}) {
        const auto [left, right] = Mixer::PanGains(c.pan);
        EXPECT_NEAR(left, c.left, 1e-3) << c.pan;
        EXPECT_NEAR(right, c.right, 1e-3) << c.pan;
        EXPECT_LE(std::max(left, right), 1.0f) << "never louder than a centred key, at " << c.pan;
    }
    mixer.Trigger(4, -0.5f);
    const auto out = Render(1);
    EXPECT_GT(out[0], out[1]) << "a key on the left sounds louder on the left";
    EXPECT_NEAR(out[0], Level(4), 1e-5);
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

TEST_F(MixerTest, ANewBankKeepsTheVoicesItStillHoldsAndFadesTheOthers)
{
    mixer.Trigger(2, 0.0f);
    mixer.Trigger(5, 0.0f);
    Render(1);
    SoundBank next;
    next.sounds[9] = bank.sounds[5];  // the same sound, now on another key
    mixer.UseBank(&next);
    EXPECT_EQ(mixer.BankInUse(), &bank) << "taken over only by the render thread";
    const auto fade = Render(96);  // 2 ms at 48 kHz
    EXPECT_LT(LargestStep(fade), static_cast<float>(Level(2)) / 50) << "faded, not cut";
    EXPECT_GT(fade[0], Level(5) + Level(2) / 2);
    const auto after = Render(144);  // 5 ms in all
    EXPECT_NEAR(after.back(), Level(5), 1e-4) << "the shared sound plays on, the other has faded out";
    EXPECT_EQ(mixer.BankInUse(), &next) << "the former bank is free once its fades have ended";
}

TEST_F(MixerTest, SettlingForgetsQueuedKeysAndPlayingVoices)
{
    mixer.Trigger(3, 0.0f);
    Render(1);
    mixer.Trigger(4, 0.0f);
    mixer.Settle();
    EXPECT_EQ(Render(2), std::vector<float>(4, 0.0f)) << "nothing stale sounds when a stream starts again";
    mixer.Trigger(4, 0.0f);
    EXPECT_NEAR(Render(1)[0], Level(4), 1e-5);
}

}  // namespace
}  // namespace clavitone
