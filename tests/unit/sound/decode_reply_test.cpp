// The helper's pipe: what it may say, and what Clavitone keeps of it.
#include "sound/decode_reply.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

std::array<std::uint8_t, ReplyHeaderBytes> Header(std::uint32_t result, std::uint32_t rate, std::uint32_t channels,
                                                  std::uint32_t count)
{
    std::array<std::uint8_t, ReplyHeaderBytes> header{};
    const std::uint32_t fields[] = {result, rate, channels, count};
    for (std::size_t f = 0; f < 4; ++f)
        for (std::size_t i = 0; i < 4; ++i)
            header[4 * f + i] = static_cast<std::uint8_t>(fields[f] >> (8 * i));
    return header;
}

TEST(DecodeReply, ASoundGoesThroughThePipeUnchanged)
{
    const PcmSound sound{44100, 2, {0, -1, 32767, -32768, 258, -258}};
    const auto reply = EncodeReply(sound);
    ASSERT_EQ(reply.size(), ReplyHeaderBytes + 12);
    const auto shape = ReadReplyHeader(std::span(reply).first<ReplyHeaderBytes>());
    ASSERT_TRUE(std::holds_alternative<ReplyShape>(shape));
    EXPECT_EQ(std::get<ReplyShape>(shape).sampleRate, 44100);
    EXPECT_EQ(std::get<ReplyShape>(shape).channels, 2);
    EXPECT_EQ(std::get<ReplyShape>(shape).sampleCount, 6u);
    EXPECT_EQ(ReplySamples(std::span(reply).subspan(ReplyHeaderBytes)), sound.samples);

    const auto failed = EncodeReply(DecodeFailure::Mp3);
    EXPECT_EQ(std::get<DecodeFailure>(ReadReplyHeader(std::span(failed).first<ReplyHeaderBytes>())),
              DecodeFailure::Mp3);
}

// A helper that was taken over could say anything: nothing it announces is
// allocated before it is checked.
TEST(DecodeReply, HeadersNoHonestHelperWritesMeanTheHelperWentWrong)
{
    const std::array<std::uint8_t, ReplyHeaderBytes> wild[] = {
        Header(0, 44100, 1, 0),                          // no samples
        Header(0, 44100, 1, MaxDecodedSamples + 1),      // more than a file may hold
        Header(0, 44100, 1, 0xFFFFFFFF),
        Header(0, 44100, 0, 4),                          // no channels
        Header(0, 44100, 3, 4),                          // half a frame
        Header(0, 0, 1, 4),                              // no rate
        Header(0, 0x80000000, 1, 4),                     // beyond int
        Header(0, 44100, 0x80000000, 0x80000000),
        Header(6, 0, 0, 0),                              // an unknown result
        Header(0x41414141, 0, 0, 0),
    };
    for (const auto& header : wild)
        EXPECT_EQ(std::get<DecodeFailure>(ReadReplyHeader(header)), DecodeFailure::DecoderStopped);
    EXPECT_TRUE(std::holds_alternative<ReplyShape>(ReadReplyHeader(Header(0, 1, 8, MaxDecodedSamples))))
        << "the rate is judged later, with the sound";
}

TEST(DecodeReply, RequestsAreBoundedLikeTheFilesTheyCarry)
{
    EXPECT_EQ(RequestLength(RequestHeader(12345)), 12345u);
    EXPECT_EQ(RequestLength(RequestHeader(MaxAudioFileBytes)), MaxAudioFileBytes);
    EXPECT_EQ(RequestLength(RequestHeader(MaxAudioFileBytes + 1)), std::nullopt);
}

TEST(DecodeReply, OnlyPlayableSoundsAreKeptAndManyChannelsAreMixedDown)
{
    const struct {
        PcmSound sound;
        std::variant<PcmSound, DecodeFailure> kept;
    } cases[] = {
        {{1000, 1, {1, 2}}, PcmSound{1000, 1, {1, 2}}},
        {{192000, 2, {1, 2}}, PcmSound{192000, 2, {1, 2}}},
        {{1, 1, {1, 2}}, DecodeFailure::Unplayable},            // the 1 Hz pack
        {{999, 1, {1, 2}}, DecodeFailure::Unplayable},
        {{192001, 1, {1, 2}}, DecodeFailure::Unplayable},
        {{0x7FFFFFFF, 2, {1, 2}}, DecodeFailure::Unplayable},    // whose byte rate overflows a WAV header
        {{44100, 9, std::vector<std::int16_t>(9)}, DecodeFailure::Unplayable},
        {{44100, 0, {1}}, DecodeFailure::Unplayable},
        {{44100, 2, {1, 2, 3}}, DecodeFailure::Damaged},          // half a frame
        {{44100, 2, {}}, DecodeFailure::Damaged},
        {{48000, 6, {6, 6, 6, 6, 6, 6, -6, -6, -6, 0, 0, 0}}, PcmSound{48000, 1, {6, -3}}},
        {{48000, 3, {32767, 32767, 32767, -32768, -32768, -32768}}, PcmSound{48000, 1, {32767, -32768}}},
    };
    for (const auto& c : cases) {
        const DecodeResult checked = CheckedSound(c.sound);
        ASSERT_EQ(checked.index(), c.kept.index()) << c.sound.sampleRate << " Hz, " << c.sound.channels;
        if (const auto* failure = std::get_if<DecodeFailure>(&c.kept)) {
            EXPECT_EQ(std::get<DecodeFailure>(checked), *failure);
            continue;
        }
        const PcmSound& expected = std::get<PcmSound>(c.kept);
        const PcmSound& sound = std::get<PcmSound>(checked);
        EXPECT_EQ(sound.sampleRate, expected.sampleRate);
        EXPECT_EQ(sound.channels, expected.channels);
        EXPECT_EQ(sound.samples, expected.samples);
    }
    EXPECT_EQ(std::get<DecodeFailure>(CheckedSound(DecodeFailure::Mp3)), DecodeFailure::Mp3);
}

}  // namespace
}  // namespace clavitone
