#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "tests/unit/tray_fixture.h"

namespace clavitone {
namespace {

class TrayMenuTest : public TrayTest {
protected:
    TrayMenuTest() { Start(); }

    int Toggles() const { return static_cast<int>(CallsOf("DeleteHook").size() + CallsOf("InitHook").size()); }
};

TEST_F(TrayMenuTest, ALeftPressOnTheIconMutesAndTheNextUnmutes)
{
    TrayCallback(513);
    EXPECT_FALSE(pref.SoundEnabled());
    TrayCallback(513);
    EXPECT_TRUE(pref.SoundEnabled());
    EXPECT_EQ(Toggles(), 2);
}

TEST_F(TrayMenuTest, ADoubleClickTogglesOnceOnItsFirstPress)
{
    for (int message : {513, 514, 515, 514})
        TrayCallback(message);
    EXPECT_FALSE(pref.SoundEnabled());
    EXPECT_EQ(Toggles(), 1);
}

TEST_F(TrayMenuTest, OtherMouseActionsOverTheIconDoNothing)
{
    for (int message : {512, 514, 516, 518, 519, 520, 521, 0, -513, 1026})
        TrayCallback(message);
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(pref.SoundEnabled());
}

TEST_F(TrayMenuTest, ARightReleaseBringsTheWindowForwardThenOpensTheMenu)
{
    TrayCallback(517);
    EXPECT_EQ(Sequence(), (Names{"SetForegroundWindow", "PopupMenu"}));
    EXPECT_EQ(journal[0].number, FormHandle);
    ASSERT_EQ(windows.popups.size(), 1u);
    EXPECT_EQ(windows.popups[0], (fakes::PopupCall{FormHandle, MenuHandle, 2u, 1}))
        << "the window's menu, right button allowed, Mute as the default entry";
}

TEST_F(TrayMenuTest, CallbacksAreDecodedAtTheScreensOwnResolution)
{
    environment.twipsPerPixel = 12;
    TrayCallback(517);
    EXPECT_EQ(windows.popups.size(), 1u);
    // The same twips at 15 per pixel would have been a different message.
    pref.pichook_MouseMove(1, 0, 513.0f * 12, 0);
    EXPECT_FALSE(pref.SoundEnabled());
}

TEST_F(TrayMenuTest, MuteTogglesAndItsTickFollowsTheState)
{
    pref.mnuPopUp_Click(1);
    EXPECT_FALSE(pref.SoundEnabled());
    EXPECT_TRUE(form(PrefControl::mnuPopUp, 1).checked);
    pref.mnuPopUp_Click(1);
    EXPECT_TRUE(pref.SoundEnabled());
    EXPECT_FALSE(form(PrefControl::mnuPopUp, 1).checked);
    EXPECT_EQ(Toggles(), 2);
}

TEST_F(TrayMenuTest, PreferencesShowsTheWindowInItsNormalStateWithTheFocusOnTheSchemeList)
{
    constexpr WindowHandle ListHandle = 0x2100;
    form(PrefControl::Combo, 0).hWnd = ListHandle;
    for (int opening = 0; opening < 2; ++opening) {
        journal.clear();
        focus.requests.clear();
        pref.mnuPopUp_Click(2);
        ASSERT_FALSE(journal.empty());
        EXPECT_EQ(journal[0].what, "ShowWindow");
        EXPECT_EQ(journal[0].number, FormHandle);
        EXPECT_EQ(journal[0].text, "1") << "SW_SHOWNORMAL: a hidden or minimized window comes back at its normal size";
        EXPECT_EQ(focus.requests, std::vector<WindowHandle>{ListHandle}) << "not on \" Minimize\"";
        pref.Command_Click(0);
    }
}

TEST_F(TrayMenuTest, HelpHandsTheHelpFileInTheProgramFolderToTheShell)
{
    pref.mnuPopUp_Click(3);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0], (fakes::ShellCall{FormHandle, "open", "C:\\Program Files\\Clavitone\\Clavitone Help.chm",
                                                std::nullopt, std::nullopt, 5}));
}

TEST_F(TrayMenuTest, HelpFromADrivesRootKeepsBothSeparators)
{
    environment.appPath = "D:\\";
    pref.mnuPopUp_Click(3);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "D:\\\\Clavitone Help.chm");
}

TEST_F(TrayMenuTest, AboutLoadsTheAboutWindowOnceNeededThenShowsItNormal)
{
    pref.mnuPopUp_Click(4);
    pref.mnuPopUp_Click(4);
    EXPECT_EQ(Sequence(), (Names{"Load", "ShowWindow", "Load", "ShowWindow"}));
    EXPECT_EQ(journal[1].number, AboutHandle);
    EXPECT_EQ(journal[1].text, "1");
}

TEST_F(TrayMenuTest, ExitProgramRunsTheShutDownAlsoWhileMuted)
{
    pref.mnuPopUp_Click(1);
    journal.clear();
    pref.mnuPopUp_Click(8);
    EXPECT_EQ(Sequence(), (Names{"Shell_NotifyIconA", "DeleteHook", "EndProcess"}));
    EXPECT_EQ(journal[0].number, TrayIconDelete);
}

TEST_F(TrayMenuTest, EntriesWithoutACommandDoNothing)
{
    for (int index : {0, 5, 6, 7, 9, -1, 32767})
        pref.mnuPopUp_Click(index);
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(pref.SoundEnabled());
}

}  // namespace
}  // namespace clavitone
