// Fakes of what the mute hotkey and the quiet rules ask of Windows: hotkeys
// that another program may hold, and a desktop of windows, processes and focus.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "options/quiet_rules.h"
#include "tray/mute_hotkey.h"

namespace clavitone::fakes {

class RecordingHotkeys final : public HotkeyRegistrar {
public:
    bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) override
    {
        calls.push_back("Register " + std::to_string(modifiers) + " " + std::to_string(virtualKey));
        if (heldElsewhere.count({modifiers, virtualKey}))
            return false;
        held[{window, id}] = {modifiers, virtualKey};
        return true;
    }
    void UnregisterHotKey(WindowHandle window, int id) override
    {
        calls.push_back("Unregister");
        held.erase({window, id});
    }

    std::set<std::pair<unsigned, unsigned>> heldElsewhere;  // modifiers, key
    std::map<std::pair<WindowHandle, int>, std::pair<unsigned, unsigned>> held;
    std::vector<std::string> calls;
};

class FakeDesktop final : public ForegroundProbe {
public:
    WindowHandle GetForegroundWindow() override
    {
        ++foregroundCalls;
        return foreground;
    }
    ProcessId WindowProcess(WindowHandle window) override
    {
        const auto found = windowProcess.find(window);
        return found == windowProcess.end() ? 0 : found->second;
    }
    std::optional<std::string> ProcessImageName(ProcessId process) override
    {
        ++nameLookups;
        const auto found = processPath.find(process);
        return found == processPath.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    WindowHandle FocusedWindow(WindowHandle window) override
    {
        const auto found = focus.find(window);
        return found == focus.end() ? 0 : found->second;
    }
    bool IsPasswordEdit(WindowHandle window) override { return passwordEdits.count(window) != 0; }
    void Watch(QuietListener* watcher, bool passwords) override
    {
        listener = watcher;
        watchesPasswords = watcher && passwords;
    }

    // A program with one window in front, its focus on the given control.
    void Front(WindowHandle window, ProcessId process, std::string path, WindowHandle focused = 0)
    {
        foreground = window;
        windowProcess[window] = process;
        processPath[process] = std::move(path);
        focus[window] = focused;
    }

    WindowHandle foreground = 0;
    std::map<WindowHandle, ProcessId> windowProcess;
    std::map<ProcessId, std::string> processPath;  // an absent process cannot be read
    std::map<WindowHandle, WindowHandle> focus;
    std::set<WindowHandle> passwordEdits;
    QuietListener* listener = nullptr;
    bool watchesPasswords = false;
    int foregroundCalls = 0;
    int nameLookups = 0;
};

}  // namespace clavitone::fakes
