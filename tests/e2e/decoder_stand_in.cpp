// Stands in for ClavitoneDecoder.exe to show what Clavitone does when its
// helper goes wrong. What it does comes from stand-in-mode.txt beside it:
//   crash    a fault at once
//   garbage  reads the request, then answers a sound of 2^32-1 samples
//   hang     reads the request and never answers
#include <windows.h>

#include <string>

namespace {

std::string Mode() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, length);
  file = file.substr(0, file.rfind('\\')) + "\\stand-in-mode.txt";
  char mode[16] = {};
  DWORD read = 0;
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    ReadFile(handle, mode, sizeof mode - 1, &read, nullptr);
    CloseHandle(handle);
  }
  std::string text(mode, read);
  return text.substr(0, text.find_first_of("\r\n"));
}

void ReadRequest(HANDLE in) {
  unsigned char header[4];
  DWORD got = 0;
  ReadFile(in, header, 4, &got, nullptr);
  DWORD left = header[0] | header[1] << 8 | header[2] << 16 | static_cast<DWORD>(header[3]) << 24;
  char buffer[4096];
  while (left > 0 && ReadFile(in, buffer, left < sizeof buffer ? left : sizeof buffer, &got, nullptr) && got > 0)
    left -= got;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  const std::string mode = Mode();
  if (mode == "crash") {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
  ReadRequest(GetStdHandle(STD_INPUT_HANDLE));
  if (mode == "garbage") {
    const unsigned char reply[16] = {0, 0, 0, 0, 0x44, 0xAC, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), reply, sizeof reply, &written, nullptr);
  }
  Sleep(INFINITE);
  return 0;
}
