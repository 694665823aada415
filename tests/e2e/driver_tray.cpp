// The tray and its menu: what the shell sends to an icon, the open pop-up menu, and the tips of the icons.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

constexpr char PictureBoxClass[] = "ClavitonePictureBox";
constexpr char MenuWindowClass[] = "#32768";
constexpr char ToolTipClass[] = "tooltips_class32";

struct ChildSearch {
  HWND parent;
  RECT client;
  HWND found;
};

// The tray callback box lies right of the client area, out of sight.
BOOL CALLBACK FindCallbackBox(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  RECT area{};
  if (ClassOf(hwnd) != PictureBoxClass || !GetWindowRect(hwnd, &area)) return TRUE;
  MapWindowPoints(nullptr, search->parent, reinterpret_cast<POINT*>(&area), 2);
  if (area.left < search->client.right) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// What the shell does for a mouse action over the icon: WM_MOUSEMOVE to the
// icon's callback window with the action's message number as x.
int Tray(const std::string& title, const char* messageText) {
  long mouseMessage = 0;
  if (!ParseNumber(messageText, mouseMessage)) return ExitUsage;
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  ChildSearch search{hwnd, {}, nullptr};
  GetClientRect(hwnd, &search.client);
  EnumChildWindows(hwnd, FindCallbackBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::fprintf(stderr, "e2e_driver: no tray callback box in \"%s\"\n", title.c_str());
    return ExitFailed;
  }
  const LPARAM position = MAKELPARAM(static_cast<WORD>(mouseMessage), 0);
  return PostMessageA(search.found, WM_MOUSEMOVE, 1, position) ? ExitOk : ExitFailed;
}

struct ClassSearch {
  std::string className;
  DWORD process;  // 0: any
  std::vector<HWND> found;
};

BOOL CALLBACK CollectClass(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (ClassOf(hwnd) == search->className && (!search->process || process == search->process))
    search->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> WindowsOfClass(const std::string& className, DWORD process = 0) {
  ClassSearch search{className, process, {}};
  EnumWindows(CollectClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OpenMenuWindow() {
  for (HWND menu : WindowsOfClass(MenuWindowClass))
    if (IsWindowVisible(menu)) return menu;
  return nullptr;
}

// Waits until a pop-up menu is open and prints its screen rectangle as
// "left top width height"; with "closed", waits until none is open.
int WaitMenu(const char* state, long timeoutMs) {
  const bool wantOpen = std::strcmp(state, "closed") != 0;
  const DWORD start = GetTickCount();
  HWND menu = nullptr;
  while (((menu = OpenMenuWindow()) != nullptr) != wantOpen) {
    if (static_cast<long>(GetTickCount() - start) >= timeoutMs) {
      std::fprintf(stderr, "e2e_driver: no menu %s after %ld ms\n", wantOpen ? "open" : "closed", timeoutMs);
      return ExitFailed;
    }
    Sleep(20);
  }
  RECT area{};
  if (menu && GetWindowRect(menu, &area))
    std::printf("%ld %ld %ld %ld\n", area.left, area.top, area.right - area.left, area.bottom - area.top);
  return ExitOk;
}

// Keys for the open pop-up menu, straight to its window as the menu's own
// loop reads them.
int MenuKeys(int count, char** vks) {
  HWND menu = OpenMenuWindow();
  if (!menu) {
    std::fputs("e2e_driver: no open menu\n", stderr);
    return ExitFailed;
  }
  for (int i = 0; i < count; ++i) {
    WORD vk = 0;
    if (!ParseVk(vks[i], vk)) return ExitUsage;
    PostMessageA(menu, WM_KEYDOWN, vk, 1);
    PostMessageA(menu, WM_KEYUP, vk, 0xC0000001);
  }
  return ExitOk;
}

// Reads a structure of the tray's process through memory lent to it.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD process, SIZE_T size)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process)),
        size_(size),
        address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {}
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
    return WriteProcessMemory(process_, At(offset), data, size, nullptr) != 0;
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) const {
    return ReadProcessMemory(process_, At(offset), data, size, nullptr) != 0;
  }
  explicit operator bool() const { return address_ != nullptr; }

 private:
  HANDLE process_;
  SIZE_T size_;
  void* address_;
};

// Prints the text of every tool of the tool tip windows of the process that
// shows the window titled TITLE, one a line; nothing when there is no such
// window (Wine's tray window goes away with its last icon). The tray's icons
// are such tools, each with the icon's tip.
int ToolTips(const std::string& title) {
  const std::vector<HWND> windows = TopLevelWindows(title);
  if (windows.empty()) return ExitOk;
  DWORD process = 0;
  GetWindowThreadProcessId(windows.front(), &process);
  constexpr SIZE_T TextOffset = 1024;
  constexpr int TextChars = 1024;
  RemoteBuffer remote(process, TextOffset + TextChars * sizeof(wchar_t));
  if (!remote) {
    std::fprintf(stderr, "e2e_driver: cannot reach the process of \"%s\" (%lu)\n", title.c_str(), GetLastError());
    return ExitFailed;
  }
  for (HWND tips : WindowsOfClass(ToolTipClass, process)) {
    const auto count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.lpszText = reinterpret_cast<wchar_t*>(remote.At(TextOffset));
      const wchar_t empty = 0;
      if (!remote.Write(0, &tool, sizeof tool) || !remote.Write(TextOffset, &empty, sizeof empty) ||
          !SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At(0))))
        continue;
      wchar_t text[TextChars] = {};
      if (!remote.Read(TextOffset, text, sizeof text - sizeof(wchar_t))) continue;
      char line[TextChars * 2] = {};
      WideCharToMultiByte(CP_ACP, 0, text, -1, line, sizeof line, nullptr, nullptr);
      std::printf("%s\n", line);
    }
  }
  return ExitOk;
}

// What a restarted Windows shell broadcasts once its tray is up again.
int TaskbarCreated() {
  return PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? ExitOk : ExitFailed;
}

}  // namespace

std::span<const Command> TrayCommands() {
  static constexpr Command commands[] = {
      {"tray", 2, 2, "<title> <mouse message>   the shell's tray callback", [](char** a, int) { return Tray(a[0], a[1]); }},
      {"taskbar-created", 0, 0, "              a restarted shell's announcement", [](char**, int) { return TaskbarCreated(); }},
      {"tool-tips", 1, 1, "<title>             tool tips of the process showing it", [](char** a, int) { return ToolTips(a[0]); }},
      {"wait-menu", 2, 2, "open|closed <ms>", [](char** a, int) {
         long ms = 0;
         return ParseNumber(a[1], ms) ? WaitMenu(a[0], ms) : ExitUsage;
       }},
      {"menu-keys", 1, 100000, "<vk> [<vk>...]      keys for the open pop-up menu", [](char** a, int n) { return MenuKeys(n, a); }},
  };
  return commands;
}

}  // namespace e2e
