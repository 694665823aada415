#include "platform/instance_mutex.h"

namespace clavitone {

bool InstanceMutexShowsRunningInstance(bool gotHandle, unsigned long lastError)
{
    // A mutex made by an instance with higher rights exists but may not be
    // opened here: CreateMutex then fails with access denied.
    return gotHandle ? lastError == ErrorAlreadyExists : lastError == ErrorAccessDenied;
}

}  // namespace clavitone
