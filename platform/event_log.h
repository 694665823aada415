// A short record of what the program did and why, for the user who wants to
// know (start-up, the sound engine's state and its failures, import
// failures). Never a record of which keys were typed.
#pragma once

#include <string_view>

namespace clavitone {

class EventLog {
public:
    virtual ~EventLog() = default;
    // One line of text, stamped with the time by the log.
    virtual void Write(std::string_view line) = 0;
};

// Where nobody asked for a log: writes nothing.
class NoEventLog final : public EventLog {
public:
    void Write(std::string_view) override {}
};

}  // namespace clavitone
