#include "tests/e2e/driver_common.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

struct WindowSearch {
  std::string title;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (WindowText(hwnd) == search->title) search->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK FindFirstTitled(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (ControlText(hwnd) != search->title) return TRUE;
  search->found.push_back(hwnd);
  return FALSE;
}

}  // namespace

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// A button's or label's text as it is shown: an access key's "&" only
// underlines the letter after it, and "&&" shows one "&".
std::string ShownText(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

std::string ControlText(HWND hwnd) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  const std::string kind = ClassOf(hwnd);
  return kind == "Button" || kind == "Static" ? ShownText(text) : std::string(text);
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

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

HWND ControlWithText(const std::string& title, const std::string& caption) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return nullptr;
  HWND control = ChildWithText(hwnd, caption);
  if (!control) std::fprintf(stderr, "e2e_driver: no control \"%s\" in \"%s\"\n", caption.c_str(), title.c_str());
  return control;
}

HWND ControlOfClass(const std::string& title, const char* className) {
  HWND hwnd = FirstTopLevelWindow(title);
  if (!hwnd) return nullptr;
  HWND control = FindWindowExA(hwnd, nullptr, className, nullptr);
  if (!control) std::fprintf(stderr, "e2e_driver: no %s in \"%s\"\n", className, title.c_str());
  return control;
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

}  // namespace e2e
