// Finding the frames of sound in an MP3 file for Windows' codec: past tags,
// stray bytes and the encoder's information frame, whose delay and padding
// are dropped from the decoded sound.
#include "sound/mp3_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace clavitone {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A Layer III frame: header bytes 2 to 4 as given, the rest zero.
Bytes Frame(std::uint8_t versionByte, std::uint8_t rateByte, std::uint8_t modeByte, std::size_t length)
{
    Bytes frame(length);
    frame[0] = 0xFF;
    frame[1] = versionByte;
    frame[2] = rateByte;
    frame[3] = modeByte;
    return frame;
}

constexpr std::uint8_t Mpeg1 = 0xFB;  // MPEG-1 Layer III, no CRC
constexpr std::uint8_t Mpeg2 = 0xF3;  // MPEG-2 Layer III
constexpr std::uint8_t Layer2 = 0xFD;
constexpr std::uint8_t At128k44100 = 0x90;
constexpr std::uint8_t At64k22050 = 0x80;
constexpr std::uint8_t Stereo = 0x00;
constexpr std::uint8_t Mono = 0xC0;
constexpr std::size_t Length128k = 417;  // 144 * 128000 / 44100

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Sound(int frames)
{
    Bytes all;
    for (int i = 0; i < frames; ++i) {
        const Bytes frame = Frame(Mpeg1, At128k44100, Stereo, Length128k);
        all.insert(all.end(), frame.begin(), frame.end());
    }
    return all;
}

// The encoder's information frame with a delay and padding of 12 bits each.
Bytes InfoFrame(std::size_t delay, std::size_t padding)
{
    Bytes frame = Frame(Mpeg1, At128k44100, Stereo, Length128k);
    const std::size_t tag = 4 + 32;
    const std::string info = "Info";
    std::copy(info.begin(), info.end(), frame.begin() + tag);
    frame[tag + 7] = 0x0F;  // frames, bytes, table of contents and quality follow
    const std::size_t encoder = tag + 8 + 4 + 4 + 100 + 4;
    const std::string lame = "LAME3.100";
    std::copy(lame.begin(), lame.end(), frame.begin() + static_cast<std::ptrdiff_t>(encoder));
    frame[encoder + 21] = static_cast<std::uint8_t>(delay >> 4);
    frame[encoder + 22] = static_cast<std::uint8_t>(((delay & 0x0F) << 4) | (padding >> 8));
    frame[encoder + 23] = static_cast<std::uint8_t>(padding & 0xFF);
    return frame;
}

Bytes Id3v2(std::size_t size)
{
    Bytes tag{'I', 'D', '3', 4, 0, 0, 0, 0, static_cast<std::uint8_t>(size >> 7), static_cast<std::uint8_t>(size & 0x7F)};
    tag.resize(10 + size, 0xFF);  // a tag full of bytes that look like a sync
    return tag;
}

TEST(Mp3Frames, FindsTheSoundAndWhatTheCodecMustBeTold)
{
    struct Case {
        const char* what;
        Bytes bytes;
        std::optional<Mp3Stream> expected;
    };
    Bytes id3v1(128);
    id3v1[0] = 'T';
    id3v1[1] = 'A';
    id3v1[2] = 'G';
    const Mp3Stream plain{0, 3 * Length128k, 44100, 2, 128000, Length128k, 1152, 0, 0};
    auto at = [&](std::size_t first, std::size_t end) {
        Mp3Stream stream = plain;
        stream.firstFrame = first;
        stream.end = end;
        return stream;
    };
    Mp3Stream trimmed = at(Length128k, 4 * Length128k);
    trimmed.leadingFrames = 576 + 529;
    trimmed.trailingFrames = 1000 - 529;
    const Case cases[] = {
        {"frames alone", Sound(3), plain},
        {"after a tag", Join({Id3v2(300), Sound(3)}), at(310, 310 + 3 * Length128k)},
        {"after stray bytes", Join({Bytes{0xFF, 0xFB, 0x00, 0x12, 0xFF}, Sound(3)}), at(5, 5 + 3 * Length128k)},
        {"with a tag at the end", Join({Sound(3), id3v1}), plain},
        {"behind the encoder's information frame", Join({InfoFrame(576, 1000), Sound(3)}), trimmed},
        {"MPEG-2, mono", Join({Frame(Mpeg2, At64k22050, Mono, 208), Frame(Mpeg2, At64k22050, Mono, 208)}),
         Mp3Stream{0, 416, 22050, 1, 64000, 208, 576, 0, 0}},
        {"a single frame is no stream", Sound(1), std::nullopt},
        {"Layer II", Join({Frame(Layer2, At128k44100, Stereo, 417), Frame(Layer2, At128k44100, Stereo, 417)}),
         std::nullopt},
        {"nothing", Bytes{}, std::nullopt},
        {"a tag that claims more than there is", Bytes{'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto found = FindMp3Stream(c.bytes);
        ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.what;
        if (!found)
            continue;
        const Mp3Stream& e = *c.expected;
        EXPECT_EQ(std::tie(found->firstFrame, found->end, found->sampleRate, found->channels, found->bitrate),
                  std::tie(e.firstFrame, e.end, e.sampleRate, e.channels, e.bitrate))
            << c.what;
        EXPECT_EQ(std::tie(found->frameBytes, found->samplesPerFrame, found->leadingFrames, found->trailingFrames),
                  std::tie(e.frameBytes, e.samplesPerFrame, e.leadingFrames, e.trailingFrames))
            << c.what;
    }
}

}  // namespace
}  // namespace clavitone
