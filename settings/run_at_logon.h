// Start with Windows: the program's value under the Run key, written when the
// user ticks chkLaunch and emptied when they untick it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

// Creates or opens the key and writes one text value into it. True (-1) only
// when the value was written; never fails in any other way.
std::int16_t SetRegistryString(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                               std::string_view valueName, std::string_view value);

// The size in bytes of the value's data, a text's terminating zero included;
// nothing when the key or the value is absent or cannot be read.
std::optional<std::uint32_t> RegistryValueSize(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                                               std::string_view valueName);

// What Windows runs at logon: the program file without its extension, quoted
// when its path has a blank so that no shorter path can be started instead.
std::string RunCommand(std::string_view programFolder, std::string_view programName);

class RunAtLogon {
public:
    RunAtLogon(FormModel& form, SettingsStore& store, Environment& environment, RegistryWriter& registry);

    void chkLaunch_Click();
    // Only records the focus; resetting the details area is the caller's.
    void chkLaunch_GotFocus();
    // Start-up: the box takes its stored state, running the click handling when that changes it.
    void RestoreLaunchBox();

private:
    bool WriteRunValue(std::string_view value);
    bool EmptyRunValues();
    void SetBox(int state);

    FormModel& form_;
    SettingsStore& store_;
    Environment& environment_;
    RegistryWriter& registry_;
};

}  // namespace clavitone
