// Per-key cost of the quiet rules: what a key-down adds when it asks whether
// keys are quiet, with the foreground unchanged since the last key (the
// usual case), where the event hook reports changes (Windows: flags only)
// and where it does not (Wine: the foreground and focus are compared). Windows'
// own calls are stood in for by constant answers; their cost under Wine is
// printed by the end-to-end bench_quiet_probe.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "options/quiet_rules.h"
#include "settings/settings_layout.h"
#include "sound/key_playback.h"

namespace {

using clavitone::ProcessId;
using clavitone::WindowHandle;

class StillDesktop final : public clavitone::ForegroundProbe {
public:
    WindowHandle GetForegroundWindow() override { return benchmark::DoNotOptimize(window), window; }
    ProcessId WindowProcess(WindowHandle) override { return 42; }
    std::optional<std::string> ProcessImageName(ProcessId) override { return "C:\\Windows\\notepad.exe"; }
    WindowHandle FocusedWindow(WindowHandle) override { return benchmark::DoNotOptimize(focus), focus; }
    bool IsPasswordEdit(WindowHandle) override { return false; }
    void Watch(clavitone::QuietListener* watcher, bool) override { listener = watcher; }

    WindowHandle window = 0x100;
    WindowHandle focus = 0x101;
    clavitone::QuietListener* listener = nullptr;
};

// Rules as range(0) says; with range(1), the event hook has reported changes.
void ApplyCase(benchmark::State& state, StillDesktop& desktop, clavitone::QuietRules& rules);

class SilentPlayer final : public clavitone::SoundPlayer {
public:
    void sndPlaySoundA(const char* path, unsigned flags) override
    {
        benchmark::DoNotOptimize(path);
        benchmark::DoNotOptimize(flags);
    }
};

clavitone::QuietSettings Settings(int which)
{
    switch (which) {
    case 0:
        return {{}, false};  // both rules off
    case 1:
        return {{"game.exe", "zoom.exe", "obs64.exe"}, false};
    case 2:
        return {{}, true};  // the default: password fields only
    default:
        return {{"game.exe", "zoom.exe", "obs64.exe"}, true};
    }
}

void ApplyCase(benchmark::State& state, StillDesktop& desktop, clavitone::QuietRules& rules)
{
    rules.Apply(Settings(static_cast<int>(state.range(0))));
    if (state.range(1) && desktop.listener) {
        desktop.listener->ForegroundChanged(true);
        desktop.listener->FocusChanged(true);
    }
}

void QuietCheckPerKey(benchmark::State& state)
{
    StillDesktop desktop;
    clavitone::QuietRules rules(desktop);
    ApplyCase(state, desktop, rules);
    for (auto _ : state)
        benchmark::DoNotOptimize(rules.QuietNow());
}
BENCHMARK(QuietCheckPerKey)->ArgNames({"rules", "events"})->ArgsProduct({{0, 1, 2, 3}, {0, 1}});

// The whole key-down and key-up with the default rules, against the same
// without any rules (bench_key_event's KeyPressAndRelease).
void KeyPressWithQuietRules(benchmark::State& state)
{
    clavitone::KeySoundTable table;
    table.Set(65, clavitone::DefaultSoundPath("C:\\Program Files\\Clavitone", 65));
    SilentPlayer player;
    clavitone::KeyPlayback playback(table, player);
    playback.SoundEnabled = true;
    StillDesktop desktop;
    clavitone::QuietRules rules(desktop);
    ApplyCase(state, desktop, rules);
    playback.SetQuietGate(&rules);
    for (auto _ : state) {
        playback.Form_KeyDown(65, 0);
        playback.Form_KeyUp(65, 0);
    }
}
BENCHMARK(KeyPressWithQuietRules)->ArgNames({"rules", "events"})->ArgsProduct({{0, 2}, {0, 1}});

// A new window in front, noticed by a key: the program name is looked up once.
void ForegroundChange(benchmark::State& state)
{
    StillDesktop desktop;
    clavitone::QuietRules rules(desktop);
    rules.Apply(Settings(3));
    for (auto _ : state) {
        ++desktop.window;
        benchmark::DoNotOptimize(rules.QuietNow());
    }
}
BENCHMARK(ForegroundChange);

}  // namespace

BENCHMARK_MAIN();
