#include "settings/run_at_logon.h"

#include "platform/vb_boolean.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view MachineRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Without administrator rights the machine-wide key is closed to us; the
// user's own Run key starts the program just as well, for this user.
constexpr std::string_view UserRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view RunValueName = "Clavitone";

constexpr int Unticked = 0;
constexpr int Ticked = 1;
constexpr std::int32_t Success = 0;

}  // namespace

std::int16_t SetRegistryString(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                               std::string_view valueName, std::string_view value)
{
    RegistryKey key = 0;
    std::int32_t written = -1;
    try {
        const std::string path(subKey);
        const std::string name(valueName);
        const std::string data(value);
        std::uint32_t disposition = 0;
        // A failed create leaves the key 0, and the write on it fails in turn.
        registry.RegCreateKeyExA(root, path, 0, {}, 0, RegistrySetValueAccess, SecurityAttributesRecord{}, key,
                                 disposition);
        written = registry.RegSetValueExA(key, name, 0, RegistryStringValue, data.c_str(),
                                          static_cast<std::uint32_t>(data.size() + 1));
    } catch (...) {
        written = -1;
    }
    try {
        registry.RegCloseKey(key);
    } catch (...) {
        written = -1;
    }
    return written == Success ? VbTrue : VbFalse;
}

bool RegistryValueExists(RegistryWriter& registry, std::uint32_t root, std::string_view subKey,
                         std::string_view valueName)
{
    try {
        RegistryKey key = 0;
        if (registry.RegOpenKeyExA(root, std::string(subKey), 0, RegistryQueryValueAccess, key) != Success)
            return false;
        const bool found = registry.RegQueryValueExA(key, std::string(valueName)) == Success;
        registry.RegCloseKey(key);
        return found;
    } catch (...) {
        return false;
    }
}

std::string RunCommand(std::string_view programFolder, std::string_view programName)
{
    std::string command(programFolder);
    command.append("\\").append(programName);
    if (command.find(' ') != std::string::npos)
        command = '"' + command + '"';
    return command;
}

RunAtLogon::RunAtLogon(FormModel& form, SettingsStore& store, Environment& environment, RegistryWriter& registry)
    : form_(form), store_(store), environment_(environment), registry_(registry)
{
}

void RunAtLogon::chkLaunch_Click()
{
    if (form_("chkLaunch").value == Ticked) {
        // A box that claims an autostart which is not in place would mislead.
        if (!WriteRunValue(RunCommand(environment_.AppPath(), environment_.ExeName())))
            SetBox(Unticked);
    } else {
        WriteRunValue({});
    }
    SaveSettingsNumber(store_, SettingChkLaunch, form_("chkLaunch").value);
}

void RunAtLogon::chkLaunch_GotFocus()
{
    SaveSettingsText(store_, SettingSelected, "0");
}

void RunAtLogon::RestoreLaunchBox()
{
    std::int16_t stored = GetSettingsNumber(store_, SettingChkLaunch, DefaultChkLaunch);
    if (stored != Unticked && stored != Ticked)
        stored = DefaultChkLaunch;
    SetBox(stored);
}

// The machine-wide value as the program always wrote it, else the user's.
// Unticking empties the user's value only where one exists, so that no
// user's Run key gains an entry the program never needed.
bool RunAtLogon::WriteRunValue(std::string_view value)
{
    const bool machine = SetRegistryString(registry_, RegistryLocalMachine, MachineRunKey, RunValueName, value) == VbTrue;
    if (machine && !value.empty())
        return true;
    if (value.empty() && !RegistryValueExists(registry_, RegistryCurrentUser, UserRunKey, RunValueName))
        return machine;
    const bool user = SetRegistryString(registry_, RegistryCurrentUser, UserRunKey, RunValueName, value) == VbTrue;
    return machine || user;
}

// Changing the box from code is a click, as it would be for the user.
void RunAtLogon::SetBox(int state)
{
    Control& box = form_("chkLaunch");
    if (box.value == state)
        return;
    form_.SetValue(box, state);
    chkLaunch_Click();
}

}  // namespace clavitone
