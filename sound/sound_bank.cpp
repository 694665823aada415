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

// The sound one of these already holds for the path, if any.
template <typename Sounds>
std::shared_ptr<const MixSound> Held(const Sounds& sounds, const std::string& path)
{
    const auto found = std::find_if(sounds.begin(), sounds.end(), [&](const auto& s) { return s && s->path == path; });
    return found != sounds.end() ? *found : nullptr;
}

std::size_t PoolPlace(int code, KeyMotion motion)
{
    return static_cast<std::size_t>(code) * 2 + (motion == KeyMotion::Press ? 0 : 1);
}

class BankBuilder {
public:
    BankBuilder(int sampleRate, const SoundBank* previous, std::size_t cap)
        : previous_(previous && previous->sampleRate == sampleRate ? previous : nullptr), cap_(cap)
    {
        bank.sampleRate = sampleRate;
    }

    // The path's sound, shared with any sound already held for it; null when
    // it cannot be read or would pass the cap.
    std::shared_ptr<const MixSound> Sound(const std::string& path)
    {
        if (std::find(refused_.begin(), refused_.end(), path) != refused_.end())
            return nullptr;
        auto sound = Held(bank.sounds, path);
        if (!sound)
            sound = Held(bank.variants, path);
        if (sound)
            return sound;
        sound = previous_ ? Held(previous_->sounds, path) : nullptr;
        if (!sound && previous_)
            sound = Held(previous_->variants, path);
        if (!sound)
            sound = LoadSound(path, bank.sampleRate, cap_ - bank.bytes);
        if (!sound || bank.bytes + sound->Bytes() > cap_) {
            refused_.push_back(path);  // each is tried once
            return nullptr;
        }
        bank.bytes += sound->Bytes();
        return sound;
    }

    SoundBank bank;

private:
    const SoundBank* previous_;
    std::size_t cap_;
    std::vector<std::string> refused_;
};

}  // namespace

const MixSound* SoundBank::SoundAt(int index) const
{
    if (index >= 0 && index < KeySoundTable::SlotCount)
        return sounds[static_cast<std::size_t>(index)].get();
    const auto variant = static_cast<std::size_t>(index) - KeySoundTable::SlotCount;
    return index >= KeySoundTable::SlotCount && variant < variants.size() ? variants[variant].get() : nullptr;
}

std::optional<std::size_t> SoundBank::VariantPlace(int code, KeyMotion motion, std::size_t index,
                                                   const std::string& path) const
{
    if (!KeySoundTable::HasSlot(code))
        return std::nullopt;
    const std::size_t place = variantFirst[PoolPlace(code, motion)] + index;
    if (place >= variants.size() || !variants[place] || variants[place]->path != path)
        return std::nullopt;
    return place;
}

SoundBank BuildSoundBank(const KeySoundTable& keySound, int sampleRate, const SoundBank* previous, std::size_t cap)
{
    BankBuilder builder(sampleRate, previous, cap);
    SoundBank& bank = builder.bank;
    for (int code = 0; code < KeySoundTable::SlotCount; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        const auto& path = keySound[code];
        if (!path || path->empty())
            continue;
        bank.sounds[slot] = builder.Sound(*path);
        bank.kinds[slot] = bank.sounds[slot] ? SlotSound::Mixed : SlotSound::Classic;
    }
    // A variant that cannot be held stays null: the classic call plays it.
    for (int code = 0; code < KeySoundTable::SlotCount; ++code) {
        for (const KeyMotion motion : {KeyMotion::Press, KeyMotion::Release}) {
            bank.variantFirst[PoolPlace(code, motion)] = static_cast<std::uint32_t>(bank.variants.size());
            for (const std::string& path : keySound.Variants().Paths(code, motion))
                bank.variants.push_back(builder.Sound(path));
        }
    }
    return std::move(builder.bank);
}

}  // namespace clavitone
