// Sample-rate conversion of a preloaded sound to the output stream's rate.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace clavitone {

// The frame count Resample gives for this many input frames, in 64-bit
// arithmetic so that a caller can check it against a cap before converting.
std::uint64_t ResampledFrames(std::uint64_t inFrames, int fromRate, int toRate);

// Windowed-sinc conversion of interleaved 16-bit frames from one rate to
// another. The result has the same channel count and lasts as long: its frame
// count is the input's scaled by the rate ratio, rounded. Empty when the result could not be held in memory at all.
std::vector<std::int16_t> Resample(std::span<const std::int16_t> samples, int channels, int fromRate, int toRate);

}  // namespace clavitone
