// MP3 through the MPEG Layer-3 codec that ships with Windows, reached through
// the Audio Compression Manager: the same shape as DecodeOgg.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "sound/wav_reader.h"

namespace clavitone {

// nullopt for a corrupt stream, one Windows' codec refuses, or one that would
// decode to more than maxSamples samples (all channels counted).
std::optional<PcmSound> DecodeMp3(std::span<const std::uint8_t> bytes, std::size_t maxSamples);

}  // namespace clavitone
