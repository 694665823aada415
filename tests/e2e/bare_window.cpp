// The yardstick of the memory benchmark: a bare window program that loads and
// initialises the same system DLLs as Clavitone (common controls, shell,
// common dialogs, winmm) and holds one hidden window, nothing of ours.
//
// With a folder as its argument it also plays, for every key pressed
// anywhere, that folder's "<code>.wav" as Clavitone plays a key's default
// sound: the growth of Wine's own sound path then shows apart from ours.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr char WindowClass[] = "ClavitoneBareWindow";
constexpr char WindowTitle[] = "Clavitone Bare Window";
constexpr UINT WmPlayKey = WM_APP + 1;

std::string g_soundFolder;
HWND g_window = nullptr;

// As in Clavitone, the hook only posts: a hook that answers slowly holds up
// every key typed anywhere.
LRESULT CALLBACK KeyHook(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
        PostMessageA(g_window, WmPlayKey, reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode, 0);
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WmPlayKey) {
        char path[MAX_PATH];
        std::snprintf(path, sizeof path, "%s\\%u.wav", g_soundFolder.c_str(), static_cast<unsigned>(wParam));
        sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Every system DLL Clavitone imports, touched once so that each is loaded
// and has set itself up as it does there.
void TouchSystemDlls()
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    SHFILEINFOA info{};
    SHGetFileInfoA(".wav", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME);
    CommDlgExtendedError();
    sndPlaySoundA(nullptr, 0);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    TouchSystemDlls();

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = WindowClass;
    RegisterClassExA(&windowClass);
    g_window = CreateWindowExA(0, WindowClass, WindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                               300, nullptr, nullptr, instance, nullptr);
    if (!g_window)
        return 1;

    HHOOK hook = nullptr;
    if (commandLine && *commandLine) {
        g_soundFolder = commandLine;
        hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyHook, instance, 0);
        if (!hook)
            return 1;
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (hook)
        UnhookWindowsHookEx(hook);
    return 0;
}
