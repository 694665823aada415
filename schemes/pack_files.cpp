#include "schemes/pack_files.h"

#include "sound/wav_writer.h"

namespace clavitone {

namespace {

constexpr std::string_view WavExtension = ".wav";
constexpr std::string_view ReleaseInfix = "-up";
constexpr std::string_view DefaultStem = "default";

std::string FileName(const std::string& stem, bool release, std::size_t index)
{
    std::string name = stem;
    if (release)
        name.append(ReleaseInfix);
    if (index > 0)
        name.append("-").append(std::to_string(index + 1));
    return name.append(WavExtension);
}

std::tuple<std::size_t, std::size_t, std::size_t> Identity(const SoundPiece& piece)
{
    return {piece.source, piece.first, piece.count};
}

}  // namespace

PackFilePlan::PackFilePlan(const PackSounds& sounds, const std::map<int, PackKeyPieces>& keys,
                           const std::set<int>& own)
    : sounds_(sounds)
{
    Register(sounds.fallback, std::string(DefaultStem));
    for (const bool owned : {true, false})
        for (const auto& [code, pieces] : keys)
            if (own.contains(code) == owned)
                Register(pieces, std::to_string(code));
    for (const auto& [code, pieces] : keys) {
        KeyFileNames& names = keys_[code];
        for (const SoundPiece& piece : pieces.press)
            names.press.push_back(Name(piece));
        for (const SoundPiece& piece : pieces.release)
            names.release.push_back(Name(piece));
    }
}

void PackFilePlan::Register(const PackKeyPieces& pieces, const std::string& stem)
{
    for (const bool release : {false, true}) {
        const auto& list = release ? pieces.release : pieces.press;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto [known, added] = names_.try_emplace(Identity(list[i]), FileName(stem, release, i));
            if (!added)
                continue;
            files_.emplace_back(list[i], known->second);
            bytes_ += WavFileSize(list[i].count);
        }
    }
}

const std::string& PackFilePlan::Name(const SoundPiece& piece) const
{
    return names_.at(Identity(piece));
}

std::vector<PackFile> PackFilePlan::Files() const
{
    std::vector<PackFile> files;
    for (const auto& [piece, name] : files_) {
        files.push_back({name, [this, piece = piece] {
                             const PcmSound& source = sounds_.sources[piece.source];
                             return WavFileBytes(source.sampleRate, source.channels, sounds_.Samples(piece));
                         }});
    }
    return files;
}

}  // namespace clavitone
