#include "sound/wav_writer.h"

#include <string_view>

namespace clavitone {

namespace {

constexpr std::uint32_t BitsPerSample = 16;
constexpr std::uint32_t BytesPerSample = BitsPerSample / 8;
constexpr std::uint32_t FormatChunkSize = 16;
constexpr std::uint16_t PcmFormat = 1;
constexpr std::size_t HeaderSize = 44;

// Fills a buffer of its final size front to back, little-endian.
class Filler {
public:
    explicit Filler(std::uint8_t* at) : at_(at) {}
    void Tag(std::string_view tag)
    {
        for (const char c : tag)
            *at_++ = static_cast<std::uint8_t>(c);
    }
    void U16(std::uint32_t value) { Bytes(value, 2); }
    void U32(std::uint32_t value) { Bytes(value, 4); }

private:
    void Bytes(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            *at_++ = static_cast<std::uint8_t>(value >> (8 * i));
    }
    std::uint8_t* at_;
};

}  // namespace

std::uint64_t WavFileSize(std::size_t samples)
{
    return HeaderSize + static_cast<std::uint64_t>(samples) * BytesPerSample;
}

std::vector<std::uint8_t> WavFileBytes(int sampleRate, int channels, std::span<const std::int16_t> samples)
{
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    const auto count = static_cast<std::uint32_t>(channels);
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * BytesPerSample);

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(WavFileSize(samples.size())));
    Filler out(bytes.data());
    out.Tag("RIFF");
    out.U32(static_cast<std::uint32_t>(HeaderSize - 8) + dataSize);
    out.Tag("WAVE");
    out.Tag("fmt ");
    out.U32(FormatChunkSize);
    out.U16(PcmFormat);
    out.U16(count);
    out.U32(rate);
    out.U32(rate * count * BytesPerSample);
    out.U16(count * BytesPerSample);
    out.U16(BitsPerSample);
    out.Tag("data");
    out.U32(dataSize);
    for (const std::int16_t sample : samples)
        out.U16(static_cast<std::uint16_t>(sample));
    return bytes;
}

}  // namespace clavitone
