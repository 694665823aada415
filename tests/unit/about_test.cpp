#include "about/frm_about.h"

#include <gtest/gtest.h>

#include "about/about_layout.h"
#include "tests/fakes/recording_windows.h"

namespace clavitone {
namespace {

constexpr WindowHandle AboutHandle = 0x3000;

TEST(AboutLayoutTest, WindowIsTheCaptionedInformationBox)
{
    FormModel form = MakeAboutForm();
    EXPECT_EQ(form.name, "frmAbout");
    EXPECT_EQ(form.caption, "About");
    EXPECT_EQ(form.clientWidth, 5145);
    EXPECT_EQ(form.clientHeight, 4305);
    EXPECT_TRUE(form.icon.empty()) << "no window icon";
}

TEST(AboutLayoutTest, ControlsSitWhereTheyBelongInTabOrder)
{
    struct Row {
        std::string name;
        int index;
        std::string container;
        std::string caption;
        int left, top, width, height, tabIndex;
    };
    const std::vector<Row> expected{
        {"Frame", 0, "", "About", 60, 60, 4995, 2295, 1},
        {"picContainer", 3, "Frame", "", 240, 360, 1590, 1590, 2},
        {"Label", 8, "Frame", "Clavitone", 2280, 360, 1395, 255, 6},
        {"Command", 1, "Frame", "Send us a mail", 2280, 1320, 1995, 375, 4},
        {"Command", 2, "Frame", "Visit our site", 2280, 1740, 1995, 375, 3},
        {"Command", 0, "", "OK", 3660, 3840, 1395, 375, 0},
    };
    FormModel form = MakeAboutForm();
    ASSERT_EQ(form.controls.size(), expected.size());
    for (const Row& row : expected) {
        const Control* control = form.Find(row.name, row.index);
        ASSERT_NE(control, nullptr) << row.name << row.index;
        EXPECT_EQ(control->container, row.container) << row.name << row.index;
        EXPECT_EQ(control->caption, row.caption) << row.name << row.index;
        EXPECT_EQ(control->rect.left, row.left) << row.name << row.index;
        EXPECT_EQ(control->rect.top, row.top) << row.name << row.index;
        EXPECT_EQ(control->rect.width, row.width) << row.name << row.index;
        EXPECT_EQ(control->rect.height, row.height) << row.name << row.index;
        EXPECT_EQ(control->tabIndex, row.tabIndex) << row.name << row.index;
    }
    EXPECT_EQ(form("picContainer", 3).picture, "ABOUT");
}

TEST(AboutLayoutTest, OnlyTheLinkButtonsPointAndExplainThemselves)
{
    FormModel form = MakeAboutForm();
    EXPECT_TRUE(form("Command", 1).pointingHand);
    EXPECT_EQ(form("Command", 1).toolTipText, "E-mail: support@example.com");
    EXPECT_TRUE(form("Command", 2).pointingHand);
    EXPECT_EQ(form("Command", 2).toolTipText, "www.example.com");
    EXPECT_FALSE(form("Command", 0).pointingHand);
    EXPECT_TRUE(form("Command", 0).toolTipText.empty());
}

class FrmAboutTest : public ::testing::Test {
protected:
    FrmAboutTest() { form.hWnd = AboutHandle; }

    fakes::Journal journal;
    fakes::RecordingShell shell{journal};
    fakes::RecordingWindows windows{journal};
    FormModel form = MakeAboutForm();
    frmAbout about{shell, windows, form};
};

TEST_F(FrmAboutTest, OkOnlyHidesTheWindow)
{
    about.Command_Click(0);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].what, "ShowWindow");
    EXPECT_EQ(journal[0].number, AboutHandle);
    EXPECT_EQ(journal[0].text, "0");
}

TEST_F(FrmAboutTest, LinkButtonsOpenTheirLinksEveryTimeAndLeaveTheWindowOpen)
{
    about.Command_Click(1);
    about.Command_Click(2);
    about.Command_Click(1);
    const fakes::ShellCall mail{AboutHandle, "open", "mailto:support@example.com?subject=Clavitone",
                                std::nullopt, std::nullopt, 5};
    const fakes::ShellCall site{AboutHandle, "open", "https://www.example.com/clavitone/", std::nullopt,
                                std::nullopt, 5};
    EXPECT_EQ(shell.calls, (std::vector<fakes::ShellCall>{mail, site, mail}));
    EXPECT_EQ(journal.size(), 3u) << "no hiding";
}

TEST_F(FrmAboutTest, OtherButtonNumbersDoNothing)
{
    for (int index : {-1, 3, 8})
        about.Command_Click(index);
    EXPECT_TRUE(journal.empty());
}

TEST_F(FrmAboutTest, ClosingFromTheTitleBarHidesInsteadOfUnloading)
{
    std::int16_t cancel = 0;
    about.Form_QueryUnload(cancel);
    EXPECT_NE(cancel, 0);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].text, "0");
}

}  // namespace
}  // namespace clavitone
