// Process start: the real services, the resident window, start-up, and the main loop.
#include <windows.h>

#include "about/about_layout.h"
#include "about/about_window_win32.h"
#include "about/frm_about.h"
#include "app/frm_pref.h"
#include "app/pref_events_win32.h"
#include "app/pref_window_win32.h"
#include "options/foreground_probe_win32.h"
#include "options/options_layout.h"
#include "platform/dll_search_win32.h"
#include "platform/event_log_win32.h"
#include "platform/file_dialog_win32.h"
#include "platform/file_system_win32.h"
#include "platform/message_box_win32.h"
#include "platform/platform_win32.h"
#include "platform/registry_names.h"
#include "schemes/saveas_layout.h"
#include "settings/registry_store_win32.h"
#include "settings/registry_writer_win32.h"
#include "sound/audio_device_win32.h"
#include "sound/decoder_process_win32.h"
#include "tray/hotkey_registrar_win32.h"
#include "ui/pref_layout.h"
#include "ui/window_manager_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    using namespace clavitone;

    RestrictDllSearch();
    WinEnvironment environment;
    WinTextComparison comparison;
    UseTextComparison(&comparison);
    WinSoundPlayer sound;
    WinTrayShell tray;
    RegistryStore store;
    WinWindowFocus focus;
    WinFileDialog fileDialog;
    WinRegistryWriter registry;
    HookLibrary hook(environment.AppPath());
    WinMessageBoxes messages;
    WinShell shell;
    FileEventLog log;
    WinAudioDevice audio;
    WinHotkeys hotkeys;
    WinForegroundProbe foreground;
    WinFileSystem files;
    WinCodePage codePage;
    HelperProcessDecoder decoder;
    const int twipsPerPixelX = environment.TwipsPerPixelX();
    const int twipsPerPixelY = environment.TwipsPerPixelY();
    FormModel saveasForm = MakeSaveasForm();
    FormModel optionsForm = MakeOptionsForm();
    WinWindowManager windows(instance, twipsPerPixelX, twipsPerPixelY);

    FormModel aboutForm = MakeAboutForm();
    frmAbout about(shell, windows, aboutForm);
    AboutWindow aboutWindow(instance, aboutForm, about, twipsPerPixelX, twipsPerPixelY);

    KeySoundTable keySound;
    FormModel form = MakePrefForm();
    frmPref pref({sound, hook, tray, environment, store, focus, fileDialog, registry, messages, windows, shell,
                  aboutWindow, audio, hotkeys, foreground, files, codePage, log, decoder},
                 keySound, form, saveasForm, optionsForm);
    PrefWindow window(instance, form, pref, twipsPerPixelX, twipsPerPixelY);

    pref.Form_Load();
    const int status = window.Run();
    // The loop also ends on a GetMessage error or a stray WM_QUIT: the icon
    // and the hook must still go before the process does.
    pref.Form_Unload();
    return status;
}
