// The seam between the mixing engine and the system's audio output.
#pragma once

#include <cstdint>

#include "platform/result.h"

namespace clavitone {

enum class AudioApi { Wasapi, WaveOut };

// What the opened stream plays: interleaved float frames at this rate.
struct StreamFormat {
    int sampleRate = 0;
    int channels = 0;
    int periodMilliseconds = 0;  // the device's period as granted: what a key waits for at most
    int bufferMilliseconds = 0;  // the whole buffer granted
};

// Called on the output's own render thread: must not block, lock or allocate.
class RenderSource {
public:
    virtual ~RenderSource() = default;
    // Fills `frames` interleaved frames of `channels` samples each.
    virtual void Render(float* out, int frames, int channels) = 0;
    // True when Render would give nothing but silence: no sound plays, no key waits.
    virtual bool Silent() const = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Opens the default output with this API and keeps it running, pulling
    // from source on a thread of its own. When it cannot start: the call that
    // failed and its code, such as "IAudioClient::Initialize failed (0x88890008)".
    virtual Result<StreamFormat> Start(AudioApi api, RenderSource& source) = 0;
    // Stops the stream, waits for its thread and releases the device.
    virtual void Stop() = 0;
    // The running stream failed, stalled (as after sleep) or the default
    // device changed: it wants to be opened again.
    virtual bool Lost() = 0;
    // A key was queued: an output that can should write it now rather than
    // at its next period.
    virtual void Wake() {}
    // A steady clock in milliseconds, for retries after a failure.
    virtual std::uint64_t Milliseconds() const = 0;
};

}  // namespace clavitone
