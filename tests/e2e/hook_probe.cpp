// hook_probe: keybhook.dll on its own, under failures the system can hand it,
// and the cost of its hook callback. It swaps two of the library's imports for
// stand-ins that watch (and on request refuse) the calls.
//
//   hook_probe faults <keybhook.dll>           exit 0 when no failure leaves a half state
//   hook_probe bench <keybhook.dll> [events]   prints the time the callback takes per key event
//
// Exit status: 0 done, 1 a check failed, 2 bad usage or the library would not load.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "keybhook/keybhook_messages.h"
#include "tests/e2e/import_patch.h"

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// A key no keyboard has, so the test types into nothing.
constexpr WORD ProbeKey = VK_F24;
constexpr DWORD KeyTimeoutMs = 3000;
constexpr DWORD WatchdogMs = 30000;

using HookCall = int(__stdcall*)(HWND);
using SetHookCall = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);
using CreateEventCall = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCWSTR);
using CreateThreadCall = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);

struct Library {
  HMODULE module = nullptr;
  HookCall init = nullptr;
  HookCall remove = nullptr;
};

// What the stand-ins saw; written on the library's hook thread, read after
// InitHook has returned.
struct Watch {
  SetHookCall realSetHook = nullptr;
  CreateEventCall realCreateEvent = nullptr;
  CreateThreadCall realCreateThread = nullptr;
  bool refuseHook = false;
  bool refuseEvent = false;
  int threadsStarted = 0;
  int hookRequests = 0;
  int hookThreadPriority = THREAD_PRIORITY_ERROR_RETURN;
  HANDLE hookThread = nullptr;  // the thread that asked last
  HOOKPROC callback = nullptr;
};

Watch watch;

HHOOK WINAPI WatchedSetWindowsHookExW(int id, HOOKPROC callback, HINSTANCE module, DWORD thread) {
  ++watch.hookRequests;
  watch.hookThreadPriority = GetThreadPriority(GetCurrentThread());
  if (watch.hookThread) CloseHandle(watch.hookThread);
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &watch.hookThread, SYNCHRONIZE, FALSE,
                  0);
  watch.callback = callback;
  if (watch.refuseHook) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return watch.realSetHook(id, callback, module, thread);
}

HANDLE WINAPI WatchedCreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manual, BOOL initial, LPCWSTR name) {
  if (watch.refuseEvent) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return watch.realCreateEvent(attributes, manual, initial, name);
}

HANDLE WINAPI WatchedCreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stack, LPTHREAD_START_ROUTINE start,
                                  LPVOID param, DWORD flags, LPDWORD id) {
  ++watch.threadsStarted;
  return watch.realCreateThread(attributes, stack, start, param, flags, id);
}

bool Load(const char* path, Library& library) {
  library.module = LoadLibraryA(path);
  if (!library.module) {
    std::fprintf(stderr, "hook_probe: cannot load %s (%lu)\n", path, GetLastError());
    return false;
  }
  library.init = reinterpret_cast<HookCall>(reinterpret_cast<void*>(GetProcAddress(library.module, "_InitHook@4")));
  library.remove =
      reinterpret_cast<HookCall>(reinterpret_cast<void*>(GetProcAddress(library.module, "_DeleteHook@4")));
  watch.realSetHook = reinterpret_cast<SetHookCall>(PatchImport(
      library.module, "user32.dll", "SetWindowsHookExW", reinterpret_cast<void*>(&WatchedSetWindowsHookExW)));
  watch.realCreateEvent = reinterpret_cast<CreateEventCall>(PatchImport(
      library.module, "kernel32.dll", "CreateEventW", reinterpret_cast<void*>(&WatchedCreateEventW)));
  watch.realCreateThread = reinterpret_cast<CreateThreadCall>(PatchImport(
      library.module, "kernel32.dll", "CreateThread", reinterpret_cast<void*>(&WatchedCreateThread)));
  if (!library.init || !library.remove || !watch.realSetHook || !watch.realCreateEvent || !watch.realCreateThread) {
    std::fprintf(stderr, "hook_probe: %s lacks an export or an import the probe needs\n", path);
    return false;
  }
  return true;
}

// The window the hook reports to: message-only, it needs no display.
HWND MakeTarget() {
  return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void DrainQueue(HWND window) {
  MSG message;
  while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
  }
}

// Types the probe key and waits for the hook's key-down for it.
bool KeyArrives(HWND window) {
  DrainQueue(window);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = ProbeKey;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  if (SendInput(2, input, sizeof input[0]) != 2) return false;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < KeyTimeoutMs) {
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
      if (message.message == keybhook::WmHookKeyDown && message.wParam == ProbeKey) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
  }
  return false;
}

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

bool ThreadGone(HANDLE thread) {
  return thread && WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

// A library that hangs in InitHook or DeleteHook fails here rather than at
// the test's time limit.
DWORD WINAPI Watchdog(LPVOID) {
  Sleep(WatchdogMs);
  std::printf("FAILED: keybhook.dll still busy after %lu ms\n", WatchdogMs);
  ExitProcess(ExitFailed);
}

int Faults(const Library& library) {
  CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
  HWND target = MakeTarget();
  if (!target) return ExitUsage;

  library.init(target);
  Check(watch.hookRequests == 1, "the hook is requested once");
  Check(watch.hookThreadPriority >= THREAD_PRIORITY_HIGHEST, "the hook thread runs at a raised priority");
  Check(KeyArrives(target), "a key reaches the window");
  library.remove(target);

  // Refused hook: nothing may stay behind, and the next install tries again.
  watch.refuseHook = true;
  library.init(target);
  watch.refuseHook = false;
  Check(watch.hookRequests == 2, "a second install asks for the hook");
  Check(ThreadGone(watch.hookThread), "the hook thread has ended when a refused install returns");
  library.init(target);
  Check(watch.hookRequests == 3, "the install after a refusal asks for the hook again");
  Check(KeyArrives(target), "a key reaches the window after the retry");
  library.remove(target);

  // No way to wait for the thread: no thread may start, since it would read
  // its start record after InitHook has returned.
  watch.refuseEvent = true;
  const int threadsBefore = watch.threadsStarted;
  const int requestsBefore = watch.hookRequests;
  library.init(target);
  watch.refuseEvent = false;
  Check(watch.threadsStarted == threadsBefore, "no hook thread starts when the installer cannot wait for it");
  library.init(target);
  Check(watch.hookRequests == requestsBefore + 1, "the install after that asks for the hook");
  Check(KeyArrives(target), "a key reaches the window once the install succeeds");
  library.remove(target);

  DestroyWindow(target);
  return failures == 0 ? ExitOk : ExitFailed;
}

// Calls the installed callback directly, as Windows does for each key event,
// and drains the window's queue between batches so that posting never meets
// a full queue.
int Bench(const Library& library, long events) {
  HWND target = MakeTarget();
  if (!target) return ExitUsage;
  library.init(target);
  if (!watch.callback) {
    std::fprintf(stderr, "hook_probe: no hook was installed\n");
    return ExitFailed;
  }
  constexpr long Batch = 1000;
  KBDLLHOOKSTRUCT key{};
  key.vkCode = ProbeKey;
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  LONGLONG ticks = 0;
  long done = 0;
  while (done < events) {
    QueryPerformanceCounter(&begin);
    for (long i = 0; i < Batch; ++i)
      watch.callback(HC_ACTION, (i & 1) ? WM_KEYUP : WM_KEYDOWN, reinterpret_cast<LPARAM>(&key));
    QueryPerformanceCounter(&end);
    ticks += end.QuadPart - begin.QuadPart;
    done += Batch;
    DrainQueue(target);
  }
  library.remove(target);
  DestroyWindow(target);
  const double nanoseconds = static_cast<double>(ticks) * 1e9 / static_cast<double>(frequency.QuadPart) / done;
  std::printf("hook callback: %.0f ns per key event (mean of %ld events)\n", nanoseconds, done);
  return ExitOk;
}

int Usage() {
  std::fputs(
      "usage: hook_probe faults <keybhook.dll>\n"
      "       hook_probe bench <keybhook.dll> [events]\n",
      stderr);
  return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // Each line as it happens: a hanging library still shows how far it got.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  Library library;
  if (command == "faults" && argc == 3) return Load(argv[2], library) ? Faults(library) : ExitUsage;
  if (command == "bench" && (argc == 3 || argc == 4)) {
    char* end = nullptr;
    const long events = argc == 4 ? std::strtol(argv[3], &end, 10) : 1000000;
    if (argc == 4 && (*end || events < 1)) return Usage();
    return Load(argv[2], library) ? Bench(library, events) : ExitUsage;
  }
  return Usage();
}
