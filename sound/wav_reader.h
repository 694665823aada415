// Reads a WAV file held in memory into 16-bit samples for the mixing engine.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace clavitone {

// Interleaved 16-bit samples at the file's own rate and channel count (1 or 2).
struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// Below this a header's rate is taken as corrupt: no key sound is recorded
// so slowly, and converting one to the stream's rate would multiply its size.
inline constexpr int MinSampleRate = 1000;

// RIFF/WAVE: PCM 8/16/24/32-bit, 32-bit float, WAVE_FORMAT_EXTENSIBLE; mono or stereo; MinSampleRate and up.
// Malformed, truncated, huge or hostile data gives nullopt, never an out-of-bounds read or a huge allocation.
std::optional<PcmSound> ReadWav(std::span<const std::uint8_t> bytes);

}  // namespace clavitone
