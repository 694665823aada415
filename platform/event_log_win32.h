// The program's log file, %LOCALAPPDATA%\Clavitone\Clavitone.log.
#pragma once

#include <string>

#include "platform/event_log.h"

namespace clavitone {

class FileEventLog final : public EventLog {
public:
    FileEventLog();
    // Appends one stamped line; a failure to write is silent.
    void Write(std::string_view line) override;

private:
    std::string path_;  // empty when there is no local application data folder
};

}  // namespace clavitone
