// Cost of one scheme switch: SoundLoading over all 83 codes of a scheme with
// stored states and paths, against the in-memory store, and the whole switch
// as a pick in the scheme list runs it.
#include <benchmark/benchmark.h>

#include "core/frm_pref.h"
#include "prefs/pref_layout.h"
#include "schemes/saveas_layout.h"
#include "settings/settings_layout.h"
#include "tests/fakes/memory_store.h"
#include "tests/fakes/recording_platform.h"
#include "tests/fakes/scripted_windows.h"

namespace {

using namespace clavitone;

struct Fixture {
    Fixture()
    {
        SaveSettingsText(store, "SchemesQuantity", "2");
        for (const char* name : {"Typewriter", "Voice"}) {
            SaveSettingsText(store, SchemeNameKey(name[0] == 'V'), name);
            // Every key stored, a few of them switched off, as an installed scheme has it.
            for (const KeyRange range : SchemeKeyCodes)
                for (int code = range.first; code <= range.last; ++code) {
                    SaveSettingsText(store, StateKey(name, code), code % 10 == 0 ? "1" : "0");
                    SaveSettingsText(store, PathKey(name, code),
                                     std::string("C:\\Program Files\\Clavitone\\") + name + "\\" +
                                         std::to_string(code) + ".wav");
                }
        }
        pref.ComboLoading();
    }

    fakes::Journal journal;
    fakes::RecordingSound sound{journal};
    fakes::RecordingHook hook{journal};
    fakes::RecordingTray tray{journal};
    fakes::FakeEnvironment environment{journal};
    fakes::MemoryStore store;
    fakes::ScriptedMessageBoxes messages;
    fakes::ScriptedWindows windows;
    KeySoundTable keySound;
    FormModel form = MakePrefForm();
    FormModel dialog = MakeSaveasForm();
    frmPref pref{{sound, hook, tray, environment, store, messages, windows}, keySound, form, dialog};
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
    Control& list = f.form("Combo", 0);
    int position = 0;
    for (auto _ : state) {
        position = 1 - position;
        f.form.SetListIndex(list, position);
        benchmark::DoNotOptimize(f.keySound[65]);
    }
}
BENCHMARK(PickAnotherScheme)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
