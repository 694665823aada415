#include "sound/audio_device_win32.h"

namespace clavitone {

std::optional<StreamFormat> WinAudioDevice::Start(AudioApi api, RenderSource& source)
{
    Stop();
    lost_ = false;
    if (api == AudioApi::Wasapi) {
        wasapi_ = WasapiOutput::Start(source, lost_, failure_);
        return wasapi_ ? std::optional(wasapi_->Format()) : std::nullopt;
    }
    waveOut_ = WaveOutOutput::Start(source, lost_, failure_);
    return waveOut_ ? std::optional(waveOut_->Format()) : std::nullopt;
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
