// Layout as the user sees it: where a window's controls lie.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

BOOL CALLBACK PrintControl(HWND child, LPARAM data) {
  const HWND window = reinterpret_cast<HWND>(data);
  RECT area{};
  if (GetParent(child) != window || !GetWindowRect(child, &area)) return TRUE;
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
  std::printf("%ld %ld %ld %ld %s %s\n", area.left, area.top, area.right - area.left, area.bottom - area.top,
              ClassOf(child).c_str(), ControlText(child).c_str());
  return TRUE;
}

// "client <width> <height>", then one line per control of the window:
// "<left> <top> <width> <height> <class> <text>", in client pixels.
int Layout(const std::string& title) {
  HWND window = FirstTopLevelWindow(title);
  RECT client{};
  if (!window || !GetClientRect(window, &client)) return ExitFailed;
  std::printf("client %ld %ld\n", client.right, client.bottom);
  EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
  return ExitOk;
}

}  // namespace

std::span<const Command> LayoutCommands() {
  static constexpr Command commands[] = {
      {"layout", 1, 1, "<title>           client size, then each control's place, class and text",
       [](char** a, int) { return Layout(a[0]); }},
  };
  return commands;
}

}  // namespace e2e
