#include "sound/audio_device_win32.h"

#include <memory>
#include <utility>

namespace clavitone {

namespace {

// Keeps a started output and gives its format, or passes on why it did not start.
template <typename Output>
Result<StreamFormat> Keep(Result<std::unique_ptr<Output>> started, std::unique_ptr<Output>& kept)
{
    if (!started)
        return Failure{started.Why()};
    kept = std::move(*started);
    return kept->Format();
}

}  // namespace

Result<StreamFormat> WinAudioDevice::Start(AudioApi api, RenderSource& source)
{
    Stop();
    lost_ = false;
    if (api == AudioApi::Wasapi)
        return Keep(WasapiOutput::Start(source, lost_), wasapi_);
    return Keep(WaveOutOutput::Start(source, lost_), waveOut_);
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
