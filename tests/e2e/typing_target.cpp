// typing_target: a program to type into, for the quiet rules' tests. Its
// window "Typing target" holds an ordinary Edit ("plain") and a password
// Edit; it comes to the front with the focus in the one named on the command
// line ("plain" or "password"), and WM_COMMAND 101 or 102 moves the focus to
// the ordinary or the password Edit later. WM_CLOSE ends it.
#include <windows.h>

#include <cstring>

namespace {

constexpr int FocusPlain = 101;
constexpr int FocusPassword = 102;

HWND g_plain = nullptr;
HWND g_password = nullptr;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == FocusPlain) SetFocus(g_plain);
      if (LOWORD(wParam) == FocusPassword) SetFocus(g_password);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "TypingTarget";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "TypingTarget", "Typing target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 140,
                                nullptr, nullptr, instance, nullptr);
  g_plain = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "plain", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 280,
                            24, window, nullptr, instance, nullptr);
  g_password = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_PASSWORD,
                               10, 44, 280, 24, window, nullptr, instance, nullptr);
  SetForegroundWindow(window);
  SetFocus(std::strstr(commandLine, "password") ? g_password : g_plain);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
