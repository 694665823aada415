// A pack's audio, decoded: each pack key code with its piece of sound.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "schemes/pack_config.h"
#include "sound/audio_decoding.h"
#include "sound/decode_reply.h"
#include "sound/wav_reader.h"

namespace clavitone {

// All of a pack's files together decode to no more than one file may: a few
// small files cannot add up to what a 32-bit process cannot hold.
inline constexpr std::size_t MaxTotalDecodedSamples = MaxDecodedSamples;

// Samples [first, first + count) of one decoded file, interleaved.
struct SoundPiece {
    std::size_t source = 0;
    std::size_t first = 0;
    std::size_t count = 0;
    bool operator==(const SoundPiece&) const = default;
};

// A key's pieces of sound, on the way down and on the way up.
struct PackKeyPieces {
    std::vector<SoundPiece> press;
    std::vector<SoundPiece> release;
};

struct PackSounds {
    std::vector<PcmSound> sources;       // each file once, however many keys use it
    std::map<int, PackKeyPieces> keys;   // by pack key code
    PackKeyPieces fallback;              // every key's that the pack leaves out, when it gives one
    std::set<int> silent;                // pack key codes the pack keeps silent

    std::span<const std::int16_t> Samples(const SoundPiece& piece) const
    {
        return std::span(sources[piece.source].samples).subspan(piece.first, piece.count);
    }
};

// The slice of a decoded file, rounded to whole frames; nullopt when it
// starts at or past the end. A slice running past the end is cut there:
// packs often overrun by a few milliseconds.
std::optional<SoundPiece> CutSlice(const PcmSound& sound, std::size_t source, PackSlice slice);

// Reads every file config names, from the pack's folder, and has decoder
// decode each once (names compared as Windows compares them). All of them
// together may hold no more than maxTotalSamples.
Result<PackSounds> LoadPackSounds(FileSystem& files, AudioDecoder& decoder, const std::string& packFolder,
                                  const PackConfig& config, std::size_t maxTotalSamples = MaxTotalDecodedSamples);

}  // namespace clavitone
