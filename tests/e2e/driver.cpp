// e2e_driver: the hands of the end-to-end tests. It types keys and pokes at
// windows the way a user or the system would, so that the scripts can watch
// what Clavitone does from the outside. It knows nothing of how Clavitone
// works; each subcommand is one plain Win32 action.
//
// Exit status: 0 done (or condition met), 1 condition not met / window
// missing, 2 bad usage.
#include <windows.h>
#include <commctrl.h>

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

// WM_QUIT for the thread that owns the window, as a stray PostQuitMessage
// anywhere in that thread would leave it.
int PostQuit(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
  return thread && PostThreadMessageA(thread, WM_QUIT, 0, 0) ? ExitOk : ExitFailed;
}

// The control showing this text in the first window with the title.
HWND ControlWithText(const std::string& title, const std::string& caption) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return nullptr;
  HWND control = ChildWithText(hwnd, caption);
  if (!control) std::fprintf(stderr, "e2e_driver: no control \"%s\" in \"%s\"\n", caption.c_str(), title.c_str());
  return control;
}

// The first control of a class, such as "ComboBox" or "Edit", in the first
// window with the title.
HWND ControlOfClass(const std::string& title, const char* className) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return nullptr;
  HWND control = FindWindowExA(hwnd, nullptr, className, nullptr);
  if (!control) std::fprintf(stderr, "e2e_driver: no %s in \"%s\"\n", className, title.c_str());
  return control;
}

int CheckState(const std::string& title, const std::string& caption) {
  HWND button = ControlWithText(title, caption);
  if (!button) return ExitFailed;
  std::printf("%ld\n", static_cast<long>(SendMessageA(button, BM_GETCHECK, 0, 0)));
  return ExitOk;
}

// A button click as the button itself makes it, posted so that a modal loop
// the click opens does not hold the driver.
int Click(const std::string& title, const std::string& caption) {
  HWND button = ControlWithText(title, caption);
  if (!button) return ExitFailed;
  return PostMessageA(button, BM_CLICK, 0, 0) ? ExitOk : ExitFailed;
}

// A pick in the window's drop-down list: the list selects the entry and tells
// its parent, as it does when the user picks with the mouse.
int Pick(const std::string& title, const char* positionText) {
  long position = 0;
  if (!ParseNumber(positionText, position)) return ExitUsage;
  HWND list = ControlOfClass(title, "ComboBox");
  if (!list) return ExitFailed;
  if (SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0) == CB_ERR) return ExitFailed;
  const WPARAM notification = MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE);
  return PostMessageA(GetParent(list), WM_COMMAND, notification, reinterpret_cast<LPARAM>(list)) ? ExitOk : ExitFailed;
}

// The entries of the window's drop-down list, one a line, the selected one
// marked with "*".
int ListEntries(const std::string& title) {
  HWND list = ControlOfClass(title, "ComboBox");
  if (!list) return ExitFailed;
  const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
  // Read as wide text: Wine hands the ANSI form of this message between
  // processes without converting it.
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[512] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 512) return ExitFailed;
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char entry[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, entry, sizeof entry, nullptr, nullptr);
    std::printf("%s%s\n", i == selected ? "*" : "", entry);
  }
  return ExitOk;
}

// The window's text box gets a new text, all at once.
int SetText(const std::string& title, const char* text) {
  HWND edit = ControlOfClass(title, "Edit");
  if (!edit) return ExitFailed;
  return SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? ExitOk : ExitFailed;
}

// A command posted to a window, as a dialog's button sends it (IDOK 1, IDYES 6, IDNO 7).
int Command(const std::string& title, const char* idText) {
  long id = 0;
  if (!ParseNumber(idText, id)) return ExitUsage;
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  return PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0) ? ExitOk : ExitFailed;
}

// "1" when the first window with the title is visible, "0" when it is hidden;
// then whether it is minimized, and whether it takes input.
int Visible(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  std::printf("%d %s %s\n", IsWindowVisible(hwnd) ? 1 : 0, IsIconic(hwnd) ? "minimized" : "normal",
              IsWindowEnabled(hwnd) ? "enabled" : "disabled");
  return ExitOk;
}

BOOL CALLBACK PrintPictureButton(HWND child, LPARAM data) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") != 0 || !(GetWindowLongA(child, GWL_STYLE) & BS_ICON)) return TRUE;
  const auto* origin = reinterpret_cast<const RECT*>(data);
  RECT area;
  GetWindowRect(child, &area);
  std::printf("%ld %ld %ld %ld\n", area.left - origin->left, area.top - origin->top, area.right - area.left,
              area.bottom - area.top);
  return TRUE;
}

// Every button showing an icon: left, top, width, height in pixels, measured
// from the window's outer top-left corner (where a screenshot of it starts).
int PictureButtons(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  RECT origin;
  GetWindowRect(hwnd, &origin);
  EnumChildWindows(hwnd, PrintPictureButton, reinterpret_cast<LPARAM>(&origin));
  return ExitOk;
}

int HasText(const std::string& title, const std::string& text) {
  HWND hwnd = FirstTopLevelWindow(title);
  return hwnd && ChildWithText(hwnd, text) ? ExitOk : ExitFailed;
}

// Whether the control showing this text shows all of it on one line in the
// window's font, "MS Sans Serif" 8.25 pt: prints the text's width and the
// control's, in pixels.
int CaptionFits(const std::string& title, const std::string& text) {
  HWND control = ControlWithText(title, text);
  if (!control) return ExitFailed;
  RECT area;
  GetClientRect(control, &area);
  HDC dc = GetDC(control);
  HFONT font = CreateFontA(-MulDiv(825, GetDeviceCaps(dc, LOGPIXELSY), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  HGDIOBJ before = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, before);
  DeleteObject(font);
  ReleaseDC(control, dc);
  std::printf("%ld %ld\n", static_cast<long>(size.cx), static_cast<long>(area.right));
  return size.cx <= area.right ? ExitOk : ExitFailed;
}

// The text of the control that has the keyboard focus in the window's thread;
// an empty line when the focus is on a control without text or elsewhere.
int Focused(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) return ExitFailed;
  std::printf("%s\n", info.hwndFocus && info.hwndFocus != hwnd ? ControlText(info.hwndFocus).c_str() : "");
  return ExitOk;
}

int CountWindows(const std::string& title) {
  std::printf("%u\n", static_cast<unsigned>(TopLevelWindows(title).size()));
  return ExitOk;
}

// --- the tray and its menu ------------------------------------------------------

constexpr char PictureBoxClass[] = "ClavitonePictureBox";
constexpr char MenuWindowClass[] = "#32768";
constexpr char ToolTipClass[] = "tooltips_class32";

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

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

// --- windows and controls -------------------------------------------------------

int Minimize(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
  return ExitOk;
}

// Where a real click goes, in screen pixels: the centre of the control with
// this text, or without one the top-left corner of the window's client area.
int Where(const std::string& title, const char* caption) {
  HWND hwnd = caption ? ControlWithText(title, caption) : FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  POINT at{};
  if (caption) {
    RECT area{};
    GetClientRect(hwnd, &area);
    at = {area.right / 2, area.bottom / 2};
  }
  ClientToScreen(hwnd, &at);
  std::printf("%ld %ld\n", at.x, at.y);
  return ExitOk;
}

// Prints "own" when the window sets a pointer of its own over the control
// (as it is asked whenever the mouse moves there), "default" otherwise.
int PointerOver(const std::string& title, const std::string& caption) {
  HWND control = ControlWithText(title, caption);
  if (!control) return ExitFailed;
  const LRESULT own = SendMessageA(GetAncestor(control, GA_ROOT), WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  std::puts(own ? "own" : "default");
  return ExitOk;
}

// Prints 1 when the control takes input, 0 when it is greyed.
int Enabled(const std::string& title, const std::string& caption) {
  HWND control = ControlWithText(title, caption);
  if (!control) return ExitFailed;
  std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
  return ExitOk;
}

// The event that ends a hold-locked-mutex of this name early.
std::string ReleaseEventName(const std::string& mutexName) { return mutexName + ".Release"; }

// A named mutex nobody may open, as one made by a process with higher rights
// looks to an ordinary one. Held until release-mutex or until the time is up.
int HoldLockedMutex(const std::string& name, long ms) {
  SECURITY_DESCRIPTOR descriptor;
  ACL emptyAcl;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyAcl, FALSE)) {
    std::fprintf(stderr, "e2e_driver: no security descriptor (%lu)\n", GetLastError());
    return ExitFailed;
  }
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, ReleaseEventName(name).c_str());
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  HANDLE mutex = CreateMutexA(&attributes, FALSE, name.c_str());
  if (!release || !mutex) {
    std::fprintf(stderr, "e2e_driver: CreateMutex or CreateEvent failed (%lu)\n", GetLastError());
    return ExitFailed;
  }
  WaitForSingleObject(release, static_cast<DWORD>(ms));
  CloseHandle(mutex);
  CloseHandle(release);
  return ExitOk;
}

int ReleaseLockedMutex(const std::string& name) {
  HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, ReleaseEventName(name).c_str());
  if (!release) return ExitFailed;
  SetEvent(release);
  CloseHandle(release);
  return ExitOk;
}

// Succeeds when the named mutex exists and opening it for full use, as
// CreateMutex does, is refused.
int MutexDenied(const std::string& name) {
  HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (mutex) {
    CloseHandle(mutex);
    return ExitFailed;
  }
  return error == ERROR_ACCESS_DENIED ? ExitOk : ExitFailed;
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
      "       e2e_driver post-quit <title>        WM_QUIT to the window's thread\n"
      "       e2e_driver check-state <title> <control text>\n"
      "       e2e_driver count-windows <title>\n"
      "       e2e_driver tray <title> <mouse message>   the shell's tray callback\n"
      "       e2e_driver taskbar-created               a restarted shell's announcement\n"
      "       e2e_driver tool-tips <title>             tool tips of the process showing it\n"
      "       e2e_driver pointer-over <title> <control text>   own or default\n"
      "       e2e_driver where <title> [<control text>]   screen point for a real click\n"
      "       e2e_driver wait-menu open|closed <ms>\n"
      "       e2e_driver menu-keys <vk> [<vk>...]      keys for the open pop-up menu\n"
      "       e2e_driver minimize <title>\n"
      "       e2e_driver enabled <title> <control text>\n"
      "       e2e_driver has-text <title> <text>   a control shows exactly this text\n"
      "       e2e_driver caption-fits <title> <text>   and shows all of it\n"
      "       e2e_driver focused <title>           text of the control with the focus\n"
      "       e2e_driver click <title> <control text>\n"
      "       e2e_driver pick <title> <position>      in the window's drop-down list\n"
      "       e2e_driver list <title>                 its entries, \"*\" before the selected\n"
      "       e2e_driver set-text <title> <text>      into the window's text box\n"
      "       e2e_driver command <title> <id>         post WM_COMMAND\n"
      "       e2e_driver visible <title>\n"
      "       e2e_driver wait-mutex-gone <name> <ms>\n"
      "       e2e_driver picture-buttons <title>  left top width height of each\n"
      "       e2e_driver hold-locked-mutex <name> <ms>\n"
      "       e2e_driver release-mutex <name>     ends hold-locked-mutex\n"
      "       e2e_driver mutex-denied <name>\n"
      "       e2e_driver time-shown <title> <vk>...   menu keys, then ms until shown and painted\n",
      stderr);
  return ExitUsage;
}

}  // namespace

int TimeShown(int count, char** args);

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
  if (command == "post-quit" && rest == 1) return PostQuit(args[0]);
  if (command == "check-state" && rest == 2) return CheckState(args[0], args[1]);
  if (command == "count-windows" && rest == 1) return CountWindows(args[0]);
  if (command == "tray" && rest == 2) return Tray(args[0], args[1]);
  if (command == "taskbar-created" && rest == 0) return TaskbarCreated();
  if (command == "tool-tips" && rest == 1) return ToolTips(args[0]);
  if (command == "pointer-over" && rest == 2) return PointerOver(args[0], args[1]);
  if (command == "where" && (rest == 1 || rest == 2)) return Where(args[0], rest == 2 ? args[1] : nullptr);
  if (command == "wait-menu" && rest == 2) {
    long ms = 0;
    if (!ParseNumber(args[1], ms)) return Usage();
    return WaitMenu(args[0], ms);
  }
  if (command == "menu-keys" && rest >= 1) return MenuKeys(rest, args);
  if (command == "minimize" && rest == 1) return Minimize(args[0]);
  if (command == "enabled" && rest == 2) return Enabled(args[0], args[1]);
  if (command == "has-text" && rest == 2) return HasText(args[0], args[1]);
  if (command == "caption-fits" && rest == 2) return CaptionFits(args[0], args[1]);
  if (command == "focused" && rest == 1) return Focused(args[0]);
  if (command == "click" && rest == 2) return Click(args[0], args[1]);
  if (command == "pick" && rest == 2) return Pick(args[0], args[1]);
  if (command == "list" && rest == 1) return ListEntries(args[0]);
  if (command == "set-text" && rest == 2) return SetText(args[0], args[1]);
  if (command == "command" && rest == 2) return Command(args[0], args[1]);
  if (command == "visible" && rest == 1) return Visible(args[0]);
  if (command == "picture-buttons" && rest == 1) return PictureButtons(args[0]);
  if (command == "hold-locked-mutex" && rest == 2) {
    long ms = 0;
    if (!ParseNumber(args[1], ms) || ms < 0) return Usage();
    return HoldLockedMutex(args[0], ms);
  }
  if (command == "mutex-denied" && rest == 1) return MutexDenied(args[0]);
  if (command == "release-mutex" && rest == 1) return ReleaseLockedMutex(args[0]);
  if (command == "time-shown" && rest >= 2) return TimeShown(rest, args);
  return Usage();
}
