// System-wide key presses for one window of this process.
//
// The low-level hook lives on a thread of its own with its own message loop:
// Windows drops a low-level hook that answers slowly, and typing anywhere must
// never wait for the program's user-interface thread. Each event is posted,
// never sent, to the window. Keystrokes go nowhere else.
#include <windows.h>

#include <atomic>

#include "keybhook/keybhook_messages.h"

namespace {

// One hook per process. The state is per process, so another process that
// loads this DLL and removes "its" hook cannot disturb the running instance.
struct HookState {
    CRITICAL_SECTION lock;  // serialises install and removal
    std::atomic<HWND> target{nullptr};  // read by the hook procedure on the hook thread
    HANDLE thread = nullptr;
    DWORD threadId = 0;
};

HookState g_state;

UINT_PTR GenericKey(DWORD vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

LRESULT CALLBACK LowLevelKeyboard(int code, WPARAM message, LPARAM data)
{
    HWND target = g_state.target.load();
    if (code == HC_ACTION && target) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
        if (down || up)
            PostMessageW(target, down ? keybhook::WmHookKeyDown : keybhook::WmHookKeyUp, GenericKey(key->vkCode),
                         static_cast<LPARAM>(key->time));
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// Lives in InitHook's frame: the hook thread reads and writes it only until it
// signals ready.
struct ThreadStart {
    HANDLE ready;
    bool hooked;
};

DWORD WINAPI HookThread(LPVOID param)
{
    auto* start = static_cast<ThreadStart*>(param);
    const HANDLE ready = start->ready;
    MSG msg;
    // Create the thread's queue before the installer is told we are ready, so
    // its WM_QUIT can never be lost.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboard, GetModuleHandleW(nullptr), 0);
    start->hooked = hook != nullptr;
    SetEvent(ready);
    if (hook) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        UnhookWindowsHookEx(hook);
    }
    return 0;
}

void StopThread()
{
    if (!g_state.thread)
        return;
    PostThreadMessageW(g_state.threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(g_state.thread, INFINITE);
    CloseHandle(g_state.thread);
    g_state.thread = nullptr;
    g_state.threadId = 0;
}

// Starts the hook thread and waits until its hook is in place. On failure
// nothing is left running: the next install starts afresh.
bool StartThread()
{
    ThreadStart start{CreateEventW(nullptr, TRUE, FALSE, nullptr), false};
    // Without the event there is no way to wait, and a thread that outlived
    // this frame would read a start record that is gone.
    if (!start.ready)
        return false;
    HANDLE thread = CreateThread(nullptr, 0, HookThread, &start, CREATE_SUSPENDED, &g_state.threadId);
    if (thread) {
        // Windows drops a low-level hook that does not answer in time; on a
        // busy machine only a high priority keeps it answering.
        SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);
        ResumeThread(thread);
        const HANDLE either[] = {start.ready, thread};
        WaitForMultipleObjects(2, either, FALSE, INFINITE);
        if (start.hooked) {
            g_state.thread = thread;
        } else {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
            g_state.threadId = 0;
        }
    }
    CloseHandle(start.ready);
    return start.hooked;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        InitializeCriticalSection(&g_state.lock);
    return TRUE;
}

extern "C" int __stdcall InitHook(HWND window)
{
    EnterCriticalSection(&g_state.lock);
    g_state.target = window;
    const bool installed = g_state.thread || StartThread();
    if (!installed)
        g_state.target = nullptr;
    LeaveCriticalSection(&g_state.lock);
    return installed;
}

// Removing for a window that installed nothing, or removing twice, does nothing.
extern "C" int __stdcall DeleteHook(HWND window)
{
    EnterCriticalSection(&g_state.lock);
    if (window && g_state.target == window) {
        g_state.target = nullptr;
        StopThread();
    }
    LeaveCriticalSection(&g_state.lock);
    return 1;
}
