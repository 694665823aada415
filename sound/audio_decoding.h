// Audio from strangers (a sound pack's files) into 16-bit PCM. The parsing is
// done by code we cannot vouch for, so it runs in a helper process of its own:
// the process that holds the keyboard hook never runs DecodeAudio, it asks an
// AudioDecoder and checks what comes back.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "sound/mp3_decoder.h"
#include "sound/wav_reader.h"

namespace clavitone {

// 128 MB of 16-bit samples per file: more than any pack needs, little enough
// for a 32-bit process.
inline constexpr std::size_t MaxDecodedSamples = 64 * 1024 * 1024;

// Why a file gave no sound. The numbers travel through the helper's pipe.
enum class DecodeFailure : std::uint32_t {
    UnknownFormat = 1,
    Mp3 = 2,             // recognised, but there is no decoder for it here
    Damaged = 3,         // the decoder refused it, or it is too long
    Unplayable = 4,      // decoded, but at a rate or with channels the engine cannot play
    DecoderStopped = 5,  // the helper crashed, hung, went over a limit or could not start
};

using DecodeResult = std::variant<PcmSound, DecodeFailure>;

// Sniffs the format and hands the bytes to its decoder: the one place that
// knows the formats. Runs in the helper process only. MP3 needs mp3, which
// only Windows provides; without it MP3 is refused as such.
DecodeResult DecodeAudio(std::span<const std::uint8_t> bytes, Mp3Decoder mp3 = nullptr);

// Decodes a file of a pack. The real one asks the helper process; every
// sound it returns has passed CheckedSound (decode_reply.h).
class AudioDecoder {
public:
    virtual ~AudioDecoder() = default;
    virtual DecodeResult Decode(std::span<const std::uint8_t> bytes) = 0;
    // The import is over: a helper still running ends.
    virtual void Finish() = 0;
};

}  // namespace clavitone
