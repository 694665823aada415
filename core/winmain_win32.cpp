// Process start: the real services, the resident window, start-up, and the main loop.
#include <windows.h>

#include "core/frm_pref.h"
#include "core/message_box_win32.h"
#include "core/platform_win32.h"
#include "prefs/file_dialog_win32.h"
#include "prefs/pref_events_win32.h"
#include "prefs/pref_layout.h"
#include "prefs/pref_window_win32.h"
#include "schemes/saveas_layout.h"
#include "settings/registry_store_win32.h"
#include "settings/registry_writer_win32.h"
#include "ui/window_manager_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    using namespace clavitone;

    WinEnvironment environment;
    WinSoundPlayer sound;
    WinTrayShell tray;
    RegistryStore store;
    WinWindowFocus focus;
    WinFileDialog fileDialog;
    WinRegistryWriter registry;
    HookLibrary hook(environment.AppPath());
    WinMessageBoxes messages;
    FormModel saveasForm = MakeSaveasForm();
    WinWindowManager windows(instance, environment.TwipsPerPixelX(), environment.TwipsPerPixelY());

    KeySoundTable keySound;
    FormModel form = MakePrefForm();
    frmPref pref({sound, hook, tray, environment, store, focus, fileDialog, registry, messages, windows}, keySound, form,
                 saveasForm);
    PrefWindow window(instance, form, pref, environment.TwipsPerPixelX(), environment.TwipsPerPixelY());

    pref.Form_Load();
    return window.Run();
}
