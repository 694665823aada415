#include "sound/wav_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace clavitone {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(Bytes& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct WavSpec {
    unsigned tag = 1;  // 1 PCM, 3 float, 0xFFFE extensible
    unsigned subtype = 1;
    unsigned channels = 1;
    std::uint32_t rate = 44100;
    unsigned bits = 16;
};

// A whole file: an odd-sized chunk before "fmt " (with its pad byte), then the data.
Bytes MakeWav(const WavSpec& spec, const Bytes& data)
{
    Bytes fmt;
    Put16(fmt, spec.tag);
    Put16(fmt, spec.channels);
    Put32(fmt, spec.rate);
    Put32(fmt, spec.rate * spec.channels * spec.bits / 8);
    Put16(fmt, spec.channels * spec.bits / 8);
    Put16(fmt, spec.bits);
    if (spec.tag == 0xFFFE) {
        Put16(fmt, 22);
        Put16(fmt, spec.bits);
        Put32(fmt, spec.channels == 2 ? 3 : 4);
        Put16(fmt, spec.subtype);
        for (std::uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            fmt.push_back(b);
    }
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 0);
    PutTag(out, "WAVE");
    PutTag(out, "LIST");
    Put32(out, 3);
    out.insert(out.end(), {'a', 'b', 'c', 0});
    PutTag(out, "fmt ");
    Put32(out, static_cast<std::uint32_t>(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    PutTag(out, "data");
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    const auto riffSize = static_cast<std::uint32_t>(out.size() - 8);
    std::memcpy(&out[4], &riffSize, 4);
    return out;
}

Bytes FloatBytes(std::initializer_list<float> values)
{
    Bytes out;
    for (float v : values) {
        std::uint32_t raw;
        std::memcpy(&raw, &v, 4);
        Put32(out, raw);
    }
    return out;
}

struct FormatCase {
    std::string name;
    WavSpec spec;
    Bytes data;
    std::vector<std::int16_t> expected;
};

TEST(WavReader, ReadsEveryFormatToSixteenBitAtItsOwnRateAndChannels)
{
    const std::vector<FormatCase> cases = {
        {"8-bit unsigned", {1, 1, 1, 8000, 8}, {0x00, 0x80, 0xFF}, {-32768, 0, 32512}},
        {"16-bit stereo", {1, 1, 2, 22050, 16}, {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F}, {1, -1, -32768, 32767}},
        {"24-bit keeps the top bits", {1, 1, 1, 96000, 24}, {0xFF, 0x34, 0x12, 0x00, 0x00, 0x80}, {0x1234, -32768}},
        {"32-bit integer", {1, 1, 1, 48000, 32}, {0xFF, 0xFF, 0x34, 0x12, 0x00, 0x00, 0x00, 0x80}, {0x1234, -32768}},
        {"32-bit float, clamped, NaN silent", {3, 1, 1, 16000, 32},
         FloatBytes({0.5f, -1.0f, 4.0f, std::nanf("")}), {16384, -32767, 32767, 0}},
        {"extensible PCM", {0xFFFE, 1, 2, 44100, 16}, {0x02, 0x00, 0x03, 0x00}, {2, 3}},
        {"extensible float", {0xFFFE, 3, 1, 44100, 32}, FloatBytes({-0.5f}), {-16384}},
        {"a partial last frame is dropped", {1, 1, 2, 8000, 16}, {0x01, 0x00, 0x02, 0x00, 0x03}, {1, 2}},
        {"no samples", {1, 1, 1, 8000, 16}, {}, {}},
        {"the slowest rate taken", {1, 1, 1, 1000, 16}, {0x05, 0x00}, {5}},
    };
    for (const auto& c : cases) {
        const auto sound = ReadWav(MakeWav(c.spec, c.data));
        ASSERT_TRUE(sound) << c.name;
        EXPECT_EQ(sound->sampleRate, static_cast<int>(c.spec.rate)) << c.name;
        EXPECT_EQ(sound->channels, static_cast<int>(c.spec.channels)) << c.name;
        EXPECT_EQ(sound->samples, c.expected) << c.name;
    }
}

TEST(WavReader, RefusesFormatsItCannotPlayAndBrokenStructure)
{
    const Bytes two = {0, 0, 0, 0};
    auto withByte = [&](std::size_t at, std::uint8_t value) {
        Bytes b = MakeWav({}, two);
        b[at] = value;
        return b;
    };
    Bytes fmtAfterData = MakeWav({}, two);
    std::memcpy(&fmtAfterData[24], "junk", 4);  // the "fmt " chunk becomes an unknown one
    Bytes truncated = MakeWav({}, {1, 2, 3, 4, 5, 6});
    truncated.pop_back();
    const Bytes whole = MakeWav({}, two);
    const Bytes noData(whole.begin(), whole.end() - 12);  // ends before the "data" chunk
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"empty", {}},
        {"not RIFF", withByte(0, 'X')},
        {"not WAVE", withByte(8, 'X')},
        {"compressed", MakeWav({2, 1, 1, 8000, 4}, two)},
        {"12-bit PCM", MakeWav({1, 1, 1, 8000, 12}, two)},
        {"64-bit float", MakeWav({3, 1, 1, 8000, 64}, two)},
        {"three channels", MakeWav({1, 1, 3, 8000, 16}, Bytes(6))},
        {"no channels", MakeWav({1, 1, 0, 8000, 16}, two)},
        {"rate zero", MakeWav({1, 1, 1, 0, 16}, two)},
        {"rate 1 Hz", MakeWav({1, 1, 1, 1, 16}, two)},
        {"rate just below 1000 Hz", MakeWav({1, 1, 1, 999, 16}, two)},
        {"rate absurd", MakeWav({1, 1, 1, 0x7FFFFFFF, 16}, two)},
        {"extensible with an unknown subtype", MakeWav({0xFFFE, 2, 1, 8000, 16}, two)},
        {"block size that disagrees", withByte(32 + 12, 3)},
        {"data before fmt", fmtAfterData},
        {"data chunk longer than the file", truncated},
        {"no data chunk", noData},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(ReadWav(bytes)) << name;
}

// Hostile headers: every truncation and many random corruptions of valid files
// are either refused or read into a sound that stays within the input's size.
TEST(WavReader, CorruptedHeadersAreRefusedOrReadWithinBounds)
{
    std::mt19937 random(16);
    const std::vector<Bytes> seeds = {
        MakeWav({1, 1, 1, 8000, 8}, Bytes(9, 0x40)),
        MakeWav({1, 1, 2, 44100, 16}, Bytes(16, 0x11)),
        MakeWav({1, 1, 2, 48000, 24}, Bytes(18, 0x22)),
        MakeWav({0xFFFE, 3, 1, 16000, 32}, FloatBytes({0.1f, 0.2f, 0.3f})),
    };
    auto check = [](const Bytes& bytes) {
        // An exact-size copy, so that a sanitizer build sees any read past the end.
        const auto copy = std::make_unique<std::uint8_t[]>(bytes.size() + 1);
        std::copy(bytes.begin(), bytes.end(), copy.get());
        const auto sound = ReadWav({copy.get(), bytes.size()});
        if (!sound)
            return;
        ASSERT_TRUE(sound->channels == 1 || sound->channels == 2);
        ASSERT_GE(sound->sampleRate, MinSampleRate);
        ASSERT_EQ(sound->samples.size() % static_cast<std::size_t>(sound->channels), 0u);
        ASSERT_LE(sound->samples.size(), bytes.size());
    };
    for (const auto& seed : seeds) {
        for (std::size_t length = 0; length <= seed.size(); ++length)
            check(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)));
        for (int round = 0; round < 4000; ++round) {
            Bytes bytes = seed;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i) {
                // Mostly the header, where the sizes and the format live.
                const std::size_t at = random() % std::min<std::size_t>(bytes.size(), 72);
                bytes[at] = random() % 3 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
            }
            check(bytes);
        }
    }
}

}  // namespace
}  // namespace clavitone
