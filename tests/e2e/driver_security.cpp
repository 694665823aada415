// Subcommands of a hostile neighbour: private messages posted to Clavitone's
// windows with values of the sender's choosing; and the texts a window shows.
#include "tests/e2e/driver_common.h"

#include <cstdio>

#include "keybhook/keybhook_messages.h"

namespace e2e {

namespace {

// The message numbers a window of ours might read a pointer from, posted
// with an lParam that points nowhere.
constexpr UINT FirstPrivate = WM_APP;
constexpr UINT LastPrivate = WM_APP + 0x200;
constexpr LPARAM Nowhere = 0x41414141;

BOOL CALLBACK PostToChild(HWND child, LPARAM message) {
  PostMessageA(child, static_cast<UINT>(message), static_cast<WPARAM>(GetDlgCtrlID(child)), Nowhere);
  return TRUE;
}

// Every private message number, to the window and each of its controls
// (with the control's own id as wParam), rounds times over.
int Flood(const std::string& title, long rounds) {
  HWND window = FirstTopLevelWindow(title);
  if (!window) return ExitFailed;
  long posted = 0;
  for (long round = 0; round < rounds; ++round)
    for (UINT message = FirstPrivate; message <= LastPrivate; ++message) {
      // The hook's own two messages carry a key, not a pointer: a flood of
      // them only sounds keys.
      if (message == keybhook::WmHookKeyDown || message == keybhook::WmHookKeyUp) continue;
      for (WPARAM id = 1000; id < 1200; id += 37) PostMessageA(window, message, id, Nowhere);
      EnumChildWindows(window, PostToChild, static_cast<LPARAM>(message));
      ++posted;
      // A full queue refuses posts; let the window drain it.
      if (posted % 64 == 0) Sleep(5);
    }
  std::printf("%ld message numbers posted\n", posted);
  return ExitOk;
}

// A key-down as the hook delivers it, stamped ageMs before now.
int OldKeyDown(const std::string& title, long vk, long ageMs) {
  HWND window = FirstTopLevelWindow(title);
  if (!window) return ExitFailed;
  const DWORD stamp = GetTickCount() - static_cast<DWORD>(ageMs);
  PostMessageW(window, keybhook::WmHookKeyDown, static_cast<WPARAM>(vk), static_cast<LPARAM>(stamp));
  PostMessageW(window, keybhook::WmHookKeyUp, static_cast<WPARAM>(vk), static_cast<LPARAM>(stamp));
  return ExitOk;
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
  if (const std::string text = WindowText(child); !text.empty()) std::printf("%s\n", text.c_str());
  return TRUE;
}

// The texts a window shows (a message box's message among them), one a line.
int Texts(const std::string& title) {
  HWND window = FirstTopLevelWindow(title);
  if (!window) return ExitFailed;
  EnumChildWindows(window, PrintText, 0);
  return ExitOk;
}

}  // namespace

std::span<const Command> SecurityCommands() {
  static constexpr Command commands[] = {
      {"flood", 2, 2, "<title> <rounds>    private messages with a wild lParam", [](char** a, int) {
         long rounds = 0;
         return ParseNumber(a[1], rounds) ? Flood(a[0], rounds) : ExitUsage;
       }},
      {"texts", 1, 1, "<title>             every text of its controls, a line each",
       [](char** a, int) { return Texts(a[0]); }},
      {"old-key", 3, 3, "<title> <vk> <age ms>   a hook key-down stamped that long ago", [](char** a, int) {
         long vk = 0, age = 0;
         return ParseNumber(a[1], vk) && ParseNumber(a[2], age) ? OldKeyDown(a[0], vk, age) : ExitUsage;
       }},
  };
  return commands;
}

}  // namespace e2e
