// The mixing engine as the rest of the program sees it: which output plays,
// the preloaded sounds, and the final "play this slot" of a key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_log.h"
#include "settings/engine_settings.h"
#include "sound/audio_device.h"
#include "sound/key_pan.h"
#include "sound/key_sound.h"
#include "sound/mixer.h"
#include "sound/sound_bank.h"

namespace clavitone {

enum class EngineState {
    Classic,  // "SoundEngine" is not "1": every key takes the classic call
    Muted,    // sounds are off: no stream, no device held
    Wasapi,   // a stream runs, silent between keys
    WaveOut,
    Resting,   // stopped after the user was idle or the system suspended: the next
               // key starts it
    Fallback,  // no audio API would start: the classic call plays until a retry
               // succeeds
};

class SoundEngine {
public:
    SoundEngine(AudioDevice& device, const KeySoundTable& keySound, EventLog& log)
        : device_(device), keySound_(keySound), log_(log)
    {
    }
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Takes new settings at once: switches engine, volume and stereo placement.
    void Apply(const EngineSettings& settings);
    // Follows the mute switch: the stream runs only while sounds are on.
    void SetSoundEnabled(bool enabled);
    void SetPanTable(const PanTable& pan) { pan_ = pan; }
    // Reads the key sound table's files afresh (those already held are kept).
    void Preload();

    // True when the engine has dealt with the slot (played or silent); false
    // when the classic call must play it.
    bool Play(int slot);
    // The same for one of a key's further press sounds or its release sounds
    // (KeyVariants' index into the key's pool).
    bool PlayVariant(int code, KeyMotion motion, std::size_t index);

    // About once a second: lets go of banks the render thread no longer
    // reads, and stops the stream once nobody has touched keyboard or mouse
    // for the idle time, so that the system can sleep.
    void Tick(std::uint64_t idleMilliseconds);
    // The system is about to suspend: the stream stops now.
    void Suspend();

    EngineState State() const { return state_; }
    // One line for the user: how keys are played now and, after a failure, why.
    std::string Status() const;
    // The sounds held in memory, including a former bank the render thread may
    // still read.
    std::size_t PreloadedBytes() const;

private:
    static constexpr std::uint64_t FirstRetryMilliseconds = 5'000;
    static constexpr std::uint64_t LastRetryMilliseconds = 300'000;

    bool Running() const { return state_ == EngineState::Wasapi || state_ == EngineState::WaveOut; }
    // Whether a bank to play from is there, the output restarted if the device was lost.
    bool Ready();
    void Update();
    void StartOutput();
    void StopOutput();
    void Rest(const char* reason);
    void Enter(EngineState state, const std::string& reason);
    void Publish(std::shared_ptr<const SoundBank> bank);
    void ReleaseRetired();

    AudioDevice& device_;
    const KeySoundTable& keySound_;
    EventLog& log_;
    Mixer mixer_;
    PanTable pan_{};
    EngineState state_ = EngineState::Classic;
    bool mixed_ = false;
    bool stereo_ = false;
    bool enabled_ = false;
    int idleSeconds_ = DefaultEngineIdleSeconds;
    StreamFormat format_{48000, 2, 0};
    // After a failed start: the next try waits this long, doubling each time.
    std::string failure_;
    std::uint64_t retryDelay_ = FirstRetryMilliseconds;
    std::uint64_t retryAt_ = 0;
    std::shared_ptr<const SoundBank> bank_;
    // Banks the render thread may still be reading.
    std::vector<std::shared_ptr<const SoundBank>> retired_;
};

}  // namespace clavitone
