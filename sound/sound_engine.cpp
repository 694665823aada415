#include "sound/sound_engine.h"

#include <algorithm>

namespace clavitone {

namespace {

const char* OutputName(EngineState state)
{
    return state == EngineState::Wasapi ? "Windows audio" : "the Windows wave output";
}

}  // namespace

SoundEngine::~SoundEngine()
{
    StopOutput();
}

void SoundEngine::Apply(const EngineSettings& settings)
{
    mixer_.SetVolume(settings.volume);
    stereo_ = settings.stereoKeys;
    idleSeconds_ = settings.idleSeconds;
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
        Enter(EngineState::Classic, "the classic call plays every key");
    } else if (!enabled_) {
        StopOutput();
        Enter(EngineState::Muted, "sounds are off");
    } else if (!Running()) {
        StartOutput();
    }
}

void SoundEngine::StartOutput()
{
    std::string failures;
    for (const auto& [api, state] :
         {std::pair{AudioApi::Wasapi, EngineState::Wasapi}, std::pair{AudioApi::WaveOut, EngineState::WaveOut}}) {
        const auto format = device_.Start(api, mixer_);
        if (format) {
            format_ = *format;
            retryDelay_ = FirstRetryMilliseconds;
            failure_.clear();
            mixer_.SetRate(format->sampleRate);
            Enter(state, std::to_string(format->sampleRate) + " Hz, " + std::to_string(format->periodMilliseconds) +
                             " ms period, " + std::to_string(format->bufferMilliseconds) + " ms buffer");
            if (bank_ && bank_->sampleRate != format->sampleRate)
                Preload();
            return;
        }
        // The status line names the first choice's failure; the log has both.
        if (failures.empty())
            failure_ = format.Why();
        failures += (failures.empty() ? "" : "; ") + format.Why();
    }
    // The audio service may not be ready yet (at logon) or the device busy:
    // the classic call plays meanwhile, and a later key tries again.
    retryAt_ = device_.Milliseconds() + retryDelay_;
    Enter(EngineState::Fallback, failures + "; trying again in " + std::to_string(retryDelay_ / 1000) + " s");
    retryDelay_ = std::min(2 * retryDelay_, LastRetryMilliseconds);
}

void SoundEngine::StopOutput()
{
    if (!Running())
        return;
    device_.Stop();
    // With the render thread gone, nothing reads the former banks any more,
    // and keys queued or sounding before the stop must not burst out after it.
    mixer_.UseBank(bank_.get());
    mixer_.Settle();
    retired_.clear();
}

void SoundEngine::Rest(const char* reason)
{
    if (!Running())
        return;
    StopOutput();
    Enter(EngineState::Resting, reason);
}

void SoundEngine::Enter(EngineState state, const std::string& reason)
{
    const bool changed = state != state_;
    state_ = state;
    if (!changed)
        return;
    switch (state) {
    case EngineState::Wasapi:
    case EngineState::WaveOut:
        log_.Write(std::string("Sound engine: playing through ") + OutputName(state) + ", " + reason);
        break;
    case EngineState::Fallback:
        log_.Write("Sound engine unavailable, the classic call plays: " + reason);
        break;
    default:
        log_.Write("Sound engine stopped: " + reason);
        break;
    }
}

void SoundEngine::Tick(std::uint64_t idleMilliseconds)
{
    if (Running())
        ReleaseRetired();
    if (idleMilliseconds >= static_cast<std::uint64_t>(idleSeconds_) * 1000)
        Rest("no input for the idle time");
}

void SoundEngine::Suspend()
{
    Rest("the system is suspending");
}

std::string SoundEngine::Status() const
{
    const std::string rate =
        std::to_string(format_.sampleRate) + " Hz, " + std::to_string(format_.periodMilliseconds) + " ms";
    switch (state_) {
    case EngineState::Classic:
        return "Playing one sound at a time through Windows";
    case EngineState::Muted:
        return "Mixed engine off while sounds are off";
    case EngineState::Wasapi:
    case EngineState::WaveOut:
        return std::string("Playing through ") + OutputName(state_) + ", " + rate;
    case EngineState::Resting:
        return "Mixed engine resting while the computer is idle; the next key "
               "starts it";
    case EngineState::Fallback:
        break;
    }
    return "Mixed engine unavailable: " + failure_ + "; using the classic call";
}

void SoundEngine::Preload()
{
    if (!mixed_)
        return;
    Publish(std::make_shared<const SoundBank>(BuildSoundBank(keySound_, format_.sampleRate, bank_.get())));
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

std::size_t SoundEngine::PreloadedBytes() const
{
    std::size_t bytes = bank_ ? bank_->bytes : 0;
    for (const auto& bank : retired_)
        bytes += bank->bytes;
    return bytes;
}

bool SoundEngine::Ready()
{
    if (!mixed_)
        return false;
    if (Running() && device_.Lost()) {
        StopOutput();
        StartOutput();
    } else if (state_ == EngineState::Resting ||
               (state_ == EngineState::Fallback && device_.Milliseconds() >= retryAt_)) {
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
    // A full ring means the render thread is stalled: the classic call plays this
    // key.
    return mixer_.Trigger(slot, stereo_ ? pan_[index] : 0.0f);
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
    return mixer_.Trigger(KeySoundTable::SlotCount + static_cast<int>(*place),
                          stereo_ ? pan_[static_cast<std::size_t>(code)] : 0.0f);
}

}  // namespace clavitone
