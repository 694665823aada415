#include "tray/notify_icon.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/tray_fixture.h"

namespace clavitone {
namespace {

std::string Field(const NotifyIconRecord& record)
{
    return std::string(record.szTip.data(), record.szTip.size());
}

TEST(SetTipTest, WritesTheTextANulAndSpacesToTheEndOfTheField)
{
    NotifyIconRecord record;
    record.szTip.fill('x');
    SetTip(record, "Clavitone");
    EXPECT_EQ(Field(record), std::string("Clavitone") + '\0' + std::string(54, ' '));

    SetTip(record, "");
    EXPECT_EQ(Field(record), std::string(1, '\0') + std::string(63, ' ')) << "no leftovers of the longer tip";
}

TEST(SetTipTest, ALongTextIsCutSoTheNulStaysInsideTheField)
{
    NotifyIconRecord record;
    const std::string fits(63, 'a');
    SetTip(record, fits);
    EXPECT_EQ(Field(record), fits + '\0');

    for (std::size_t length : {64u, 65u, 300u}) {
        SetTip(record, std::string(length, 'b'));
        EXPECT_EQ(Field(record), std::string(63, 'b') + '\0') << length;
    }
}

TEST(TrayMouseMessageTest, RecoversTheMessageNumberFromTwipsAtAnyScreenSetting)
{
    EXPECT_EQ(TrayMouseMessage(513 * 15, 15), 513);
    EXPECT_EQ(TrayMouseMessage(517 * 12, 12), 517);
    EXPECT_EQ(TrayMouseMessage(513 * 15 + 7, 15), 513) << "rounded down below the half";
    EXPECT_EQ(TrayMouseMessage(513 * 15 + 8, 15), 514) << "rounded up from the half";
    EXPECT_EQ(TrayMouseMessage(513, 0), 513) << "a screen without a known resolution does not divide by zero";
}

using NotifyIconTest = TrayTest;

TEST_F(NotifyIconTest, StartUpAddsTheIconForPichookWithTheSoundsOnPictureAndTheProgramName)
{
    pref.Form_Load();
    const auto calls = CallsOf("Shell_NotifyIconA");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].number, TrayIconAdd);
    const NotifyIconRecord& record = calls[0].record;
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, HookBoxHandle) << "callbacks go to pichook, not to the window";
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 512u);
    EXPECT_EQ(record.hIcon, SoundsOnPicture);
    EXPECT_EQ(Field(record), std::string("Clavitone") + '\0' + std::string(54, ' '));
}

TEST_F(NotifyIconTest, AShellRestartAddsTheIconAgainAsItStands)
{
    Start();
    SetLanguage("Progoff", "Sounds are off");
    pref.ToggleSound();
    journal.clear();

    pref.TaskbarCreated();
    const auto calls = CallsOf("Shell_NotifyIconA");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].number, TrayIconAdd);
    EXPECT_EQ(calls[0].record, pref.TrayIcon());
    EXPECT_EQ(calls[0].record.hIcon, SoundsOffPicture);
    EXPECT_EQ(Tip(calls[0].record), "Sounds are off");
    EXPECT_EQ(calls[0].record.uFlags, 7u);
}

TEST_F(NotifyIconTest, AShellRestartAddsNoIconWhereThereWasNone)
{
    pref.TaskbarCreated();
    EXPECT_TRUE(journal.empty()) << "before start-up";

    environment.previousInstance = true;
    pref.Form_Load();
    journal.clear();
    pref.TaskbarCreated();
    EXPECT_TRUE(journal.empty()) << "a refused second instance, already unloaded";
}

TEST_F(NotifyIconTest, ShutDownRemovesTheIconAlsoWhileItShowsSoundsOff)
{
    Start();
    pref.ToggleSound();
    journal.clear();
    pref.Form_Unload();
    const auto calls = CallsOf("Shell_NotifyIconA");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].number, TrayIconDelete);
    EXPECT_EQ(calls[0].record.hWnd, HookBoxHandle);
    EXPECT_EQ(calls[0].record.uID, 1u);
    EXPECT_EQ(calls[0].record.hIcon, SoundsOffPicture);
}

}  // namespace
}  // namespace clavitone
