#include "sound/ogg_decoder.h"

#include <climits>
#include <memory>

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_HEADER_ONLY
#include "stb/stb_vorbis.h"

namespace clavitone {

namespace {

struct CloseVorbis {
    void operator()(stb_vorbis* stream) const { stb_vorbis_close(stream); }
};

constexpr int MaxChannels = 8;
constexpr int ChunkFrames = 4096;

}  // namespace

std::optional<PcmSound> DecodeOgg(std::span<const std::uint8_t> bytes, std::size_t maxSamples)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    int error = 0;
    const std::unique_ptr<stb_vorbis, CloseVorbis> stream(
        stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, nullptr));
    if (!stream)
        return std::nullopt;
    const stb_vorbis_info info = stb_vorbis_get_info(stream.get());
    if (info.channels < 1 || info.channels > MaxChannels || info.sample_rate == 0)
        return std::nullopt;

    PcmSound sound;
    sound.sampleRate = static_cast<int>(info.sample_rate);
    sound.channels = info.channels;
    const auto channels = static_cast<std::size_t>(info.channels);
    // The stated length only sizes the buffer: a damaged stream may state anything.
    const std::size_t stated = static_cast<std::size_t>(stb_vorbis_stream_length_in_samples(stream.get())) * channels;
    if (stated > maxSamples)
        return std::nullopt;
    sound.samples.reserve(stated);

    std::int16_t chunk[ChunkFrames * MaxChannels];
    for (;;) {
        const int frames =
            stb_vorbis_get_samples_short_interleaved(stream.get(), info.channels, chunk, ChunkFrames * info.channels);
        if (frames <= 0)
            break;
        const std::size_t count = static_cast<std::size_t>(frames) * channels;
        if (sound.samples.size() + count > maxSamples)
            return std::nullopt;
        sound.samples.insert(sound.samples.end(), chunk, chunk + count);
    }
    // A stream that ends in garbage decodes to nothing or stops with an error.
    if (sound.samples.empty() || stb_vorbis_get_error(stream.get()) != VORBIS__no_error)
        return std::nullopt;
    return sound;
}

}  // namespace clavitone
