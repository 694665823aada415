// The memory benchmark's timing: how long a window chosen from the open tray
// menu takes to appear.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

constexpr DWORD GiveUpMs = 10000;

HWND OpenMenu() {
  for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
       menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
    if (IsWindowVisible(menu)) return menu;
  return nullptr;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM data) {
  if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(data) = true;
  return FALSE;
}

// Shown, and nothing of it waits to be painted any more.
bool ShownAndPainted(const std::string& title) {
  const std::vector<HWND> windows = TopLevelWindows(title);
  if (windows.empty()) return false;
  HWND window = windows.front();
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The keys go to the open pop-up menu, as MenuKeys sends them; the time from
// then until the window with the title is shown and painted is printed in
// milliseconds.
int TimeShown(char** args, int count) {
  std::vector<WORD> keys;
  for (int i = 1; i < count; ++i) {
    WORD vk = 0;
    if (!ParseVk(args[i], vk)) return ExitUsage;
    keys.push_back(vk);
  }
  HWND menu = OpenMenu();
  if (!menu) {
    std::fputs("e2e_driver: no open menu\n", stderr);
    return ExitFailed;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  for (WORD vk : keys) {
    PostMessageA(menu, WM_KEYDOWN, vk, 1);
    PostMessageA(menu, WM_KEYUP, vk, 0xC0000001);
  }
  const DWORD began = GetTickCount();
  while (!ShownAndPainted(args[0])) {
    if (GetTickCount() - began > GiveUpMs) {
      std::fprintf(stderr, "e2e_driver: \"%s\" not shown within %lu ms\n", args[0], GiveUpMs);
      return ExitFailed;
    }
    Sleep(1);
  }
  std::printf("%.1f\n", MillisecondsSince(start));
  return ExitOk;
}

}  // namespace

std::span<const Command> MemoryCommands() {
  static constexpr Command commands[] = {
      {"time-shown", 2, 64, "<title> <vk>...   menu keys, then ms until that window is shown and painted", TimeShown},
  };
  return commands;
}

}  // namespace e2e
