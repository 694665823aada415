// The WAV files an import writes: one per distinct piece of sound, shared by
// every key that plays it, named after the key whose own sound it is.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "schemes/pack_audio.h"
#include "schemes/pack_folder.h"

namespace clavitone {

// 200 MB: many times what a real pack needs; a pack that asks for more is
// broken or cuts one long recording into long overlapping slices.
inline constexpr std::uint64_t MaxImportBytes = 200ull * 1024 * 1024;

// A key's files, by name: press[0] is its path, the rest take turns with it.
struct KeyFileNames {
    std::vector<std::string> press;
    std::vector<std::string> release;
};

class PackFilePlan {
public:
    // Names the files of each of our keys' pieces: "65.wav", "65-2.wav" for
    // further press sounds, "65-up.wav", "65-up-2.wav" for release sounds.
    // A piece is named once: the pack's default sounds first ("default.wav"...),
    // then the keys in own, whose sounds are their own, then the rest.
    PackFilePlan(const PackSounds& sounds, const std::map<int, PackKeyPieces>& keys, const std::set<int>& own);

    const std::map<int, KeyFileNames>& Keys() const { return keys_; }
    // What writing every file takes, in bytes.
    std::uint64_t Bytes() const { return bytes_; }
    // Each file made only as it is written.
    std::vector<PackFile> Files() const;

private:
    void Register(const PackKeyPieces& pieces, const std::string& stem);
    const std::string& Name(const SoundPiece& piece) const;

    const PackSounds& sounds_;
    std::map<std::tuple<std::size_t, std::size_t, std::size_t>, std::string> names_;
    std::vector<std::pair<SoundPiece, std::string>> files_;
    std::map<int, KeyFileNames> keys_;
    std::uint64_t bytes_ = 0;
};

}  // namespace clavitone
