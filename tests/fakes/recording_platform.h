// Recording fakes of the platform services: every call is written to one
// shared journal, so a test can assert both what was passed and the order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace clavitone::fakes {

struct Call {
    std::string what;                 // "sndPlaySoundA", "InitHook", "DeleteHook", "Shell_NotifyIconA", "EndProcess"
    std::optional<std::string> text;  // the path played (nullopt for a null pointer)
    std::uint64_t number = 0;         // flags, window handle or tray message
    NotifyIconRecord record{};

    bool operator==(const Call&) const = default;
};

using Journal = std::vector<Call>;

class RecordingSound final : public SoundPlayer {
public:
    explicit RecordingSound(Journal& journal) : journal_(journal) {}
    void sndPlaySoundA(const char* path, unsigned flags) override
    {
        journal_.push_back({"sndPlaySoundA", path ? std::optional<std::string>(path) : std::nullopt, flags, {}});
    }

private:
    Journal& journal_;
};

class RecordingHook final : public KeyboardHook {
public:
    explicit RecordingHook(Journal& journal) : journal_(journal) {}
    void InitHook(WindowHandle window) override { journal_.push_back({"InitHook", std::nullopt, window, {}}); }
    void DeleteHook(WindowHandle window) override { journal_.push_back({"DeleteHook", std::nullopt, window, {}}); }

private:
    Journal& journal_;
};

class RecordingTray final : public TrayShell {
public:
    explicit RecordingTray(Journal& journal) : journal_(journal) {}
    void Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override
    {
        journal_.push_back({"Shell_NotifyIconA", std::nullopt, message, record});
    }

private:
    Journal& journal_;
};

class FakeEnvironment final : public Environment {
public:
    explicit FakeEnvironment(Journal& journal) : journal_(journal) {}
    bool PrevInstance() override { return previousInstance; }
    std::string AppPath() override { return appPath; }
    std::string ExeName() override { return "Clavitone"; }
    int TwipsPerPixelX() override { return twipsPerPixel; }
    int TwipsPerPixelY() override { return twipsPerPixel; }
    void EndProcess() override { journal_.push_back({"EndProcess", std::nullopt, 0, {}}); }

    bool previousInstance = false;
    std::string appPath = "C:\\Program Files\\Clavitone";
    int twipsPerPixel = 15;

private:
    Journal& journal_;
};

}  // namespace clavitone::fakes
