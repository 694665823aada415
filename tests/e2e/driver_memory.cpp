// Driver commands of the memory benchmark: how long a window chosen from the
// open tray menu takes to appear.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
constexpr DWORD GiveUpMs = 10000;

struct TitleSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<TitleSearch*>(data);
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::string(text) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

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
bool ShownAndPainted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

// time-shown <title> <vk>...: the keys go to the open pop-up menu, and the
// time from then until the window with the title is shown and painted is
// printed in milliseconds.
int TimeShown(int count, char** args) {
  if (count < 2) return ExitUsage;
  HWND menu = OpenMenu();
  if (!menu) {
    std::fputs("e2e_driver: no open menu\n", stderr);
    return ExitFailed;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  for (int i = 1; i < count; ++i) {
    const auto vk = static_cast<WPARAM>(std::strtoul(args[i], nullptr, 0));
    PostMessageA(menu, WM_KEYDOWN, vk, 1);
    PostMessageA(menu, WM_KEYUP, vk, 0xC0000001);
  }
  const DWORD began = GetTickCount();
  for (;;) {
    TitleSearch search{args[0], nullptr};
    EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
    if (search.found && ShownAndPainted(search.found)) break;
    if (GetTickCount() - began > GiveUpMs) {
      std::fprintf(stderr, "e2e_driver: \"%s\" not shown within %lu ms\n", args[0], GiveUpMs);
      return ExitFailed;
    }
    Sleep(1);
  }
  LARGE_INTEGER end;
  QueryPerformanceCounter(&end);
  std::printf("%.1f\n", Milliseconds(start, end));
  return ExitOk;
}
