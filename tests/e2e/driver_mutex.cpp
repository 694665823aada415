// Named mutexes: one that has gone, and one held with rights nobody else has.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver_common.h"

namespace e2e {

namespace {

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

}  // namespace

std::span<const Command> MutexCommands() {
  static constexpr Command commands[] = {
      {"wait-mutex-gone", 2, 2, "<name> <ms>", [](char** a, int) {
         long ms = 0;
         return ParseNumber(a[1], ms) ? WaitMutexGone(a[0], ms) : ExitUsage;
       }},
      {"hold-locked-mutex", 2, 2, "<name> <ms>", [](char** a, int) {
         long ms = 0;
         return ParseNumber(a[1], ms) && ms >= 0 ? HoldLockedMutex(a[0], ms) : ExitUsage;
       }},
      {"release-mutex", 1, 1, "<name>     ends hold-locked-mutex", [](char** a, int) { return ReleaseLockedMutex(a[0]); }},
      {"mutex-denied", 1, 1, "<name>", [](char** a, int) { return MutexDenied(a[0]); }},
  };
  return commands;
}

}  // namespace e2e
