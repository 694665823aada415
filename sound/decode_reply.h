// The helper process's pipe: what Clavitone sends (a file's bytes) and what
// comes back (plain 16-bit PCM, or why not), and the checks every sound passes
// before Clavitone keeps it. Nothing the helper says is trusted: sizes are
// checked before anything is allocated.
//
//   request: u32 byte count, then the bytes
//   reply:   u32 result (0 = a sound, else a DecodeFailure), u32 rate,
//            u32 channels, u32 sample count, then the samples (s16)
// All numbers little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "sound/audio_decoding.h"

namespace clavitone {

inline constexpr std::size_t MaxAudioFileBytes = 100 * 1024 * 1024;
// What the engine plays: slower rates overflow the resampler, faster ones
// are no audio anyone ships.
inline constexpr int MinSoundRate = 1000;
inline constexpr int MaxSoundRate = 192000;
// More channels than this are no audio file we know; up to it, they are
// mixed down.
inline constexpr int MaxDecodedChannels = 8;

inline constexpr std::size_t RequestHeaderBytes = 4;
inline constexpr std::size_t ReplyHeaderBytes = 16;

std::array<std::uint8_t, RequestHeaderBytes> RequestHeader(std::size_t byteCount);
// The byte count of a request; nullopt beyond MaxAudioFileBytes.
std::optional<std::size_t> RequestLength(std::span<const std::uint8_t, RequestHeaderBytes> header);

// The whole reply for a result, header and samples.
std::vector<std::uint8_t> EncodeReply(const DecodeResult& result);

// What a reply's header announces: the samples still to read.
struct ReplyShape {
    int sampleRate = 0;
    int channels = 0;
    std::size_t sampleCount = 0;
};

// A failure the helper reported, or the shape of the sound to follow. A
// header no honest helper writes (an unknown result, no samples, more than
// MaxDecodedSamples, a count that is no whole number of frames) counts as the
// helper gone wrong: DecoderStopped.
std::variant<ReplyShape, DecodeFailure> ReadReplyHeader(std::span<const std::uint8_t, ReplyHeaderBytes> header);

// The samples of a reply, from their little-endian bytes.
std::vector<std::int16_t> ReplySamples(std::span<const std::uint8_t> bytes);

// What the engine can play, or why not: a rate of MinSoundRate to
// MaxSoundRate, one or two channels (three to MaxDecodedChannels mixed down
// to one), whole frames.
DecodeResult CheckedSound(DecodeResult decoded);

}  // namespace clavitone
