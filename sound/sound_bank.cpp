#include "sound/sound_bank.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "sound/resampler.h"
#include "sound/wav_reader.h"

namespace clavitone {

namespace {

// No key sound comes near this; a larger file is not worth holding in memory.
constexpr long MaxFileBytes = 32L << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// C stdio rather than streams: it opens the path in the system's 8-bit code
// page like the classic call does, and keeps the locale machinery of the
// streams out of the program.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const long size = std::ftell(file.get());
    if (size < 0 || size > MaxFileBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

// Nothing when the file is unreadable or its converted samples would not fit
// in `room` bytes: that is known from the header, before anything is converted.
std::shared_ptr<const MixSound> LoadSound(const std::string& path, int sampleRate, std::size_t room)
{
    const auto bytes = ReadFileBytes(path);
    const auto pcm = bytes ? ReadWav(*bytes) : std::nullopt;
    if (!pcm)
        return nullptr;
    const auto channels = static_cast<std::uint64_t>(pcm->channels);
    const std::uint64_t frames = pcm->samples.size() / channels;
    if (ResampledFrames(frames, pcm->sampleRate, sampleRate) * channels * sizeof(std::int16_t) > room)
        return nullptr;
    auto sound = std::make_shared<MixSound>();
    sound->path = path;
    sound->channels = pcm->channels;
    sound->samples = Resample(pcm->samples, pcm->channels, pcm->sampleRate, sampleRate);
    return sound;
}

// The sound a slot of these already holds for the path, if any.
std::shared_ptr<const MixSound> Held(const std::array<std::shared_ptr<const MixSound>, KeySoundTable::SlotCount>& sounds,
                                     const std::string& path)
{
    const auto found = std::find_if(sounds.begin(), sounds.end(), [&](const auto& s) { return s && s->path == path; });
    return found != sounds.end() ? *found : nullptr;
}

}  // namespace

SoundBank BuildSoundBank(const KeySoundTable& keySound, int sampleRate, const SoundBank* previous, std::size_t cap)
{
    SoundBank bank;
    bank.sampleRate = sampleRate;
    const bool reuse = previous && previous->sampleRate == sampleRate;
    // Paths read in this build that could not be held: each is tried once.
    std::vector<std::string> refused;
    for (int code = 0; code < KeySoundTable::SlotCount; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        const auto& path = keySound[code];
        if (!path || path->empty())
            continue;
        bank.kinds[slot] = SlotSound::Classic;
        if (std::find(refused.begin(), refused.end(), *path) != refused.end())
            continue;
        auto sound = Held(bank.sounds, *path);
        if (!sound) {
            const std::size_t room = cap - bank.bytes;
            sound = reuse ? Held(previous->sounds, *path) : nullptr;
            if (!sound)
                sound = LoadSound(*path, sampleRate, room);
            if (!sound || sound->Bytes() > room) {
                refused.push_back(*path);
                continue;
            }
            bank.bytes += sound->Bytes();
        }
        bank.kinds[slot] = SlotSound::Mixed;
        bank.sounds[slot] = std::move(sound);
    }
    return bank;
}

}  // namespace clavitone
