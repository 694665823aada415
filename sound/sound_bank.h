// The key sounds held in memory for the mixing engine: read once and converted
// to the stream's rate when a scheme loads, so that typing only mixes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sound/key_sound.h"

namespace clavitone {

// Interleaved 16-bit frames at the stream's rate, in the file's own channel
// count: widened to the output format only while mixing, a buffer at a time.
struct MixSound {
    std::string path;
    int channels = 1;
    std::vector<std::int16_t> samples;

    std::size_t Frames() const { return samples.size() / static_cast<std::size_t>(channels); }
    std::size_t Bytes() const { return samples.size() * sizeof(std::int16_t); }
};

enum class SlotSound : std::uint8_t {
    Silent,   // unset or empty: nothing plays
    Mixed,    // preloaded: the engine plays it
    Classic,  // unreadable or beyond the memory cap: the classic call plays the path
};

struct SoundBank {
    int sampleRate = 0;
    std::array<SlotSound, KeySoundTable::SlotCount> kinds{};
    std::array<std::shared_ptr<const MixSound>, KeySoundTable::SlotCount> sounds{};
    // The keys' further press sounds and release sounds, one after another:
    // a key's pool for a motion starts at variantFirst[code * 2 + motion].
    // Triggered as SlotCount + their place here.
    std::vector<std::shared_ptr<const MixSound>> variants;
    std::array<std::uint32_t, 2 * KeySoundTable::SlotCount> variantFirst{};
    // Distinct sounds' samples, each counted once however many keys share it.
    std::size_t bytes = 0;

    // The sound a trigger names: a slot's, or a variant's past the slots; null when none.
    const MixSound* SoundAt(int index) const;
    // Where a key's variant lies in variants, if the bank holds it as the pool holds it now.
    std::optional<std::size_t> VariantPlace(int code, KeyMotion motion, std::size_t index,
                                            const std::string& path) const;
};

// Enough for every key of the largest scheme we ship several times over.
inline constexpr std::size_t PreloadCap = 64u << 20;

// Reads and converts every slot's file. Sounds of `previous` with the same path
// and rate are shared rather than read again, so editing one key reads one file.
SoundBank BuildSoundBank(const KeySoundTable& keySound, int sampleRate, const SoundBank* previous,
                         std::size_t cap = PreloadCap);

}  // namespace clavitone
