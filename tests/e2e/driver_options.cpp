// Subcommands for the quiet rules and the Options window: which window is in
// front, and a hotkey control's value.
#include "tests/e2e/driver_common.h"

#include <commctrl.h>

#include <cstdio>

namespace e2e {

namespace {

// Waits until the foreground window has this title.
int ForegroundIs(const std::string& title, long ms) {
  const DWORD start = GetTickCount();
  do {
    if (HWND front = GetForegroundWindow(); front && WindowText(front) == title) return ExitOk;
    Sleep(20);
  } while (static_cast<long>(GetTickCount() - start) < ms);
  HWND front = GetForegroundWindow();
  std::fprintf(stderr, "e2e_driver: in front is \"%s\"\n", front ? WindowText(front).c_str() : "");
  return ExitFailed;
}

int HotkeyValue(const std::string& title) {
  HWND box = ControlOfClass(title, HOTKEY_CLASSA);
  if (!box) return ExitFailed;
  std::printf("%ld\n", static_cast<long>(SendMessageA(box, HKM_GETHOTKEY, 0, 0)));
  return ExitOk;
}

}  // namespace

std::span<const Command> OptionsCommands() {
  static constexpr Command commands[] = {
      {"foreground-is", 2, 2, "<title> <ms>   wait until it is in front", [](char** a, int) {
         long ms = 0;
         return ParseNumber(a[1], ms) ? ForegroundIs(a[0], ms) : ExitUsage;
       }},
      {"hotkey-value", 1, 1, "<title>      of its hotkey control", [](char** a, int) { return HotkeyValue(a[0]); }},
  };
  return commands;
}

}  // namespace e2e
