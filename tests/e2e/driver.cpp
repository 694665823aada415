// e2e_driver: the hands of the end-to-end tests. It types keys and pokes at
// windows the way a user or the system would, so that the scripts can watch
// what Clavitone does from the outside. It knows nothing of how Clavitone
// works; each subcommand is one plain Win32 action.
//
// Exit status: 0 done (or condition met), 1 condition not met / window
// missing, 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

struct WindowSearch {
  std::string title;
  std::vector<HWND> found;
};

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectTitled(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (WindowText(hwnd) == search->title) search->found.push_back(hwnd);
  return TRUE;
}

// A control's own text, which GetWindowText does not read from another
// process (an edit box's contents, for one).
std::string ControlText(HWND hwnd) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

BOOL CALLBACK FindFirstTitled(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (ControlText(hwnd) != search->title) return TRUE;
  search->found.push_back(hwnd);
  return FALSE;
}

// Every top-level window with this exact title, hidden ones included: the
// program keeps its main window hidden while it sits in the tray.
std::vector<HWND> TopLevelWindows(const std::string& title) {
  WindowSearch search{title, {}};
  EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FirstTopLevelWindow(const std::string& title) {
  auto windows = TopLevelWindows(title);
  if (windows.empty()) {
    std::fprintf(stderr, "e2e_driver: no window titled \"%s\"\n", title.c_str());
    return nullptr;
  }
  return windows.front();
}

HWND ChildWithText(HWND parent, const std::string& text) {
  WindowSearch search{text, {}};
  EnumChildWindows(parent, FindFirstTitled, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

bool ParseNumber(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 0);
  return end != text && *end == '\0';
}

bool ParseVk(const char* text, WORD& vk) {
  long value = 0;
  if (!ParseNumber(text, value) || value < 1 || value > 254) {
    std::fprintf(stderr, "e2e_driver: bad virtual-key code \"%s\"\n", text);
    return false;
  }
  vk = static_cast<WORD>(value);
  return true;
}

// One key event through the system input queue, as a keyboard would send it,
// so that low-level hooks of other processes see it.
bool SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (SendInput(1, &input, sizeof input) != 1) {
    std::fprintf(stderr, "e2e_driver: SendInput failed (%lu)\n", GetLastError());
    return false;
  }
  return true;
}

// Text typed into whatever has the focus, one character at a time, as a
// keyboard layout would deliver it.
int Type(const std::string& text) {
  for (unsigned char c : text) {
    INPUT input[2] = {};
    for (INPUT& event : input) {
      event.type = INPUT_KEYBOARD;
      event.ki.wScan = c;
      event.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    if (SendInput(2, input, sizeof input[0]) != 2) {
      std::fprintf(stderr, "e2e_driver: SendInput failed (%lu)\n", GetLastError());
      return ExitFailed;
    }
  }
  return ExitOk;
}

// Waits until a window of that title exists and its thread answers. The
// window exists before the program's start-up has run; the answer comes only
// once start-up is over and the message loop runs, with the hook in place.
int WaitWindow(const std::string& title, long timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const long elapsed = static_cast<long>(GetTickCount() - start);
    const std::vector<HWND> windows = TopLevelWindows(title);
    DWORD_PTR answer = 0;
    if (!windows.empty() &&
        SendMessageTimeoutA(windows.front(), WM_NULL, 0, 0, SMTO_NORMAL,
                            static_cast<UINT>(timeoutMs > elapsed ? timeoutMs - elapsed : 1), &answer))
      return ExitOk;
    if (static_cast<long>(GetTickCount() - start) >= timeoutMs) break;
    Sleep(20);
  }
  std::fprintf(stderr, "e2e_driver: no window titled \"%s\" after %ld ms\n", title.c_str(), timeoutMs);
  return ExitFailed;
}

// Waits until no process holds the named mutex any more: Wine drops an ended
// process's objects a moment after its Linux process is gone.
int WaitMutexGone(const std::string& name, long timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (!mutex) return ExitOk;
    CloseHandle(mutex);
    if (static_cast<long>(GetTickCount() - start) >= timeoutMs) break;
    Sleep(20);
  }
  std::fprintf(stderr, "e2e_driver: mutex \"%s\" still exists after %ld ms\n", name.c_str(), timeoutMs);
  return ExitFailed;
}

int Keys(int count, char** vks) {
  for (int i = 0; i < count; ++i) {
    WORD vk = 0;
    if (!ParseVk(vks[i], vk)) return ExitUsage;
    if (!SendKey(vk, false) || !SendKey(vk, true)) return ExitFailed;
  }
  return ExitOk;
}

int OneEvent(const char* vkText, bool up) {
  WORD vk = 0;
  if (!ParseVk(vkText, vk)) return ExitUsage;
  return SendKey(vk, up) ? ExitOk : ExitFailed;
}

// A held key: the keyboard repeats key-down without any key-up in between.
int Repeat(const char* vkText, const char* countText) {
  WORD vk = 0;
  long count = 0;
  if (!ParseVk(vkText, vk) || !ParseNumber(countText, count) || count < 1) return ExitUsage;
  for (long i = 0; i < count; ++i) {
    if (!SendKey(vk, false)) return ExitFailed;
  }
  return ExitOk;
}

int Close(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  return PostMessageA(hwnd, WM_CLOSE, 0, 0) ? ExitOk : ExitFailed;
}

int Show(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  return ExitOk;
}

int CheckState(const std::string& title, const std::string& caption) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  HWND button = ChildWithText(hwnd, caption);
  if (!button) {
    std::fprintf(stderr, "e2e_driver: no control \"%s\" in \"%s\"\n", caption.c_str(), title.c_str());
    return ExitFailed;
  }
  std::printf("%ld\n", static_cast<long>(SendMessageA(button, BM_GETCHECK, 0, 0)));
  return ExitOk;
}

int HasText(const std::string& title, const std::string& text) {
  HWND hwnd = FirstTopLevelWindow(title);
  return hwnd && ChildWithText(hwnd, text) ? ExitOk : ExitFailed;
}

int CountWindows(const std::string& title) {
  std::printf("%u\n", static_cast<unsigned>(TopLevelWindows(title).size()));
  return ExitOk;
}

int Usage() {
  std::fputs(
      "usage: e2e_driver wait-window <title> <ms>\n"
      "       e2e_driver keys <vk> [<vk>...]     key down and up for each\n"
      "       e2e_driver down <vk> | up <vk>\n"
      "       e2e_driver repeat <vk> <n>          n key-downs, no key-up\n"
      "       e2e_driver type <text>              characters to the focus\n"
      "       e2e_driver close <title>            post WM_CLOSE\n"
      "       e2e_driver show <title>\n"
      "       e2e_driver check-state <title> <control text>\n"
      "       e2e_driver count-windows <title>\n"
      "       e2e_driver has-text <title> <text>   a control shows exactly this text\n"
      "       e2e_driver wait-mutex-gone <name> <ms>\n",
      stderr);
  return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  const int rest = argc - 2;
  char** args = argv + 2;

  if (command == "wait-window" && rest == 2) {
    long ms = 0;
    if (!ParseNumber(args[1], ms)) return Usage();
    return WaitWindow(args[0], ms);
  }
  if (command == "wait-mutex-gone" && rest == 2) {
    long ms = 0;
    if (!ParseNumber(args[1], ms)) return Usage();
    return WaitMutexGone(args[0], ms);
  }
  if (command == "keys" && rest >= 1) return Keys(rest, args);
  if (command == "down" && rest == 1) return OneEvent(args[0], false);
  if (command == "up" && rest == 1) return OneEvent(args[0], true);
  if (command == "repeat" && rest == 2) return Repeat(args[0], args[1]);
  if (command == "type" && rest == 1) return Type(args[0]);
  if (command == "close" && rest == 1) return Close(args[0]);
  if (command == "show" && rest == 1) return Show(args[0]);
  if (command == "check-state" && rest == 2) return CheckState(args[0], args[1]);
  if (command == "count-windows" && rest == 1) return CountWindows(args[0]);
  if (command == "has-text" && rest == 2) return HasText(args[0], args[1]);
  return Usage();
}
