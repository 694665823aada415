// Windows and their controls: waiting for them, reading them, and acting on them as a user would.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

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

int Minimize(const std::string& title) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
  return ExitOk;
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

int CountWindows(const std::string& title) {
  std::printf("%u\n", static_cast<unsigned>(TopLevelWindows(title).size()));
  return ExitOk;
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
int PostCommand(const std::string& title, const char* idText) {
  long id = 0;
  if (!ParseNumber(idText, id)) return ExitUsage;
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return ExitFailed;
  return PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0) ? ExitOk : ExitFailed;
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

}  // namespace

std::span<const Command> WindowCommands() {
  static constexpr Command commands[] = {
      {"wait-window", 2, 2, "<title> <ms>", [](char** a, int) {
         long ms = 0;
         return ParseNumber(a[1], ms) ? WaitWindow(a[0], ms) : ExitUsage;
       }},
      {"close", 1, 1, "<title>            post WM_CLOSE", [](char** a, int) { return Close(a[0]); }},
      {"show", 1, 1, "<title>", [](char** a, int) { return Show(a[0]); }},
      {"post-quit", 1, 1, "<title>        WM_QUIT to the window's thread", [](char** a, int) { return PostQuit(a[0]); }},
      {"minimize", 1, 1, "<title>", [](char** a, int) { return Minimize(a[0]); }},
      {"visible", 1, 1, "<title>", [](char** a, int) { return Visible(a[0]); }},
      {"count-windows", 1, 1, "<title>", [](char** a, int) { return CountWindows(a[0]); }},
      {"check-state", 2, 2, "<title> <control text>", [](char** a, int) { return CheckState(a[0], a[1]); }},
      {"click", 2, 2, "<title> <control text>", [](char** a, int) { return Click(a[0], a[1]); }},
      {"pick", 2, 2, "<title> <position>      in the window's drop-down list", [](char** a, int) { return Pick(a[0], a[1]); }},
      {"list", 1, 1, "<title>                 its entries, \"*\" before the selected",
       [](char** a, int) { return ListEntries(a[0]); }},
      {"set-text", 2, 2, "<title> <text>      into the window's text box", [](char** a, int) { return SetText(a[0], a[1]); }},
      {"command", 2, 2, "<title> <id>         post WM_COMMAND", [](char** a, int) { return PostCommand(a[0], a[1]); }},
      {"picture-buttons", 1, 1, "<title>  left top width height of each",
       [](char** a, int) { return PictureButtons(a[0]); }},
      {"has-text", 2, 2, "<title> <text>   a control shows exactly this text", [](char** a, int) { return HasText(a[0], a[1]); }},
      {"caption-fits", 2, 2, "<title> <text>   and shows all of it", [](char** a, int) { return CaptionFits(a[0], a[1]); }},
      {"focused", 1, 1, "<title>           text of the control with the focus", [](char** a, int) { return Focused(a[0]); }},
      {"where", 1, 2, "<title> [<control text>]   screen point for a real click",
       [](char** a, int n) { return Where(a[0], n == 2 ? a[1] : nullptr); }},
      {"pointer-over", 2, 2, "<title> <control text>   own or default", [](char** a, int) { return PointerOver(a[0], a[1]); }},
      {"enabled", 2, 2, "<title> <control text>", [](char** a, int) { return Enabled(a[0], a[1]); }},
  };
  return commands;
}

}  // namespace e2e
