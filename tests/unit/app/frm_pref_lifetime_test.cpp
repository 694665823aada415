#include "app/frm_pref.h"

#include <gtest/gtest.h>

#include "tests/unit/pref_fixture.h"

namespace clavitone {
namespace {

constexpr WindowHandle HookBoxHandle = 0x2000;

class FrmPrefLifetimeTest : public PrefFixture {
protected:
    FrmPrefLifetimeTest()
    {
        form(PrefControl::pichook).hWnd = HookBoxHandle;
        form.changed = [this](const Control& control) { changes.push_back(control.id); };
    }

    std::vector<std::string> CallNames() const
    {
        std::vector<std::string> names;
        for (const auto& call : journal)
            names.push_back(call.what);
        return names;
    }

    std::vector<ControlId> changes;
};

using Names = std::vector<std::string>;

TEST_F(FrmPrefLifetimeTest, StartUpInstallsTheHookForTheWindowAndSwitchesSoundsOn)
{
    pref.Form_Load();
    ASSERT_EQ(CallNames(), (Names{"InitHook", "Shell_NotifyIconA"}));
    EXPECT_EQ(journal[0].number, FormHandle);
    EXPECT_TRUE(pref.SoundEnabled());
    EXPECT_EQ(pref.KeyHeld(), VbFalse);
    EXPECT_EQ(store.writes, 1) << "start-up writes only the remembered scheme, through the list's switch";
    EXPECT_EQ(store.At("Settings", "LastScheme"), "0");
}

TEST_F(FrmPrefLifetimeTest, StartUpFillsEverySchemeKeyWithItsDefaultFileAndNothingElse)
{
    pref.Form_Load();
    EXPECT_EQ(keySound[65], std::optional<std::string>("C:\\Program Files\\Clavitone\\65.wav"));
    EXPECT_EQ(keySound[8], std::optional<std::string>("C:\\Program Files\\Clavitone\\8.wav"));
    EXPECT_EQ(keySound[222], std::optional<std::string>("C:\\Program Files\\Clavitone\\222.wav"));
    for (int code : {3, 4, 91, 96, 111, 144, 216, 217, 218})
        EXPECT_FALSE(keySound[code].has_value()) << code;
}

TEST_F(FrmPrefLifetimeTest, ProgramInARootFolderKeepsBothSeparators)
{
    environment.appPath = "D:\\";
    pref.Form_Load();
    EXPECT_EQ(keySound[65], std::optional<std::string>("D:\\\\65.wav"));
}

TEST_F(FrmPrefLifetimeTest, SecondInstanceRunsOnlyTheShutDown)
{
    environment.previousInstance = true;
    pref.Form_Load();
    EXPECT_EQ(CallNames(), (Names{"Shell_NotifyIconA", "DeleteHook", "EndProcess"}));
    EXPECT_FALSE(pref.SoundEnabled());
    EXPECT_FALSE(keySound[65].has_value());
    EXPECT_TRUE(changes.empty()) << "no control of the refused instance is touched";
}

TEST_F(FrmPrefLifetimeTest, ShutDownRemovesIconThenHookThenEnds)
{
    pref.Form_Load();
    journal.clear();
    pref.Form_Unload();
    ASSERT_EQ(CallNames(), (Names{"Shell_NotifyIconA", "DeleteHook", "EndProcess"}));
    EXPECT_EQ(journal[0].number, TrayIconDelete);
    EXPECT_EQ(journal[0].record.cbSize, 88u);
    EXPECT_EQ(journal[0].record.hWnd, HookBoxHandle) << "the icon belongs to pichook, not to the window";
    EXPECT_EQ(journal[0].record.uID, 1u);
    EXPECT_EQ(journal[1].number, FormHandle);
    EXPECT_EQ(store.writes, 1) << "nothing beyond start-up's own write";
}

TEST_F(FrmPrefLifetimeTest, KeysReachPlaybackOnlyAfterStartUp)
{
    pref.Form_KeyDown(65, 0);
    EXPECT_TRUE(journal.empty()) << "sounds are off until start-up switches them on";
    pref.Form_Load();
    journal.clear();
    pref.Form_KeyDown(65, 0);
    ASSERT_EQ(CallNames(), Names{"sndPlaySoundA"});
    EXPECT_EQ(journal[0].text, keySound[65]);
}

TEST_F(FrmPrefLifetimeTest, LaunchBoxFollowsAStoredZeroAndIgnoresJunk)
{
    const auto launchBoxAfterStart = [this](std::optional<std::string> stored) {
        fakes::MemoryStore freshStore;
        if (stored)
            freshStore.values[{"Clavitone", "Settings", "chkLaunch"}] = *stored;
        FormModel freshForm = MakePrefForm();
        int launchChanges = 0;
        freshForm.changed = [&](const Control& c) { launchChanges += Is(c, PrefControl::chkLaunch); };
        frmPref fresh{Services(freshStore), keySound, freshForm, saveasForm, optionsForm};
        fresh.Form_Load();
        return std::pair(freshForm(PrefControl::chkLaunch).value, launchChanges);
    };
    EXPECT_EQ(launchBoxAfterStart(std::nullopt), std::pair(1, 0)) << "absent: stays ticked, no click";
    EXPECT_EQ(launchBoxAfterStart("1"), std::pair(1, 0));
    EXPECT_EQ(launchBoxAfterStart("0"), std::pair(0, 1));
    for (const char* junk : {"", "yes", " 0", "0.0", "70000", "2"})
        EXPECT_EQ(launchBoxAfterStart(junk), std::pair(1, 0)) << '"' << junk << '"';
}

}  // namespace
}  // namespace clavitone
