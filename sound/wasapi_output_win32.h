// The mixing engine's first choice of output: a shared-mode WASAPI stream on
// the default device, fed by an event-driven render thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "platform/scoped_win32.h"
#include "sound/audio_device.h"

namespace clavitone {

class WasapiOutput {
public:
    // Opens the stream and starts it; when WASAPI cannot, the set-up call
    // that failed and its HRESULT. `lost` is set when the stream fails,
    // stalls or the default device changes.
    static Result<std::unique_ptr<WasapiOutput>> Start(RenderSource& source, std::atomic<bool>& lost);
    ~WasapiOutput();
    WasapiOutput(const WasapiOutput&) = delete;
    WasapiOutput& operator=(const WasapiOutput&) = delete;

    StreamFormat Format() const { return format_; }
    // Wakes the render thread to write a key's sound now.
    void Wake() { SetEvent(key_.get()); }

private:
    WasapiOutput(RenderSource& source, std::atomic<bool>& lost) : source_(source), lost_(lost) {}
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    RenderSource& source_;
    std::atomic<bool>& lost_;
    ScopedHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ScopedHandle ready_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ScopedHandle key_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    ScopedHandle thread_;
    bool started_ = false;  // written by the thread before ready_ is set
    std::string failure_;   // likewise
    StreamFormat format_;
};

}  // namespace clavitone
