#include "sound/sound_engine.h"

namespace clavitone {

SoundEngine::~SoundEngine()
{
    StopOutput();
}

void SoundEngine::Apply(const EngineSettings& settings)
{
    mixer_.SetVolume(settings.volume);
    stereo_ = settings.stereoKeys;
    if (mixed_ == settings.mixed)
        return;
    mixed_ = settings.mixed;
    Update();
    if (!mixed_) {
        // The classic engine keeps nothing in memory.
        Publish(nullptr);
        return;
    }
    Preload();
}

void SoundEngine::SetSoundEnabled(bool enabled)
{
    enabled_ = enabled;
    Update();
}

void SoundEngine::Update()
{
    if (!mixed_) {
        StopOutput();
        state_ = EngineState::Classic;
    } else if (!enabled_) {
        StopOutput();
        state_ = EngineState::Muted;
    } else if (!Running()) {
        StartOutput();
    }
}

void SoundEngine::StartOutput()
{
    for (const auto& [api, state] : {std::pair{AudioApi::Wasapi, EngineState::Wasapi},
                                    std::pair{AudioApi::WaveOut, EngineState::WaveOut}}) {
        if (const auto format = device_.Start(api, mixer_)) {
            state_ = state;
            mixer_.SetRate(format->sampleRate);
            if (format->sampleRate != sampleRate_) {
                sampleRate_ = format->sampleRate;
                if (bank_)
                    Preload();
            }
            return;
        }
    }
    state_ = EngineState::Fallback;
}

void SoundEngine::StopOutput()
{
    if (!Running())
        return;
    device_.Stop();
    // With the render thread gone, nothing reads the former banks any more.
    mixer_.UseBank(bank_.get());
    mixer_.Settle();
    retired_.clear();
}

void SoundEngine::Preload()
{
    if (!mixed_)
        return;
    Publish(std::make_shared<const SoundBank>(BuildSoundBank(keySound_, sampleRate_, bank_.get())));
}

void SoundEngine::Publish(std::shared_ptr<const SoundBank> bank)
{
    ReleaseRetired();
    if (bank_)
        retired_.push_back(bank_);
    bank_ = std::move(bank);
    mixer_.UseBank(bank_.get());
    if (!Running()) {
        mixer_.Settle();
        retired_.clear();
    }
}

void SoundEngine::ReleaseRetired()
{
    if (mixer_.BankInUse() == bank_.get())
        retired_.clear();
}

bool SoundEngine::Ready()
{
    if (!mixed_)
        return false;
    if (Running() && device_.Lost()) {
        StopOutput();
        StartOutput();
    }
    return Running() && bank_;
}

bool SoundEngine::Play(int slot)
{
    if (!KeySoundTable::HasSlot(slot) || !Ready())
        return false;
    // The table is what the key plays now: a key switched off since the last
    // preload is silent, and a path changed since then takes the classic call.
    const auto& text = keySound_[slot];
    if (!text || text->empty())
        return true;
    const auto index = static_cast<std::size_t>(slot);
    if (bank_->kinds[index] != SlotSound::Mixed || bank_->sounds[index]->path != *text)
        return false;
    mixer_.Trigger(slot, stereo_ ? pan_[index] : 0.0f);
    return true;
}

bool SoundEngine::PlayVariant(int code, KeyMotion motion, std::size_t index)
{
    if (!KeySoundTable::HasSlot(code) || !Ready())
        return false;
    // As for a slot: a pool changed since the last preload takes the classic call.
    const auto paths = keySound_.Variants().Paths(code, motion);
    if (index >= paths.size())
        return false;
    const auto place = bank_->VariantPlace(code, motion, index, paths[index]);
    if (!place)
        return false;
    mixer_.Trigger(KeySoundTable::SlotCount + static_cast<int>(*place),
                   stereo_ ? pan_[static_cast<std::size_t>(code)] : 0.0f);
    return true;
}

}  // namespace clavitone
