// Keys as a keyboard sends them, through the system input queue.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

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

}  // namespace

std::span<const Command> KeyCommands() {
  static constexpr Command commands[] = {
      {"keys", 1, 100000, "<vk> [<vk>...]     key down and up for each", [](char** a, int n) { return Keys(n, a); }},
      {"down", 1, 1, "<vk>", [](char** a, int) { return OneEvent(a[0], false); }},
      {"up", 1, 1, "<vk>", [](char** a, int) { return OneEvent(a[0], true); }},
      {"repeat", 2, 2, "<vk> <n>          n key-downs, no key-up", [](char** a, int) { return Repeat(a[0], a[1]); }},
      {"type", 1, 1, "<text>              characters to the focus", [](char** a, int) { return Type(a[0]); }},
  };
  return commands;
}

}  // namespace e2e
