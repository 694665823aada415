// What both audio outputs share: a render thread of their own at the
// scheduler's audio priority, started and stopped by its owner.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/scoped_win32.h"
#include "sound/audio_device.h"

namespace clavitone {

// Raises the calling thread to the "Audio" task of the multimedia scheduler
// for its lifetime. avrt.dll is looked up at run time, so the program still
// starts where it is absent; there, a high thread priority has to do.
class AudioThreadPriority {
public:
    AudioThreadPriority();
    ~AudioThreadPriority();
    AudioThreadPriority(const AudioThreadPriority&) = delete;
    AudioThreadPriority& operator=(const AudioThreadPriority&) = delete;

private:
    ScopedModule avrt_;
    HANDLE task_ = nullptr;
};

// Converts the mixer's float output to 16-bit for outputs that take integers.
void RenderSixteenBit(RenderSource& source, std::vector<float>& scratch, std::int16_t* out, int frames, int channels);

}  // namespace clavitone
