// A log that keeps its lines in memory.
#pragma once

#include <string>
#include <vector>

#include "platform/event_log.h"

namespace clavitone::fakes {

class RecordingLog final : public EventLog {
public:
    void Write(std::string_view line) override { lines.emplace_back(line); }

    std::vector<std::string> lines;
};

}  // namespace clavitone::fakes
