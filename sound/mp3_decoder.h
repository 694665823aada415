// MP3 into the same interleaved 16-bit shape as the WAV reader gives. MPEG
// audio is decoded by Windows' own codec, so only the Windows build has a
// decoder: callers are handed one of this shape (see DecodeOgg), or none.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "sound/wav_reader.h"

namespace clavitone {

// nullopt for a corrupt stream or one that would decode to more than
// maxSamples samples (all channels counted).
using Mp3Decoder = std::optional<PcmSound> (*)(std::span<const std::uint8_t> bytes, std::size_t maxSamples);

}  // namespace clavitone
