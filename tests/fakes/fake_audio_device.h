// An audio output that opens when told to, renders only when the test pulls
// a buffer, and can be made to fail or to lose its device.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "sound/audio_device.h"

namespace clavitone::fakes {

class FakeAudioDevice final : public AudioDevice {
public:
    Result<StreamFormat> Start(AudioApi api, RenderSource& source) override
    {
        calls.push_back(api == AudioApi::Wasapi ? "Start Wasapi" : "Start WaveOut");
        if (failing.count(api))
            return Failure{api == AudioApi::Wasapi ? "IAudioClient::Initialize failed (0x88890008)"
                                                   : "waveOutOpen failed (MMRESULT 2)"};
        source_ = &source;
        lost = false;
        return format;
    }
    void Stop() override
    {
        calls.push_back("Stop");
        source_ = nullptr;
    }
    bool Lost() override { return lost; }
    std::uint64_t Milliseconds() const override { return now; }

    bool Open() const { return source_ != nullptr; }
    // One buffer from the running stream, as its render thread would pull it.
    std::vector<float> Pull(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(frames * format.channels), -9.0f);
        if (source_)
            source_->Render(out.data(), frames, format.channels);
        return out;
    }

    StreamFormat format{48000, 2, 10};
    std::set<AudioApi> failing;
    bool lost = false;
    std::uint64_t now = 0;
    std::vector<std::string> calls;

private:
    RenderSource* source_ = nullptr;
};

}  // namespace clavitone::fakes
