// The mixing engine's second choice of output, where WASAPI will not start:
// waveOut with a small double buffer refilled by a thread of its own.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/scoped_win32.h"
#include "sound/audio_device.h"

namespace clavitone {

class WaveOutOutput {
public:
    // Opens the default wave device and starts playing; when it cannot, the
    // call that failed and its MMRESULT.
    static Result<std::unique_ptr<WaveOutOutput>> Start(RenderSource& source, std::atomic<bool>& lost);
    ~WaveOutOutput();
    WaveOutOutput(const WaveOutOutput&) = delete;
    WaveOutOutput& operator=(const WaveOutOutput&) = delete;

    StreamFormat Format() const { return format_; }

private:
    static constexpr int BufferCount = 2;

    WaveOutOutput(RenderSource& source, std::atomic<bool>& lost) : source_(source), lost_(lost) {}
    Result<void> Open();
    Result<void> Fill(WAVEHDR& header);
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    RenderSource& source_;
    std::atomic<bool>& lost_;
    StreamFormat format_;
    HWAVEOUT wave_ = nullptr;
    ScopedHandle done_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    ScopedHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ScopedHandle thread_;
    std::array<WAVEHDR, BufferCount> headers_{};
    std::array<std::vector<std::int16_t>, BufferCount> buffers_;
    std::vector<float> scratch_;
};

}  // namespace clavitone
