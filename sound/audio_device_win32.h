// The system's audio output for the mixing engine: WASAPI or waveOut.
#pragma once

#include <atomic>
#include <memory>

#include "sound/audio_device.h"
#include "sound/wasapi_output_win32.h"
#include "sound/waveout_output_win32.h"

namespace clavitone {

class WinAudioDevice final : public AudioDevice {
public:
    Result<StreamFormat> Start(AudioApi api, RenderSource& source) override;
    void Stop() override;
    bool Lost() override { return lost_; }
    void Wake() override;
    std::uint64_t Milliseconds() const override;

private:
    std::atomic<bool> lost_{false};
    std::unique_ptr<WasapiOutput> wasapi_;
    std::unique_ptr<WaveOutOutput> waveOut_;
};

}  // namespace clavitone
