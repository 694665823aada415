// The seam between the mixing engine and the system's audio output.
#pragma once

#include <optional>

namespace clavitone {

enum class AudioApi { Wasapi, WaveOut };

// What the opened stream plays: interleaved float frames at this rate.
struct StreamFormat {
    int sampleRate = 0;
    int channels = 0;
};

// Called on the output's own render thread: must not block, lock or allocate.
class RenderSource {
public:
    virtual ~RenderSource() = default;
    // Fills `frames` interleaved frames of `channels` samples each.
    virtual void Render(float* out, int frames, int channels) = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Opens the default output with this API and keeps it running, pulling
    // from source on a thread of its own. Nothing when it cannot start.
    virtual std::optional<StreamFormat> Start(AudioApi api, RenderSource& source) = 0;
    // Stops the stream, waits for its thread and releases the device.
    virtual void Stop() = 0;
    // The running stream failed, stalled (as after sleep) or the default
    // device changed: it wants to be opened again.
    virtual bool Lost() = 0;
};

}  // namespace clavitone
