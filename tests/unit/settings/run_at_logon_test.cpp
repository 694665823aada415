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

TEST(RegistryValueExistsTest, OpensQueriesAndClosesForReading)
{
    fakes::RecordingRegistry registry;
    EXPECT_FALSE(RegistryValueExists(registry, 0x80000001, "Software\\Run", "Clavitone"));
    EXPECT_EQ(registry.calls, (Names{"RegOpenKeyExA", "RegQueryValueExA", "RegCloseKey"}));
    SetRegistryString(registry, 0x80000001, "Software\\Run", "Clavitone", "");
    EXPECT_TRUE(RegistryValueExists(registry, 0x80000001, "Software\\Run", "Clavitone")) << "an empty value exists";
    EXPECT_FALSE(RegistryValueExists(registry, 0x80000002, "Software\\Run", "Clavitone"));
}

TEST(RunCommandTest, IsTheProgramFileWithoutExtensionQuotedOnlyWithBlanks)
{
    EXPECT_EQ(RunCommand("C:\\Tools", "Clavitone"), "C:\\Tools\\Clavitone");
    EXPECT_EQ(RunCommand("C:\\Program Files\\Clavitone", "Clavitone"), Program);
    EXPECT_EQ(RunCommand("C:\\", "Clavitone"), "C:\\\\Clavitone") << "a drive's root keeps its own separator";
}

class RunAtLogonTest : public PrefFixture {
protected:
    void Tick(int state)
    {
        form("chkLaunch").value = state;
        pref.chkLaunch_Click();
    }
};

TEST_F(RunAtLogonTest, TickingWritesTheMachineWideValue)
{
    Tick(0);
    Tick(1);
    EXPECT_EQ(registry.RunValue(RegistryLocalMachine), std::optional<std::string>(Program));
    EXPECT_EQ(registry.creates.back().subKey, MachineRun);
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("1"));
}

TEST_F(RunAtLogonTest, WithoutAdministratorRightsTheUsersValueIsWritten)
{
    registry.denied = {RegistryLocalMachine};
    Tick(1);
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::optional<std::string>(Program));
    EXPECT_EQ(registry.creates.back().subKey, UserRun);
    EXPECT_EQ(form("chkLaunch").value, 1);
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("1"));
}

TEST_F(RunAtLogonTest, WhenNoValueCanBeWrittenTheBoxGoesBackToUnticked)
{
    registry.denied = {RegistryLocalMachine, RegistryCurrentUser};
    std::vector<int> shown;
    form.changed = [&](const Control& control) {
        if (control.id.name == "chkLaunch")
            shown.push_back(control.value);
    };
    Tick(1);
    EXPECT_EQ(form("chkLaunch").value, 0);
    EXPECT_EQ(shown, std::vector<int>{0});
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));
}

TEST_F(RunAtLogonTest, UntickingEmptiesTheValueWhereverItExists)
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

TEST_F(RunAtLogonTest, UntickingCreatesNoValueForTheUser)
{
    registry.denied = {RegistryLocalMachine};
    Tick(0);
    EXPECT_EQ(registry.RunValue(RegistryCurrentUser), std::nullopt);
    EXPECT_EQ(registry.creates.size(), 1u) << "only the machine-wide value is written as before";
    EXPECT_EQ(Setting("chkLaunch"), std::optional<std::string>("0"));
}

TEST_F(RunAtLogonTest, StartUpRunsTheClickOnlyWhenTheStoredStateUnticksTheBox)
{
    const auto start = [this](std::optional<std::string> stored) {
        fakes::MemoryStore freshStore;
        fakes::RecordingRegistry freshRegistry;
        if (stored)
            freshStore.values[{"Clavitone", "Settings", "chkLaunch"}] = *stored;
        FormModel freshForm = MakePrefForm();
        frmPref fresh{Services(freshStore, freshRegistry), keySound, freshForm, saveasForm, optionsForm};
        fresh.Form_Load();
        return std::tuple(freshForm("chkLaunch").value, freshStore.writes, freshRegistry.calls.size(),
                          freshRegistry.RunValue(RegistryLocalMachine));
    };
    // Start-up itself writes one setting, "LastScheme", through the list's switch.
    EXPECT_EQ(start(std::nullopt), std::tuple(1, 1, 0u, std::nullopt)) << "absent: ticked, nothing else written";
    EXPECT_EQ(start("1"), std::tuple(1, 1, 0u, std::nullopt));
    EXPECT_EQ(start("0"), std::tuple(0, 2, 6u, std::optional<std::string>("")))
        << "a stored 0 empties the value again, looks for a user value, and stores 0 again";
    for (const char* junk : {"2", "junk", "", "-1"})
        EXPECT_EQ(start(junk), std::tuple(1, 1, 0u, std::nullopt)) << '"' << junk << '"';
}

}  // namespace
}  // namespace clavitone
