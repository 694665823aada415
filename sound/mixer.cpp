#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace clavitone {

namespace {

constexpr float Sqrt2 = 1.41421356f;
constexpr float QuarterPi = 0.78539816f;
constexpr float LimiterKnee = 0.75f;
// A full volume change takes this long, short enough to feel immediate.
constexpr float RampSeconds = 0.01f;
constexpr std::size_t MaxBlockFrames = 4096;

}  // namespace

void Mixer::SetVolume(int volume)
{
    // Squared, so that the scale's middle sounds about half as loud.
    const float share = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    targetGain_.store(share * share, std::memory_order_relaxed);
}

std::array<float, 2> Mixer::PanGains(float pan)
{
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * QuarterPi;
    return {Sqrt2 * std::cos(angle), Sqrt2 * std::sin(angle)};
}

float Mixer::SoftLimit(float sample)
{
    const float level = std::abs(sample);
    if (level <= LimiterKnee)
        return sample;
    // u / (1 + u) leaves the knee at unit slope and approaches full scale.
    const float over = (level - LimiterKnee) / (1.0f - LimiterKnee);
    const float bent = LimiterKnee + (1.0f - LimiterKnee) * over / (1.0f + over);
    return std::copysign(bent, sample);
}

void Mixer::TakeBank()
{
    const SoundBank* pending = pending_.load(std::memory_order_acquire);
    if (pending == bank_)
        return;
    bank_ = pending;
    voices_ = {};
    inUse_.store(bank_, std::memory_order_release);
}

void Mixer::StartVoice(const KeyTrigger& trigger)
{
    if (!bank_)
        return;
    const MixSound* sound = bank_->SoundAt(trigger.slot);
    if (!sound)
        return;
    // A free voice, else the one that has sounded longest.
    Voice* voice = &voices_[0];
    for (Voice& candidate : voices_) {
        if (!candidate.sound) {
            voice = &candidate;
            break;
        }
        if (candidate.started < voice->started)
            voice = &candidate;
    }
    *voice = {sound, 0, PanGains(trigger.pan), ++starts_};
}

void Mixer::MixVoice(Voice& voice, float* mix, int frames)
{
    const MixSound& sound = *voice.sound;
    const auto count = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(frames),
                                                              sound.Frames() - voice.frame));
    const std::int16_t* in = sound.samples.data() + voice.frame * static_cast<std::size_t>(sound.channels);
    constexpr float Scale = 1.0f / 32768.0f;
    for (int i = 0; i < count; ++i) {
        const float left = in[i * sound.channels] * Scale;
        const float right = in[i * sound.channels + sound.channels - 1] * Scale;
        mix[2 * i] += left * voice.gains[0];
        mix[2 * i + 1] += right * voice.gains[1];
    }
    voice.frame += static_cast<std::size_t>(count);
    if (voice.frame >= sound.Frames())
        voice = {};
}

void Mixer::Render(float* out, int frames, int channels)
{
    TakeBank();
    for (KeyTrigger trigger; ring_.Pop(trigger);)
        StartVoice(trigger);
    const float target = targetGain_.load(std::memory_order_relaxed);
    const float step = 1.0f / (RampSeconds * static_cast<float>(std::max(1, rate_.load(std::memory_order_relaxed))));
    for (int done = 0; done < frames;) {
        const int block = std::min(frames - done, static_cast<int>(MaxBlockFrames));
        std::fill_n(mix_.begin(), 2 * block, 0.0f);
        for (Voice& voice : voices_)
            if (voice.sound)
                MixVoice(voice, mix_.data(), block);
        float* frame = out + static_cast<std::ptrdiff_t>(done) * channels;
        for (int i = 0; i < block; ++i, frame += channels) {
            gain_ += std::clamp(target - gain_, -step, step);
            const float left = SoftLimit(mix_[2 * i] * gain_);
            const float right = SoftLimit(mix_[2 * i + 1] * gain_);
            if (channels == 1) {
                frame[0] = 0.5f * (left + right);
                continue;
            }
            frame[0] = left;
            frame[1] = right;
            std::fill(frame + 2, frame + channels, 0.0f);
        }
        done += block;
    }
}

}  // namespace clavitone
