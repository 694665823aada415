// Recording fakes of the shell and of a window made on first use. Each call
// goes to the shared journal (for the order of events); the shell's calls go
// with all their arguments to the fake's own list too.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/fakes/recording_platform.h"

namespace clavitone::fakes {

inline std::optional<std::string> TextOf(const char* text)
{
    return text ? std::optional<std::string>(text) : std::nullopt;
}

struct ShellCall {
    WindowHandle owner = 0;
    std::optional<std::string> operation;
    std::optional<std::string> file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showCommand = 0;

    bool operator==(const ShellCall&) const = default;
};

class RecordingShell final : public Shell {
public:
    explicit RecordingShell(Journal& journal) : journal_(journal) {}
    void ShellExecuteA(WindowHandle owner, const char* operation, const char* file, const char* parameters,
                       const char* directory, int showCommand) override
    {
        journal_.push_back({"ShellExecuteA", TextOf(file), owner, {}});
        calls.push_back({owner, TextOf(operation), TextOf(file), TextOf(parameters), TextOf(directory), showCommand});
    }

    std::vector<ShellCall> calls;

private:
    Journal& journal_;
};

// A window made on the first Load, always with the same handle afterwards.
class FakeWindowLoader final : public WindowLoader {
public:
    FakeWindowLoader(Journal& journal, WindowHandle handle) : journal_(journal), handle_(handle) {}
    WindowHandle Load() override
    {
        journal_.push_back({"Load", std::nullopt, handle_, {}});
        return handle_;
    }

private:
    Journal& journal_;
    WindowHandle handle_;
};

}  // namespace clavitone::fakes
