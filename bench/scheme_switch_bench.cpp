// Cost of one scheme switch: SoundLoading over all 83 codes of a scheme with
// stored states and paths, against the in-memory store, and the whole switch
// as a pick in the scheme list runs it.
#include <benchmark/benchmark.h>

#include "settings/settings_layout.h"
#include "tests/unit/scheme_story.h"

namespace {

using namespace clavitone;

struct Fixture : testing::SchemeStory {
    Fixture()
    {
        SetSchemes({"Typewriter", "Voice"}, 0);
        for (const char* name : {"Typewriter", "Voice"})
            // Every key stored, a few of them switched off, as an installed scheme has it.
            for (const KeyRange range : SchemeKeyCodes)
                for (int code = range.first; code <= range.last; ++code) {
                    Set(StateKey(name, code), code % 10 == 0 ? "1" : "0");
                    Set(PathKey(name, code), std::string("C:\\Program Files\\Clavitone\\") + name + "\\" +
                                                 std::to_string(code) + ".wav");
                }
        pref.ComboLoading();
    }
};

void SoundLoadingAllCodes(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        f.pref.SoundLoading();
        benchmark::DoNotOptimize(f.keySound[65]);
    }
}
BENCHMARK(SoundLoadingAllCodes)->Unit(benchmark::kMicrosecond);

// Alternating picks, so that every pick is a change and runs the switch.
void PickAnotherScheme(benchmark::State& state)
{
    Fixture f;
    int position = 0;
    for (auto _ : state) {
        position = 1 - position;
        f.Pick(position);
        benchmark::DoNotOptimize(f.keySound[65]);
    }
}
BENCHMARK(PickAnotherScheme)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
