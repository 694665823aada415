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
// A stopped voice fades out over this long: short enough to feel like a stop,
// long enough not to click.
constexpr int FadeMilliseconds = 3;

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
    return {std::min(1.0f, Sqrt2 * std::cos(angle)), std::min(1.0f, Sqrt2 * std::sin(angle))};
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

void Mixer::Settle()
{
    bank_ = pending_.load(std::memory_order_acquire);
    voices_ = {};
    fading_ = {};
    ring_.Clear();
    inUse_.store(bank_, std::memory_order_release);
}

void Mixer::TakeBank()
{
    const SoundBank* pending = pending_.load(std::memory_order_acquire);
    if (pending == bank_)
        return;
    bank_ = pending;
    for (Voice& voice : voices_)
        if (voice.sound && !BankHolds(voice.sound))
            FadeOut(voice);
}

bool Mixer::BankHolds(const MixSound* sound) const
{
    return bank_ && std::any_of(bank_->sounds.begin(), bank_->sounds.end(),
                                [sound](const auto& held) { return held.get() == sound; });
}

void Mixer::FadeOut(Voice& voice)
{
    // A free place, else the fade nearest its end gives way.
    Voice* place = &fading_[0];
    for (Voice& candidate : fading_) {
        if (!candidate.sound) {
            place = &candidate;
            break;
        }
        if (candidate.fadeLeft < place->fadeLeft)
            place = &candidate;
    }
    *place = voice;
    place->fadeLeft = fadeFrames_;
    voice = {};
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
    if (voice->sound)
        FadeOut(*voice);
    *voice = {sound, 0, PanGains(trigger.pan), ++starts_};
}

void Mixer::MixVoice(Voice& voice, float* mix, int frames)
{
    const MixSound& sound = *voice.sound;
    const bool fading = voice.fadeLeft > 0;
    auto count =
        static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(frames), sound.Frames() - voice.frame));
    if (fading)
        count = std::min(count, voice.fadeLeft);
    const float step = fading ? 1.0f / static_cast<float>(fadeFrames_) : 0.0f;
    float level = fading ? static_cast<float>(voice.fadeLeft) * step : 1.0f;
    const std::int16_t* in = sound.samples.data() + voice.frame * static_cast<std::size_t>(sound.channels);
    constexpr float Scale = 1.0f / 32768.0f;
    for (int i = 0; i < count; ++i, level -= step) {
        const float left = in[i * sound.channels] * Scale * level;
        const float right = in[i * sound.channels + sound.channels - 1] * Scale * level;
        mix[2 * i] += left * voice.gains[0];
        mix[2 * i + 1] += right * voice.gains[1];
    }
    voice.frame += static_cast<std::size_t>(count);
    voice.fadeLeft -= fading ? count : 0;
    if (voice.frame >= sound.Frames() || (fading && voice.fadeLeft == 0))
        voice = {};
}

bool Mixer::Silent() const
{
    const auto quiet = [](const Voice& voice) { return !voice.sound; };
    return ring_.Empty() && std::all_of(voices_.begin(), voices_.end(), quiet) &&
           std::all_of(fading_.begin(), fading_.end(), quiet);
}

void Mixer::Render(float* out, int frames, int channels)
{
    fadeFrames_ = std::max(1, rate_.load(std::memory_order_relaxed) * FadeMilliseconds / 1000);
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
        for (Voice& voice : fading_)
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
    // Former banks may go once no fade can still read from them.
    if (std::none_of(fading_.begin(), fading_.end(), [](const Voice& voice) { return voice.sound; }))
        inUse_.store(bank_, std::memory_order_release);
}

}  // namespace clavitone
