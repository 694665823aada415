#include "sound/sound_bank.h"

#include <fstream>
#include <map>
#include <optional>

#include "sound/resampler.h"
#include "sound/wav_reader.h"

namespace clavitone {

namespace {

// No key sound comes near this; a larger file is not worth holding in memory.
constexpr std::streamoff MaxFileBytes = 32 << 20;

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || size > MaxFileBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

std::shared_ptr<const MixSound> LoadSound(const std::string& path, int sampleRate)
{
    const auto bytes = ReadFileBytes(path);
    const auto pcm = bytes ? ReadWav(*bytes) : std::nullopt;
    if (!pcm)
        return nullptr;
    auto sound = std::make_shared<MixSound>();
    sound->path = path;
    sound->channels = pcm->channels;
    sound->samples = Resample(pcm->samples, pcm->channels, pcm->sampleRate, sampleRate);
    return sound;
}

}  // namespace

SoundBank BuildSoundBank(const KeySoundTable& keySound, int sampleRate, const SoundBank* previous, std::size_t cap)
{
    SoundBank bank;
    bank.sampleRate = sampleRate;
    std::map<std::string, std::shared_ptr<const MixSound>> known;
    if (previous && previous->sampleRate == sampleRate)
        for (const auto& sound : previous->sounds)
            if (sound)
                known.emplace(sound->path, sound);
    std::map<std::string, std::shared_ptr<const MixSound>> kept;
    for (int code = 0; code < KeySoundTable::SlotCount; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        const auto& path = keySound[code];
        if (!path || path->empty())
            continue;
        bank.kinds[slot] = SlotSound::Classic;
        auto found = kept.find(*path);
        if (found == kept.end()) {
            const auto old = known.find(*path);
            auto sound = old != known.end() ? old->second : LoadSound(*path, sampleRate);
            if (sound && bank.bytes + sound->Bytes() > cap)
                sound = nullptr;
            if (sound)
                bank.bytes += sound->Bytes();
            found = kept.emplace(*path, std::move(sound)).first;
        }
        if (found->second) {
            bank.kinds[slot] = SlotSound::Mixed;
            bank.sounds[slot] = found->second;
        }
    }
    return bank;
}

}  // namespace clavitone
