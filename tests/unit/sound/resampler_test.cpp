#include "sound/resampler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clavitone {
namespace {

constexpr double Pi = 3.14159265358979323846;

std::vector<std::int16_t> Sine(double frequency, int rate, int frames, int channels = 1)
{
    std::vector<std::int16_t> out;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            out.push_back(c == 0 ? static_cast<std::int16_t>(std::lround(16000 * std::sin(2 * Pi * frequency * i / rate)))
                                 : 0);
    return out;
}

// Frequency from the upward zero crossings of the middle half (the ends ramp
// in and out through the filter), and the peak level there.
std::pair<double, int> Measure(const std::vector<std::int16_t>& samples, int channels, int rate)
{
    const auto frames = static_cast<int>(samples.size()) / channels;
    int first = -1, last = -1, crossings = 0, peak = 0;
    for (int i = frames / 4; i < 3 * frames / 4; ++i) {
        const int now = samples[static_cast<std::size_t>(i * channels)];
        const int before = samples[static_cast<std::size_t>((i - 1) * channels)];
        peak = std::max(peak, std::abs(now));
        if (before < 0 && now >= 0) {
            if (first < 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    return {static_cast<double>(crossings - 1) * rate / (last - first), peak};
}

TEST(Resampler, ASineKeepsItsFrequencyLengthAndLevel)
{
    struct Case {
        int from;
        int to;
        double frequency;
    };
    for (const Case c : {Case{16000, 48000, 1000.0}, Case{44100, 48000, 3000.0}, Case{22050, 44100, 440.0},
                         Case{48000, 44100, 5000.0}, Case{96000, 48000, 10000.0}, Case{11025, 48000, 2500.0},
                         Case{44101, 48000, 1200.0}}) {
        const int frames = c.from / 4;
        const auto out = Resample(Sine(c.frequency, c.from, frames), 1, c.from, c.to);
        const auto expectedFrames = (static_cast<std::int64_t>(frames) * c.to + c.from / 2) / c.from;
        EXPECT_EQ(static_cast<std::int64_t>(out.size()), expectedFrames) << c.from << "->" << c.to;
        const auto [frequency, peak] = Measure(out, 1, c.to);
        EXPECT_NEAR(frequency, c.frequency, c.frequency * 0.002) << c.from << "->" << c.to;
        EXPECT_NEAR(peak, 16000, 250) << c.from << "->" << c.to;
    }
}

TEST(Resampler, ToneAboveTheNewNyquistIsRemovedWhenDownsampling)
{
    const auto out = Resample(Sine(20000.0, 48000, 12000), 1, 48000, 22050);
    int peak = 0;
    for (std::size_t i = out.size() / 4; i < 3 * out.size() / 4; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(out[i])));
    EXPECT_LT(peak, 160) << "an alias of a 20 kHz tone would be heard at 2.05 kHz";
}

TEST(Resampler, ChannelsStayApartAndTheSameRateIsACopy)
{
    const auto stereo = Sine(1000.0, 16000, 4000, 2);
    const auto out = Resample(stereo, 2, 16000, 48000);
    ASSERT_EQ(out.size(), 24000u);
    const auto [frequency, peak] = Measure(out, 2, 48000);
    EXPECT_NEAR(frequency, 1000.0, 2.0);
    for (std::size_t i = 1; i < out.size(); i += 2)
        ASSERT_EQ(out[i], 0) << "the silent right channel stays silent";
    EXPECT_EQ(Resample(stereo, 2, 16000, 16000), stereo);
    EXPECT_TRUE(Resample(stereo, 2, 0, 48000).empty());
}

TEST(Resampler, OutputSizesAreWorkedOutWithoutWrapping)
{
    struct Case {
        std::uint64_t frames;
        int from;
        int to;
        std::uint64_t expected;
    };
    for (const Case c : {Case{4800, 16000, 48000, 14400}, Case{1, 44100, 48000, 1}, Case{441, 44100, 48000, 480},
                         // 1 Hz to 48 kHz: beyond 32 bits, where a 32-bit size wrapped to a small buffer.
                         Case{89479, 1, 48000, 4'294'992'000ull},
                         Case{16'000'000, 1000, 192000, 3'072'000'000ull}, Case{5, 0, 48000, 0}})
        EXPECT_EQ(ResampledFrames(c.frames, c.from, c.to), c.expected) << c.frames << " at " << c.from;
}

}  // namespace
}  // namespace clavitone
