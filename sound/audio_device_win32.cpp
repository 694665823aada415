#include "sound/audio_device_win32.h"

namespace clavitone {

Result<StreamFormat> WinAudioDevice::Start(AudioApi api, RenderSource& source)
{
    Stop();
    lost_ = false;
    std::string failure;
    if (api == AudioApi::Wasapi) {
        wasapi_ = WasapiOutput::Start(source, lost_, failure);
        return wasapi_ ? Result(wasapi_->Format()) : Failure{failure};
    }
    waveOut_ = WaveOutOutput::Start(source, lost_, failure);
    return waveOut_ ? Result(waveOut_->Format()) : Failure{failure};
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
