// The mixing engine's first choice of output: a shared-mode WASAPI stream on
// the default device, fed by an event-driven render thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>

#include "platform/scoped_win32.h"
#include "sound/audio_device.h"

namespace clavitone {

class WasapiOutput {
public:
    // Opens the stream and starts it; nothing when WASAPI cannot. `lost` is
    // set when the stream fails, stalls or the default device changes.
    static std::unique_ptr<WasapiOutput> Start(RenderSource& source, std::atomic<bool>& lost);
    ~WasapiOutput();
    WasapiOutput(const WasapiOutput&) = delete;
    WasapiOutput& operator=(const WasapiOutput&) = delete;

    StreamFormat Format() const { return format_; }

private:
    WasapiOutput(RenderSource& source, std::atomic<bool>& lost) : source_(source), lost_(lost) {}
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    RenderSource& source_;
    std::atomic<bool>& lost_;
    ScopedHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ScopedHandle ready_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ScopedHandle thread_;
    bool started_ = false;  // written by the thread before ready_ is set
    StreamFormat format_;
};

}  // namespace clavitone
