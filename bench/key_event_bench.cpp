// Cost of one key event: the hook's key-down through the handler to the
// platform's play call, or to the mixing engine's hand-over to its render
// thread, and the heap allocations it makes (the aim is none).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/engine_device.h"
#include "settings/settings_layout.h"
#include "sound/key_playback.h"
#include "tests/unit/sound/wav_file.h"

namespace {

std::atomic<long long> g_allocations{0};

class SilentPlayer final : public clavitone::SoundPlayer {
public:
    void sndPlaySoundA(const char* path, unsigned flags) override
    {
        benchmark::DoNotOptimize(path);
        benchmark::DoNotOptimize(flags);
    }
};

struct Fixture {
    Fixture()
    {
        for (const auto range : clavitone::SchemeKeyCodes)
            for (int code = range.first; code <= range.last; ++code)
                table.Set(code, clavitone::DefaultSoundPath("C:\\Program Files\\Clavitone", code));
        playback.SoundEnabled = true;
    }
    clavitone::KeySoundTable table;
    SilentPlayer player;
    clavitone::KeyPlayback playback{table, player};
};

void KeyPressAndRelease(benchmark::State& state)
{
    Fixture f;
    const long long before = g_allocations.load();
    for (auto _ : state) {
        f.playback.Form_KeyDown(65, 0);
        f.playback.Form_KeyUp(65, 0);
    }
    // Two events per iteration: the press and the release.
    state.counters["allocs_per_event"] = benchmark::Counter(
        static_cast<double>(g_allocations.load() - before) / (2.0 * static_cast<double>(state.iterations())));
}
BENCHMARK(KeyPressAndRelease);

void HeldShiftRepeat(benchmark::State& state)
{
    Fixture f;
    f.playback.Form_KeyDown(16, 0);
    const long long before = g_allocations.load();
    for (auto _ : state)
        f.playback.Form_KeyDown(16, 0);  // auto-repeat of a held key: silent
    state.counters["allocs_per_event"] =
        benchmark::Counter(static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(HeldShiftRepeat);

// The same key through the mixing engine, whose render thread runs meanwhile.
void EngineKeyPressAndRelease(benchmark::State& state)
{
    clavitone::testing_wav::TempFolder folder("bench");
    clavitone::testing_wav::WriteWav(folder.File("a.wav"), 48000, 1, std::vector<std::int16_t>(4800, 1000));
    clavitone::KeySoundTable table;
    table.Set(65, folder.File("a.wav"));
    SilentPlayer player;
    PullingDevice device;
    clavitone::NoEventLog log;
    clavitone::SoundEngine engine{device, table, log};
    clavitone::KeyPlayback playback{table, player, &engine};
    playback.SoundEnabled = true;
    playback.SoundSwitched();
    engine.Apply({true, 100, true});
    const long long before = g_allocations.load();
    for (auto _ : state) {
        playback.Form_KeyDown(65, 0);
        playback.Form_KeyUp(65, 0);
    }
    state.counters["allocs_per_event"] = benchmark::Counter(
        static_cast<double>(g_allocations.load() - before) / (2.0 * static_cast<double>(state.iterations())));
}
BENCHMARK(EngineKeyPressAndRelease);

}  // namespace

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

BENCHMARK_MAIN();
