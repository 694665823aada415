// Every platform service of frmPref, faked, and the bundle frmPref is built
// from. The recording fakes share one journal, so tests can check the order
// of calls across services.
#pragma once

#include "app/frm_pref.h"
#include "tests/fakes/fake_audio_device.h"
#include "tests/fakes/fake_options_platform.h"
#include "tests/fakes/in_process_decoder.h"
#include "tests/fakes/memory_files.h"
#include "tests/fakes/memory_store.h"
#include "tests/fakes/recording_log.h"
#include "tests/fakes/recording_platform.h"
#include "tests/fakes/recording_prefs_platform.h"
#include "tests/fakes/recording_windows.h"
#include "tests/fakes/scripted_windows.h"

namespace clavitone::fakes {

struct FakePlatform {
    // The services with another store or registry in place of the own ones.
    PlatformServices Services(SettingsStore& settings, RegistryWriter& registryWriter)
    {
        return {sound,   hook,           tray,     environment, settings, focus, fileDialog, registryWriter,
                messages, windows, shell, about,    audio, hotkeys, desktop, files, codePage, log, decoder};
    }
    PlatformServices Services(SettingsStore& settings) { return Services(settings, registry); }
    PlatformServices Services() { return Services(store); }

    Journal journal;
    RecordingSound sound{journal};
    RecordingHook hook{journal};
    RecordingTray tray{journal};
    FakeEnvironment environment{journal};
    MemoryStore store;
    RecordingFocus focus;
    ScriptedFileDialog fileDialog;
    RecordingRegistry registry;
    ScriptedMessageBoxes messages;
    ScriptedWindows windows{&journal};
    RecordingShell shell{journal};
    RecordingLog log;
    FakeWindowLoader about{journal, AboutHandle};
    FakeAudioDevice audio;
    RecordingHotkeys hotkeys;
    FakeDesktop desktop;
    MemoryFiles files;
    Latin1CodePage codePage;
    InProcessDecoder decoder;

    static constexpr WindowHandle AboutHandle = 0x3000;
};

}  // namespace clavitone::fakes
