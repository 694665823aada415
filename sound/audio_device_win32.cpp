#include "sound/audio_device_win32.h"

namespace clavitone {

Result<StreamFormat> WinAudioDevice::Start(AudioApi api, RenderSource& source)
{
    Stop();
    lost_ = false;
    if (api == AudioApi::Wasapi) {
        auto started = WasapiOutput::Start(source, lost_);
        if (!started)
            return Failure{started.Why()};
        wasapi_ = std::move(*started);
        return wasapi_->Format();
    }
    auto started = WaveOutOutput::Start(source, lost_);
    if (!started)
        return Failure{started.Why()};
    waveOut_ = std::move(*started);
    return waveOut_->Format();
}

void WinAudioDevice::Wake()
{
    if (wasapi_)
        wasapi_->Wake();
}

std::uint64_t WinAudioDevice::Milliseconds() const
{
    return GetTickCount64();
}

void WinAudioDevice::Stop()
{
    wasapi_.reset();
    waveOut_.reset();
}

}  // namespace clavitone
