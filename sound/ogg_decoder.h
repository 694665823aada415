// Ogg Vorbis into the same interleaved 16-bit shape as the WAV reader gives.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "sound/wav_reader.h"

namespace clavitone {

// nullopt for a corrupt stream or one that would decode to more than
// maxSamples samples (all channels counted).
std::optional<PcmSound> DecodeOgg(std::span<const std::uint8_t> bytes, std::size_t maxSamples);

}  // namespace clavitone
