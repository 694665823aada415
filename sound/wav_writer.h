// 16-bit PCM WAV files, the one format every sound engine of the program plays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace clavitone {

// A whole RIFF/WAVE file holding the interleaved samples.
std::vector<std::uint8_t> WavFileBytes(int sampleRate, int channels, std::span<const std::int16_t> samples);
// The size of that file, known before it is made.
std::uint64_t WavFileSize(std::size_t samples);

}  // namespace clavitone
