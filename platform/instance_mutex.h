// Whether the named mutex that marks a running instance says one is running.
#pragma once

namespace clavitone {

// Windows error codes as CreateMutex reports them through GetLastError.
constexpr unsigned long ErrorAccessDenied = 5;
constexpr unsigned long ErrorAlreadyExists = 183;

// gotHandle: CreateMutex returned a handle; lastError: GetLastError right after.
bool InstanceMutexShowsRunningInstance(bool gotHandle, unsigned long lastError);

}  // namespace clavitone
