// The render side of the mixing engine: a fixed pool of voices summed into
// the output buffer with volume, pan and a soft limiter.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "sound/audio_device.h"
#include "sound/sound_bank.h"
#include "sound/trigger_ring.h"

namespace clavitone {

class Mixer final : public RenderSource {
public:
    static constexpr int VoiceCount = 16;

    // Any thread.
    void SetRate(int sampleRate) { rate_.store(sampleRate, std::memory_order_relaxed); }
    // 0 to 100; the mixer glides to it over a few milliseconds so that no click is heard.
    void SetVolume(int volume);
    // Key path: starts the slot's sound of the bank in use. False when the ring is full.
    bool Trigger(int slot, float pan) { return ring_.Push({slot, pan}); }
    // Hands over the bank to mix from. Voices whose sound the new bank still
    // holds play on; the others fade out. The former bank must stay alive
    // until BankInUse() returns the new one, which is once those fades end.
    void UseBank(const SoundBank* bank) { pending_.store(bank, std::memory_order_release); }
    const SoundBank* BankInUse() const { return inUse_.load(std::memory_order_acquire); }
    // Only while no render thread runs: takes the handed-over bank at once and
    // forgets every queued key and playing voice, so that nothing stale
    // sounds when a stream starts again.
    void Settle();

    // Render thread.
    void Render(float* out, int frames, int channels) override;
    bool Silent() const override;

    // Gains for a pan from -1 (left) to 1 (right): the near side stays at full
    // level, as unpanned playback is, and the far side falls along the
    // constant-power curve. No gain above 1, so a side key is never louder.
    static std::array<float, 2> PanGains(float pan);
    // Passes quiet signals unchanged and bends loud ones smoothly towards full scale.
    static float SoftLimit(float sample);

private:
    struct Voice {
        const MixSound* sound = nullptr;
        std::size_t frame = 0;
        std::array<float, 2> gains{};
        std::uint64_t started = 0;
        int fadeLeft = 0;  // frames of its fade-out still to play; 0 while it plays on
    };

    void TakeBank();
    bool BankHolds(const MixSound* sound) const;
    void FadeOut(Voice& voice);
    void StartVoice(const KeyTrigger& trigger);
    void MixVoice(Voice& voice, float* mix, int frames);

    TriggerRing ring_;
    std::atomic<const SoundBank*> pending_{nullptr};
    std::atomic<const SoundBank*> inUse_{nullptr};
    std::atomic<float> targetGain_{1.0f};
    std::atomic<int> rate_{48000};

    // Render thread's own.
    const SoundBank* bank_ = nullptr;
    std::array<Voice, VoiceCount> voices_{};
    // Voices stopped or stolen, each fading out over a few milliseconds so that nothing clicks.
    std::array<Voice, VoiceCount> fading_{};
    int fadeFrames_ = 1;
    std::uint64_t starts_ = 0;
    float gain_ = 1.0f;
    std::array<float, 2 * 4096> mix_{};
};

}  // namespace clavitone
