#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "sound/ogg_decoder.h"
#include "sound/wav_reader.h"
#include "sound/wav_writer.h"

namespace clavitone {
namespace {

std::vector<std::uint8_t> TestOgg()
{
    std::ifstream file(CLAVITONE_TEST_OGG, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(WavWriter, WritesWhatTheReaderReadsBack)
{
    const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768, 1234};
    for (const int channels : {1, 2}) {
        const auto bytes = WavFileBytes(44100, channels, samples);
        EXPECT_EQ(bytes.size(), 44u + 2 * samples.size());
        const auto read = ReadWav(bytes);
        ASSERT_TRUE(read) << channels;
        EXPECT_EQ(read->sampleRate, 44100);
        EXPECT_EQ(read->channels, channels);
        EXPECT_EQ(read->samples, samples);
    }
}

TEST(OggDecoder, DecodesAToneAndRefusesDamagedOrOverlongStreams)
{
    const auto ogg = TestOgg();
    ASSERT_GT(ogg.size(), 100u);
    const auto sound = DecodeOgg(ogg, 1 << 20);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 22050);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_NEAR(static_cast<double>(sound->samples.size()), 2 * 22050 * 0.5, 2 * 64);
    int loud = 0;
    for (const std::int16_t sample : sound->samples)
        loud += sample > 8000 || sample < -8000;
    EXPECT_GT(loud, 1000) << "a sine tone, not silence";

    EXPECT_FALSE(DecodeOgg(ogg, sound->samples.size() - 1)) << "longer than allowed";
    auto headless = ogg;
    std::fill(headless.begin() + 28, headless.begin() + 60, 0xAB);
    EXPECT_FALSE(DecodeOgg(headless, 1 << 20)) << "damaged header";
    EXPECT_FALSE(DecodeOgg(std::span(ogg).first(ogg.size() / 8), 1 << 20)) << "cut short";
    EXPECT_FALSE(DecodeOgg({}, 1 << 20));
}

}  // namespace
}  // namespace clavitone
