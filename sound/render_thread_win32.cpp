#include "sound/render_thread_win32.h"

#include <algorithm>
#include <cmath>

#include "platform/dll_search_win32.h"

namespace clavitone {

namespace {

using SetCharacteristics = HANDLE(WINAPI*)(LPCWSTR, LPDWORD);
using RevertCharacteristics = BOOL(WINAPI*)(HANDLE);

template <typename Function>
Function Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

AudioThreadPriority::AudioThreadPriority() : avrt_(LoadSystemLibrary(L"avrt.dll"))
{
    DWORD taskIndex = 0;
    if (const auto set = Lookup<SetCharacteristics>(avrt_.get(), "AvSetMmThreadCharacteristicsW"))
        task_ = set(L"Audio", &taskIndex);
    if (!task_)
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

AudioThreadPriority::~AudioThreadPriority()
{
    if (const auto revert = Lookup<RevertCharacteristics>(avrt_.get(), "AvRevertMmThreadCharacteristics"); revert && task_)
        revert(task_);
}

void RenderSixteenBit(RenderSource& source, std::vector<float>& scratch, std::int16_t* out, int frames, int channels)
{
    const auto count = static_cast<std::size_t>(frames * channels);
    if (scratch.size() < count) {
        std::fill_n(out, count, std::int16_t{0});
        return;
    }
    source.Render(scratch.data(), frames, channels);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(scratch[i], -1.0f, 1.0f) * 32767.0f));
}

}  // namespace clavitone
