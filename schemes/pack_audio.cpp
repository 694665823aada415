#include "schemes/pack_audio.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string_view>

#include "schemes/pack_codes.h"
#include "schemes/pack_names.h"

namespace clavitone {

namespace {

std::string Quoted(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted.append(1, '"').append(name).append(1, '"');
    return quoted;
}

Failure DecodeError(DecodeFailure failure, std::string_view name)
{
    const std::string file = "The sound file " + Quoted(name);
    switch (failure) {
    case DecodeFailure::Mp3:
        return {file + " is MP3 audio, which Clavitone cannot import here. Packs in Ogg Vorbis or WAV can be imported."};
    case DecodeFailure::UnknownFormat:
        return {file + " is in a format Clavitone cannot import. Packs in Ogg Vorbis, MP3 or WAV can be imported."};
    case DecodeFailure::Unplayable:
        return {file + " has a sample rate or a number of channels Clavitone cannot play."};
    case DecodeFailure::DecoderStopped:
        return {"Clavitone's decoder stopped while reading the sound file " + Quoted(name) +
                ": the file is damaged or too demanding to decode."};
    case DecodeFailure::Damaged:
        break;
    }
    return {file + " is damaged or too long and cannot be read."};
}

// Windows finds "Click.OGG" under "click.ogg" and "a/b" under "a\\b": one
// file, decoded once.
std::string FileKey(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

class Loader {
public:
    Loader(FileSystem& files, AudioDecoder& decoder, const std::string& packFolder, std::size_t maxTotalSamples)
        : files_(files), decoder_(decoder), packFolder_(packFolder), maxTotalSamples_(maxTotalSamples)
    {
    }

    // The file's index in sources, decoding it on first use.
    Result<std::size_t> Source(const std::string& name)
    {
        if (const auto known = indices_.find(FileKey(name)); known != indices_.end())
            return known->second;
        const auto path = PackFilePath(packFolder_, name);
        if (!path)
            return Failure{"The pack names the sound file " + Quoted(name) +
                           ", which lies outside the pack's folder or is no plain file name."};
        std::vector<std::uint8_t> bytes;
        switch (files_.ReadPackFile(packFolder_, path->substr(packFolder_.size() + 1), MaxAudioFileBytes, bytes)) {
        case FileReadResult::Ok:
            break;
        case FileReadResult::Missing:
            return Failure{"The sound file " + Quoted(name) + " is missing from the pack's folder."};
        case FileReadResult::TooLarge:
            return Failure{"The sound file " + Quoted(name) + " is larger than 100 MB."};
        case FileReadResult::Failed:
            return Failure{"The sound file " + Quoted(name) + " cannot be read."};
        }
        auto decoded = decoder_.Decode(bytes);
        if (const auto* failure = std::get_if<DecodeFailure>(&decoded))
            return DecodeError(*failure, name);
        auto& sound = std::get<PcmSound>(decoded);
        decodedSamples_ += sound.samples.size();
        if (decodedSamples_ > maxTotalSamples_)
            return Failure{"The pack's sound files together hold more audio than Clavitone imports."};
        sounds.sources.push_back(std::move(sound));
        const std::size_t index = sounds.sources.size() - 1;
        indices_.emplace(FileKey(name), index);
        return index;
    }

    PackSounds sounds;

private:
    FileSystem& files_;
    AudioDecoder& decoder_;
    const std::string& packFolder_;
    std::size_t maxTotalSamples_;
    std::size_t decodedSamples_ = 0;
    std::map<std::string, std::size_t> indices_;
};

std::string KeyNumber(int code)
{
    return "key number " + std::to_string(code);
}

// Each sound of the list as a piece of its decoded file.
Result<void> LoadPieces(Loader& loader, int code, const std::vector<PackSound>& sounds,
                        std::vector<SoundPiece>& pieces)
{
    for (const PackSound& sound : sounds) {
        const auto source = loader.Source(sound.file);
        if (!source)
            return Failure{source.Why()};
        const std::size_t index = *source;
        const PcmSound& decoded = loader.sounds.sources[index];
        if (!sound.slice) {
            pieces.push_back({index, 0, decoded.samples.size()});
            continue;
        }
        const auto piece = CutSlice(decoded, index, *sound.slice);
        if (!piece)
            return Failure{"The pack's timing for " + KeyNumber(code) + " lies past the end of its sound file."};
        pieces.push_back(*piece);
    }
    return {};
}

Result<void> LoadKey(Loader& loader, int code, const PackKey& key, PackKeyPieces& pieces)
{
    if (auto loaded = LoadPieces(loader, code, key.press, pieces.press); !loaded)
        return loaded;
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

Result<PackSounds> LoadPackSounds(FileSystem& files, AudioDecoder& decoder, const std::string& packFolder,
                                  const PackConfig& config, std::size_t maxTotalSamples)
{
    Loader loader(files, decoder, packFolder, maxTotalSamples);
    for (const int code : config.silent)
        if (FindPackKeyCode(code))
            loader.sounds.silent.insert(code);
    for (const auto& [code, key] : config.keys) {
        if (!FindPackKeyCode(code))
            continue;  // keys we have no button for: their files are not even read
        if (auto loaded = LoadKey(loader, code, key, loader.sounds.keys[code]); !loaded)
            return Failure{loaded.Why()};
    }
    if (auto loaded = LoadKey(loader, 0, config.fallback, loader.sounds.fallback); !loaded)
        return Failure{loaded.Why()};
    return std::move(loader.sounds);
}

}  // namespace clavitone
