// Preloading a shipped sound set into the mixing engine at a 48 kHz stream:
// the time a scheme switch spends reading and converting (on the user-
// interface thread) and the bytes the set then holds in memory.
#include <benchmark/benchmark.h>

#include <string>

#include "settings/settings_layout.h"
#include "sound/sound_bank.h"

namespace {

void PreloadSet(benchmark::State& state, const std::string& folder)
{
    clavitone::KeySoundTable table;
    for (const auto range : clavitone::SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            table.Set(code, folder + "/" + std::to_string(code) + ".wav");
    std::size_t bytes = 0;
    int classic = 0;
    for (auto _ : state) {
        const auto bank = clavitone::BuildSoundBank(table, 48000, nullptr);
        bytes = bank.bytes;
        classic = 0;
        for (const auto kind : bank.kinds)
            classic += kind == clavitone::SlotSound::Classic;
    }
    state.counters["preloaded_bytes"] = static_cast<double>(bytes);
    // Keys the engine could not read: they would take the classic call.
    state.counters["unreadable_keys"] = classic;
}

}  // namespace

BENCHMARK_CAPTURE(PreloadSet, Typewriter, std::string(CLAVITONE_SOUND_SETS) + "/Typewriter")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PreloadSet, Voice, std::string(CLAVITONE_SOUND_SETS) + "/Voice")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
