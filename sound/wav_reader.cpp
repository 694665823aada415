#include "sound/wav_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace clavitone {

namespace {

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatFloat = 3;
constexpr std::uint16_t FormatExtensible = 0xFFFE;
constexpr std::size_t FmtSize = 16;
constexpr std::size_t ExtensibleFmtSize = 40;
// Rates beyond any audio hardware are taken as a corrupt header.
constexpr std::uint32_t MaxSampleRate = 1'000'000;
// The tail shared by the KSDATAFORMAT_SUBTYPE GUIDs of PCM and float.
constexpr std::uint8_t SubtypeTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                          0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsTag(const std::uint8_t* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

struct Format {
    std::uint16_t tag = 0;  // PCM or float, after unwrapping the extensible form
    int channels = 0;
    std::uint32_t sampleRate = 0;
    int bytesPerSample = 0;
};

std::optional<Format> ParseFmt(std::span<const std::uint8_t> fmt)
{
    if (fmt.size() < FmtSize)
        return std::nullopt;
    Format format;
    format.tag = Le16(&fmt[0]);
    format.channels = Le16(&fmt[2]);
    format.sampleRate = Le32(&fmt[4]);
    const std::uint16_t blockAlign = Le16(&fmt[12]);
    const std::uint16_t bits = Le16(&fmt[14]);
    if (format.tag == FormatExtensible) {
        if (fmt.size() < ExtensibleFmtSize || !std::equal(std::begin(SubtypeTail), std::end(SubtypeTail), &fmt[26]))
            return std::nullopt;
        format.tag = Le16(&fmt[24]);
    }
    const bool pcm = format.tag == FormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool floating = format.tag == FormatFloat && bits == 32;
    if (!pcm && !floating)
        return std::nullopt;
    if (format.channels < 1 || format.channels > 2 || format.sampleRate < static_cast<std::uint32_t>(MinSampleRate) ||
        format.sampleRate > MaxSampleRate)
        return std::nullopt;
    format.bytesPerSample = bits / 8;
    if (blockAlign != format.channels * format.bytesPerSample)
        return std::nullopt;
    return format;
}

std::int16_t FromFloat(const std::uint8_t* p)
{
    const std::uint32_t raw = Le32(p);
    float value;
    std::memcpy(&value, &raw, sizeof value);
    if (!(value == value))  // NaN
        return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

// The top 16 bits of each sample: what a 16-bit output would play.
std::int16_t ToSample(const Format& format, const std::uint8_t* p)
{
    switch (format.bytesPerSample) {
    case 1:
        return static_cast<std::int16_t>((p[0] - 128) * 256);
    case 2:
        return static_cast<std::int16_t>(Le16(p));
    case 3:
        return static_cast<std::int16_t>(Le16(p + 1));
    default:
        return format.tag == FormatFloat ? FromFloat(p) : static_cast<std::int16_t>(Le16(p + 2));
    }
}

}  // namespace

std::optional<PcmSound> ReadWav(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 12 || !IsTag(&bytes[0], "RIFF") || !IsTag(&bytes[8], "WAVE"))
        return std::nullopt;
    std::optional<Format> format;
    std::size_t pos = 12;
    // Chunks are walked with the remaining length, never with a sum that could
    // wrap; "fmt " must come before "data", as every writer puts it.
    while (bytes.size() - pos >= 8) {
        const std::uint8_t* header = &bytes[pos];
        const std::size_t size = Le32(header + 4);
        pos += 8;
        if (size > bytes.size() - pos)
            return std::nullopt;
        const auto body = bytes.subspan(pos, size);
        if (IsTag(header, "fmt ")) {
            format = ParseFmt(body);
            if (!format)
                return std::nullopt;
        } else if (IsTag(header, "data")) {
            if (!format)
                return std::nullopt;
            const std::size_t frameBytes = static_cast<std::size_t>(format->channels * format->bytesPerSample);
            const std::size_t frames = size / frameBytes;
            PcmSound sound{static_cast<int>(format->sampleRate), format->channels, {}};
            sound.samples.resize(frames * static_cast<std::size_t>(format->channels));
            for (std::size_t i = 0; i < sound.samples.size(); ++i)
                sound.samples[i] = ToSample(*format, &body[i * static_cast<std::size_t>(format->bytesPerSample)]);
            return sound;
        }
        // Odd-sized chunks are followed by one pad byte.
        pos += std::min(size + (size & 1), bytes.size() - pos);
    }
    return std::nullopt;
}

}  // namespace clavitone
