#include "prefs/launch_box.h"
#include "settings/run_at_logon.h"

#include <gtest/gtest.h>

#include "tests/unit/pref_fixture.h"

namespace clavitone {
namespace {

using namespace std::string_literals;
using Create = fakes::RecordingRegistry::Create;
using Set = fakes::RecordingRegistry::Set;
using Names = std::vector<std::string>;

constexpr const char* MachineRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* UserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* Program = "\"C:\\Program Files\\Clavitone\\Clavitone\"";

TEST(SetRegistryStringTest, CreatesWritesAndClosesAsTheCallsExpect)
{
    fakes::RecordingRegistry registry;
    EXPECT_EQ(SetRegistryString(registry, 0x80000002, "SOFTWARE\\Run", "Clavitone", "C:\\Tools\\Clavitone"), VbTrue);
    EXPECT_EQ(registry.calls, (Names{"RegCreateKeyExA", "RegSetValueExA", "RegCloseKey"}));
    EXPECT_EQ(registry.creates.at(0), (Create{0x80000002, "SOFTWARE\\Run", 0, "", 0, 0x0002, {}}));
    const RegistryKey key = registry.sets.at(0).key;
    EXPECT_NE(key, 0u);
    EXPECT_EQ(registry.sets.at(0), (Set{key, "Clavitone", 0, 1, "C:\\Tools\\Clavitone\0"s}))
        << "the length counts the terminating zero";
    EXPECT_EQ(registry.closed, std::vector<RegistryKey>{key});
}

TEST(SetRegistryStringTest, FailuresComeBackAsFalseAndTheKeyIsClosedAnyway)
{
    fakes::RecordingRegistry denied;
    denied.denied = {0x80000002};
    EXPECT_EQ(SetRegistryString(denied, 0x80000002, "SOFTWARE\\Run", "Clavitone", "x"), VbFalse);
    EXPECT_EQ(denied.calls, (Names{"RegCreateKeyExA", "RegSetValueExA", "RegCloseKey"}));
    EXPECT_EQ(denied.sets.at(0).key, 0u) << "a failed create leaves the handle 0";
    EXPECT_EQ(denied.closed, std::vector<RegistryKey>{0});

    fakes::RecordingRegistry broken;
    broken.failSet = true;
    EXPECT_EQ(SetRegistryString(broken, 0x80000001, "Software\\Run", "Clavitone", "x"), VbFalse);
    EXPECT_EQ(broken.calls.back(), "RegCloseKey");
    EXPECT_NE(broken.closed.at(0), 0u);
}

TEST(RegistryValueSizeTest, OpensQueriesAndClosesForReadingAndKnowsWhenItCannot)
{
    fakes::RecordingRegistry registry;
    EXPECT_EQ(RegistryValueSize(registry, 0x80000001, "Software\\Run", "Clavitone"), std::nullopt);
    EXPECT_EQ(registry.calls, (Names{"RegOpenKeyExA"})) << "a key that cannot be opened is not queried or closed";

    SetRegistryString(registry, 0x80000001, "Software\\Run", "Clavitone", "");
    registry.calls.clear();
    EXPECT_EQ(RegistryValueSize(registry, 0x80000001, "Software\\Run", "Clavitone"), 1u) << "an empty text is its zero";
    EXPECT_EQ(registry.calls, (Names{"RegOpenKeyExA", "RegQueryValueExA", "RegCloseKey"}));
    EXPECT_EQ(RegistryValueSize(registry, 0x80000001, "Software\\Run", "Other"), std::nullopt);
    SetRegistryString(registry, 0x80000001, "Software\\Run", "Clavitone", "C:\\x");
    EXPECT_EQ(RegistryValueSize(registry, 0x80000001, "Software\\Run", "Clavitone"), 5u);

    registry.unreadable = {0x80000001};
    EXPECT_EQ(RegistryValueSize(registry, 0x80000001, "Software\\Run", "Clavitone"), std::nullopt);
}

TEST(RunCommandTest, IsTheProgramFileWithoutExtensionQuotedOnlyWithBlanks)
{
    EXPECT_EQ(RunCommand("C:\\Tools", "Clavitone"), "C:\\Tools\\Clavitone");
    EXPECT_EQ(RunCommand("C:\\Program Files\\Clavitone", "Clavitone"), Program);
    EXPECT_EQ(RunCommand("C:\\", "Clavitone"), "C:\\\\Clavitone") << "a drive's root keeps its own separator";
}

class LaunchBoxTest : public PrefFixture {
protected:
    void Tick(int state)
    {
        form(PrefControl::chkLaunch).value = state;
        pref.chkLaunch_Click();
    }
};

TEST_F(LaunchBoxTest, TickingWritesTheMachineWideValue)
{
    Tick(0);
    Tick(1);
    EXPECT_EQ(registry.RunValue(RegistryLocalMachine), std::optional<std::string>(Program));
    EXPECT_EQ(registry.creates.back().subKey, MachineRun);
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("1"));
}

TEST_F(LaunchBoxTest, WithoutAdministratorRightsTheUsersValueIsWritten)
{
    registry.denied = {RegistryLocalMachine};
    Tick(1);
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::optional<std::string>(Program));
    EXPECT_EQ(registry.creates.back().subKey, UserRun);
    EXPECT_EQ(form(PrefControl::chkLaunch).value, 1);
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("1"));
}

TEST_F(LaunchBoxTest, WhenNoValueCanBeWrittenTheBoxGoesBackToUnticked)
{
    registry.denied = {RegistryLocalMachine, RegistryCurrentUser};
    std::vector<int> shown;
    form.changed = [&](const Control& control) {
        if (Is(control, PrefControl::chkLaunch))
            shown.push_back(control.value);
    };
    Tick(1);
    EXPECT_EQ(form(PrefControl::chkLaunch).value, 0);
    EXPECT_EQ(shown, std::vector<int>{0});
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));
}

TEST_F(LaunchBoxTest, UntickingEmptiesTheValueWhereverItExists)
{
    registry.denied = {RegistryLocalMachine};
    Tick(1);
    Tick(0);
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::optional<std::string>(""));
    EXPECT_EQ(registry.sets.back().data, "\0"s) << "an empty text is one zero byte";
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));

    registry.denied.clear();
    Tick(1);
    Tick(0);
    EXPECT_EQ(registry.RunValue(RegistryLocalMachine), std::optional<std::string>(""));
}

TEST_F(LaunchBoxTest, UntickingCreatesNoValueForTheUser)
{
    registry.denied = {RegistryLocalMachine};
    Tick(0);
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::nullopt);
    EXPECT_EQ(registry.creates.size(), 1u) << "only the machine-wide value is written as before";
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));
}

TEST_F(LaunchBoxTest, UntickingEmptiesTheMachineWideAndTheUsersValueAlike)
{
    registry.values[{RegistryCurrentUser, UserRun, "Clavitone"}] = Program;  // from an earlier run without rights
    Tick(1);
    Tick(0);
    EXPECT_EQ(registry.RunValue(RegistryLocalMachine), std::optional<std::string>(""));
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::optional<std::string>(""));
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));
}

// Without administrator rights the machine-wide value cannot be emptied. One
// that still holds a command starts the program at every logon, so the box
// says so and the setting keeps what it held; an empty or absent one is no
// reason to refuse.
TEST_F(LaunchBoxTest, AMachineWideCommandThatCannotBeEmptiedKeepsTheBoxTicked)
{
    struct Case {
        std::optional<std::string> machine;
        int box;
        std::optional<std::string> stored;
    };
    for (const auto& [machine, box, stored] :
         {Case{Program, 1, "1"}, Case{"", 0, "0"}, Case{std::nullopt, 0, "0"}}) {
        fakes::RecordingRegistry fresh;
        fresh.denied = {RegistryLocalMachine};
        if (machine)
            fresh.values[{RegistryLocalMachine, MachineRun, "Clavitone"}] = *machine;
        fresh.values[{RegistryCurrentUser, UserRun, "Clavitone"}] = Program;
        registry = fresh;
        form(PrefControl::chkLaunch).value = 1;
        store.values[{"Clavitone", "Settings", "chkLaunch"}] = "1";
        std::vector<int> shown;
        form.changed = [&](const Control& control) {
            if (Is(control, PrefControl::chkLaunch))
                shown.push_back(control.value);
        };

        Tick(0);
        const std::string which = machine ? '"' + *machine + '"' : "absent";
        EXPECT_EQ(form(PrefControl::chkLaunch).value, box) << which;
        EXPECT_EQ(shown, box ? std::vector<int>{1} : std::vector<int>{}) << which;
        EXPECT_EQ(Setting("chkLaunch"), stored) << which;
        EXPECT_EQ(registry.RunValue(RegistryLocalMachine), machine) << which << ": nothing can change it";
        EXPECT_EQ(registry.values[(std::tuple{RegistryCurrentUser, std::string(UserRun), std::string("Clavitone")})], "")
            << which << ": the user's own value is emptied all the same";
    }
}

TEST_F(LaunchBoxTest, AStoredZeroStaysWhileAMachineWideCommandStartsTheProgram)
{
    fakes::MemoryStore freshStore;
    fakes::RecordingRegistry freshRegistry;
    freshRegistry.denied = {RegistryLocalMachine};
    freshRegistry.values[{RegistryLocalMachine, MachineRun, "Clavitone"}] = Program;
    freshStore.values[{"Clavitone", "Settings", "chkLaunch"}] = "0";
    FormModel freshForm = MakePrefForm();
    frmPref fresh{Services(freshStore, freshRegistry), keySound, freshForm, saveasForm, optionsForm};
    fresh.Form_Load();
    EXPECT_EQ(freshForm(PrefControl::chkLaunch).value, 1) << "the box shows what happens at logon";
    EXPECT_EQ((freshStore.values[{"Clavitone", "Settings", "chkLaunch"}]), "0");
    EXPECT_EQ(freshRegistry.RunValue(RegistryLocalMachine), std::optional<std::string>(Program));
}

TEST_F(LaunchBoxTest, StartUpRunsTheClickOnlyWhenTheStoredStateUnticksTheBox)
{
    const auto start = [this](std::optional<std::string> stored) {
        fakes::MemoryStore freshStore;
        fakes::RecordingRegistry freshRegistry;
        if (stored)
            freshStore.values[{"Clavitone", "Settings", "chkLaunch"}] = *stored;
        FormModel freshForm = MakePrefForm();
        frmPref fresh{Services(freshStore, freshRegistry), keySound, freshForm, saveasForm, optionsForm};
        fresh.Form_Load();
        return std::tuple(freshForm(PrefControl::chkLaunch).value, freshStore.writes, freshRegistry.calls.size(),
                          freshRegistry.RunValue(RegistryLocalMachine));
    };
    // Start-up itself writes one setting, "LastScheme", through the list's switch.
    EXPECT_EQ(start(std::nullopt), std::tuple(1, 1, 0u, std::nullopt)) << "absent: ticked, nothing else written";
    EXPECT_EQ(start("1"), std::tuple(1, 1, 0u, std::nullopt));
    EXPECT_EQ(start("0"), std::tuple(0, 2, 4u, std::optional<std::string>("")))
        << "a stored 0 empties the value again, finds no user key to open, and stores 0 again";
    for (const char* junk : {"2", "junk", "", "-1"})
        EXPECT_EQ(start(junk), std::tuple(1, 1, 0u, std::nullopt)) << '"' << junk << '"';
}

}  // namespace
}  // namespace clavitone
