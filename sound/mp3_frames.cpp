#include "sound/mp3_frames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace clavitone {

namespace {

constexpr std::size_t HeaderBytes = 4;
constexpr std::size_t Id3HeaderBytes = 10;
constexpr std::size_t Id3FooterBytes = 10;
constexpr std::uint8_t Id3HasFooter = 0x10;
constexpr std::size_t Id3v1Bytes = 128;
// Every decoder of the format outputs this many samples before the first one
// the encoder was given.
constexpr std::size_t DecoderDelay = 529;

enum Version { Mpeg25 = 0, Reserved = 1, Mpeg2 = 2, Mpeg1 = 3 };
constexpr int LayerThree = 1;
constexpr int MonoMode = 3;

constexpr std::array<int, 15> Mpeg1Kbps{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> Mpeg2Kbps{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 3> Mpeg1Rates{44100, 48000, 32000};

struct FrameHeader {
    int version;
    int sampleRate;
    int channels;
    int bitrate;
    std::size_t bytes;  // with padding
    std::size_t padding;
    int samples;
};

std::optional<FrameHeader> ReadHeader(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at + HeaderBytes > bytes.size() || bytes[at] != 0xFF || (bytes[at + 1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (bytes[at + 1] >> 3) & 3;
    const int layer = (bytes[at + 1] >> 1) & 3;
    const int bitrateIndex = bytes[at + 2] >> 4;
    const int rateIndex = (bytes[at + 2] >> 2) & 3;
    // Free-format frames name no bitrate, and no pack uses them.
    if (version == Reserved || layer != LayerThree || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    FrameHeader header{};
    header.version = version;
    const int divisor = version == Mpeg1 ? 1 : version == Mpeg2 ? 2 : 4;
    header.sampleRate = Mpeg1Rates[static_cast<std::size_t>(rateIndex)] / divisor;
    header.channels = (bytes[at + 3] >> 6) == MonoMode ? 1 : 2;
    const auto& kbps = version == Mpeg1 ? Mpeg1Kbps : Mpeg2Kbps;
    header.bitrate = kbps[static_cast<std::size_t>(bitrateIndex)] * 1000;
    header.samples = version == Mpeg1 ? 1152 : 576;
    header.padding = (bytes[at + 2] >> 1) & 1;
    header.bytes = static_cast<std::size_t>(header.samples / 8 * header.bitrate / header.sampleRate) + header.padding;
    return header;
}

// Tags before the sound: ID3v2, possibly several.
std::size_t SkipTags(std::span<const std::uint8_t> bytes)
{
    std::size_t at = 0;
    while (at + Id3HeaderBytes <= bytes.size() && bytes[at] == 'I' && bytes[at + 1] == 'D' && bytes[at + 2] == '3') {
        std::size_t size = 0;
        for (std::size_t i = 6; i < 10; ++i)
            size = (size << 7) | (bytes[at + i] & 0x7F);
        at += Id3HeaderBytes + size + ((bytes[at + 5] & Id3HasFooter) ? Id3FooterBytes : 0);
    }
    return at;
}

// A frame that the next one follows, the same kind: not a stray 0xFF in a tag.
bool IsFrameAt(std::span<const std::uint8_t> bytes, std::size_t at, FrameHeader& header)
{
    const auto found = ReadHeader(bytes, at);
    if (!found)
        return false;
    const auto next = ReadHeader(bytes, at + found->bytes);
    if (!next || next->version != found->version || next->sampleRate != found->sampleRate)
        return false;
    header = *found;
    return true;
}

std::size_t SideInfoBytes(const FrameHeader& header)
{
    if (header.version == Mpeg1)
        return header.channels == 1 ? 17 : 32;
    return header.channels == 1 ? 9 : 17;
}

bool TextAt(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text)
{
    return at + text.size() <= bytes.size() &&
           std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

// The encoder's information frame ("Xing" or "Info") holds no sound; its
// encoder part tells the delay and padding. True when the frame is one.
bool ReadInfoFrame(std::span<const std::uint8_t> bytes, std::size_t frame, const FrameHeader& header,
                   Mp3Stream& stream)
{
    const std::size_t tag = frame + HeaderBytes + SideInfoBytes(header);
    if (!TextAt(bytes, tag, "Xing") && !TextAt(bytes, tag, "Info"))
        return false;
    if (tag + 8 > bytes.size())
        return true;
    const std::uint32_t flags = BigEndian(bytes, tag + 4);
    std::size_t encoder = tag + 8;
    for (const auto& [flag, size] : {std::pair{1u, 4u}, std::pair{2u, 4u}, std::pair{4u, 100u}, std::pair{8u, 4u}})
        if (flags & flag)
            encoder += size;
    // "LAME3.100", or the same layout from other encoders: delay and padding
    // are 12 bits each, 21 bytes in.
    constexpr std::size_t DelayAt = 21;
    if (encoder + DelayAt + 3 > frame + header.bytes || encoder + DelayAt + 3 > bytes.size())
        return true;
    const std::size_t delay = (std::size_t{bytes[encoder + DelayAt]} << 4) | (bytes[encoder + DelayAt + 1] >> 4);
    const std::size_t padding = (std::size_t{bytes[encoder + DelayAt + 1] & 0x0Fu} << 8) | bytes[encoder + DelayAt + 2];
    if (delay == 0 && padding == 0)
        return true;
    stream.leadingFrames = delay + DecoderDelay;
    stream.trailingFrames = padding > DecoderDelay ? padding - DecoderDelay : 0;
    return true;
}

}  // namespace

std::optional<Mp3Stream> FindMp3Stream(std::span<const std::uint8_t> bytes)
{
    Mp3Stream stream;
    stream.end = bytes.size();
    if (stream.end >= Id3v1Bytes && TextAt(bytes, stream.end - Id3v1Bytes, "TAG"))
        stream.end -= Id3v1Bytes;
    const auto frames = bytes.first(stream.end);
    FrameHeader header{};
    std::size_t at = SkipTags(frames);
    while (at < frames.size() && !IsFrameAt(frames, at, header))
        ++at;
    if (at >= frames.size())
        return std::nullopt;
    if (ReadInfoFrame(frames, at, header, stream)) {
        at += header.bytes;
        if (!IsFrameAt(frames, at, header) && !ReadHeader(frames, at))
            return std::nullopt;
        header = *ReadHeader(frames, at);
    }
    stream.firstFrame = at;
    stream.sampleRate = header.sampleRate;
    stream.channels = header.channels;
    stream.bitrate = header.bitrate;
    stream.frameBytes = header.bytes - header.padding;
    stream.samplesPerFrame = header.samples;
    return stream;
}

}  // namespace clavitone
