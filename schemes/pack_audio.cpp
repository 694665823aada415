#include "schemes/pack_audio.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "schemes/pack_codes.h"
#include "schemes/pack_names.h"
#include "sound/ogg_decoder.h"

namespace clavitone {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view tag)
{
    const auto same = [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; };
    return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin(), same);
}

// MPEG audio starts with an ID3 tag or a frame sync of eleven set bits.
bool IsMp3(std::span<const std::uint8_t> bytes)
{
    return StartsWith(bytes, "ID3") || (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0);
}

std::string Quoted(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted.append(1, '"').append(name).append(1, '"');
    return quoted;
}

std::variant<PcmSound, PackError> Decode(std::span<const std::uint8_t> bytes, std::string_view name, Mp3Decoder mp3)
{
    std::optional<PcmSound> sound;
    if (StartsWith(bytes, "OggS"))
        sound = DecodeOgg(bytes, MaxDecodedSamples);
    else if (StartsWith(bytes, "RIFF"))
        sound = ReadWav(bytes);
    else if (IsMp3(bytes) && mp3)
        sound = mp3(bytes, MaxDecodedSamples);
    else if (IsMp3(bytes))
        return PackError{"The sound file " + Quoted(name) +
                         " is MP3 audio, which Clavitone cannot import here. Packs in Ogg Vorbis or WAV can be imported."};
    else
        return PackError{"The sound file " + Quoted(name) +
                         " is in a format Clavitone cannot import. Packs in Ogg Vorbis, MP3 or WAV can be imported."};
    if (!sound || sound->channels < 1 || sound->sampleRate < 1 || sound->samples.empty() ||
        sound->samples.size() > MaxDecodedSamples)
        return PackError{"The sound file " + Quoted(name) + " is damaged or too long and cannot be read."};
    return *std::move(sound);
}

class Loader {
public:
    Loader(FileSystem& files, const std::string& packFolder, Mp3Decoder mp3)
        : files_(files), packFolder_(packFolder), mp3_(mp3)
    {
    }

    // The file's index in sources, decoding it on first use.
    std::variant<std::size_t, PackError> Source(const std::string& name)
    {
        if (const auto known = indices_.find(name); known != indices_.end())
            return known->second;
        const auto path = PackFilePath(packFolder_, name);
        if (!path)
            return PackError{"The pack names the sound file " + Quoted(name) +
                             ", which lies outside the pack's folder or is no plain file name."};
        std::vector<std::uint8_t> bytes;
        switch (files_.ReadFile(*path, MaxAudioFileBytes, bytes)) {
        case FileReadResult::Ok:
            break;
        case FileReadResult::Missing:
            return PackError{"The sound file " + Quoted(name) + " is missing from the pack's folder."};
        case FileReadResult::TooLarge:
            return PackError{"The sound file " + Quoted(name) + " is larger than 100 MB."};
        case FileReadResult::Failed:
            return PackError{"The sound file " + Quoted(name) + " cannot be read."};
        }
        auto decoded = Decode(bytes, name, mp3_);
        if (auto* error = std::get_if<PackError>(&decoded))
            return *error;
        sounds.sources.push_back(std::get<PcmSound>(std::move(decoded)));
        const std::size_t index = sounds.sources.size() - 1;
        indices_.emplace(name, index);
        return index;
    }

    PackSounds sounds;

private:
    FileSystem& files_;
    const std::string& packFolder_;
    Mp3Decoder mp3_;
    std::map<std::string, std::size_t> indices_;
};

std::string KeyNumber(int code)
{
    return "key number " + std::to_string(code);
}

// Each sound of the list as a piece of its decoded file.
std::optional<PackError> LoadPieces(Loader& loader, int code, const std::vector<PackSound>& sounds,
                                    std::vector<SoundPiece>& pieces)
{
    for (const PackSound& sound : sounds) {
        const auto source = loader.Source(sound.file);
        if (auto* error = std::get_if<PackError>(&source))
            return *error;
        const std::size_t index = std::get<std::size_t>(source);
        const PcmSound& decoded = loader.sounds.sources[index];
        if (!sound.slice) {
            pieces.push_back({index, 0, decoded.samples.size()});
            continue;
        }
        const auto piece = CutSlice(decoded, index, *sound.slice);
        if (!piece)
            return PackError{"The pack's timing for " + KeyNumber(code) + " lies past the end of its sound file."};
        pieces.push_back(*piece);
    }
    return std::nullopt;
}

std::optional<PackError> LoadKey(Loader& loader, int code, const PackKey& key, PackKeyPieces& pieces)
{
    if (auto error = LoadPieces(loader, code, key.press, pieces.press))
        return error;
    return LoadPieces(loader, code, key.release, pieces.release);
}

}  // namespace

std::optional<SoundPiece> CutSlice(const PcmSound& sound, std::size_t source, PackSlice slice)
{
    const auto channels = static_cast<std::size_t>(sound.channels);
    const std::size_t frames = sound.samples.size() / channels;
    const auto toFrames = [&](double ms) {
        return static_cast<std::size_t>(std::llround(ms * sound.sampleRate / 1000));
    };
    const std::size_t first = toFrames(slice.startMs);
    if (first >= frames)
        return std::nullopt;
    const std::size_t count = std::min(toFrames(slice.durationMs), frames - first);
    if (count == 0)
        return std::nullopt;
    return SoundPiece{source, first * channels, count * channels};
}

std::variant<PackSounds, PackError> LoadPackSounds(FileSystem& files, const std::string& packFolder,
                                                   const PackConfig& config, Mp3Decoder mp3)
{
    Loader loader(files, packFolder, mp3);
    for (const int code : config.silent)
        if (FindPackKeyCode(code))
            loader.sounds.silent.insert(code);
    for (const auto& [code, key] : config.keys) {
        if (!FindPackKeyCode(code))
            continue;  // keys we have no button for: their files are not even read
        if (auto error = LoadKey(loader, code, key, loader.sounds.keys[code]))
            return *error;
    }
    if (auto error = LoadKey(loader, 0, config.fallback, loader.sounds.fallback))
        return *error;
    return std::move(loader.sounds);
}

}  // namespace clavitone
