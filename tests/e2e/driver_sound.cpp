// Keys for the sound timing harness: each press stamped with the performance
// counter, which Wine takes from the same clock as the audio recorder.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

bool Press(WORD vk) {
  INPUT input[2] = {};
  for (INPUT& event : input) {
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = vk;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, input, sizeof input[0]) == 2;
}

// Prints one line per key: the counter just before it was sent, in
// nanoseconds, then the counter after SendInput returned. A planted delay
// sleeps between the stamp and the send: the harness must then report each
// onset that much later, which shows that it measures what it claims.
int TimedKeys(char** args, int count, long plantMs = 0) {
  long gapMs = 0;
  if (!ParseNumber(args[0], gapMs) || gapMs < 0) return ExitUsage;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double nsPerTick = 1e9 / static_cast<double>(frequency.QuadPart);
  for (int i = 1; i < count; ++i) {
    WORD vk = 0;
    if (!ParseVk(args[i], vk)) return ExitUsage;
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    if (plantMs > 0) Sleep(static_cast<DWORD>(plantMs));
    if (!Press(vk)) return ExitFailed;
    QueryPerformanceCounter(&after);
    std::printf("%.0f %.0f\n", before.QuadPart * nsPerTick, after.QuadPart * nsPerTick);
    if (i + 1 < count) Sleep(static_cast<DWORD>(gapMs));
  }
  return ExitOk;
}

// The memory of the process that owns the first window with the title:
// private bytes, then the working set (Wine 8 reports no private bytes).
int PrivateBytes(const char* title) {
  HWND window = FirstTopLevelWindow(title);
  DWORD pid = 0;
  if (!window || !GetWindowThreadProcessId(window, &pid)) return ExitFailed;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return ExitFailed;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  const BOOL ok = GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  CloseHandle(process);
  if (!ok) return ExitFailed;
  std::printf("%llu %llu\n", static_cast<unsigned long long>(counters.PrivateUsage),
              static_cast<unsigned long long>(counters.WorkingSetSize));
  return ExitOk;
}

}  // namespace

std::span<const Command> SoundCommands() {
  static constexpr Command commands[] = {
      {"timed-keys", 2, 100000, "<gap ms> <vk> [<vk>...]   timed presses, a line each",
       [](char** a, int n) { return TimedKeys(a, n); }},
      {"planted-keys", 3, 100000, "<delay ms> <gap ms> <vk> [<vk>...]   timed presses, each sent that much after its stamp",
       [](char** a, int n) {
         long plantMs = 0;
         return ParseNumber(a[0], plantMs) && plantMs >= 0 ? TimedKeys(a + 1, n - 1, plantMs) : ExitUsage;
       }},
      {"private-bytes", 1, 1, "<title>   private bytes and working set of the window's process",
       [](char** a, int) { return PrivateBytes(a[0]); }},
  };
  return commands;
}

}  // namespace e2e
