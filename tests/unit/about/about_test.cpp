#include "about/frm_about.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "about/about_layout.h"
#include "tests/fakes/recording_windows.h"
#include "tests/fakes/scripted_windows.h"

namespace clavitone {
namespace {

constexpr WindowHandle AboutHandle = 0x3000;

TEST(AboutLayoutTest, EveryControlLiesInsideItsContainerAndTheWindow)
{
    FormModel form = MakeAboutForm();
    for (const Control& control : form.controls) {
        const TwipRect& rect = control.rect;
        int width = form.clientWidth;
        int height = form.clientHeight;
        if (!control.container.empty()) {
            const Control* outer = form.FindNamed(control.container, control.containerIndex);
            ASSERT_NE(outer, nullptr) << control.container;
            width = outer->rect.width;
            height = outer->rect.height;
        }
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.left + rect.width <= width &&
                    rect.top + rect.height <= height)
            << control.id.name << control.id.index;
    }
}

TEST(AboutLayoutTest, TheVersionLineShowsThreeNumbers)
{
    EXPECT_EQ(VersionCaption(1, 0, 0), "Version 1.0.0");
    EXPECT_EQ(VersionCaption(2, 15, 304), "Version 2.15.304");
    EXPECT_EQ(MakeAboutForm()(AboutControl::lblVersion).caption, "")
        << "filled from the version resource as the window loads";
}

TEST(AboutLayoutTest, OkComesFirstInTabOrderAndHoldsTheFocus)
{
    FormModel form = MakeAboutForm();
    std::vector<int> tabIndices;
    for (const Control& control : form.controls)
        tabIndices.push_back(control.tabIndex);
    EXPECT_EQ(form(AboutControl::Command, 0).tabIndex, *std::min_element(tabIndices.begin(), tabIndices.end()));
    std::sort(tabIndices.begin(), tabIndices.end());
    EXPECT_EQ(std::adjacent_find(tabIndices.begin(), tabIndices.end()), tabIndices.end()) << "no tab index twice";
    EXPECT_TRUE(form.icon.empty()) << "no window icon";
}

TEST(AboutLayoutTest, OnlyTheLinkButtonsPointAndExplainThemselves)
{
    FormModel form = MakeAboutForm();
    EXPECT_TRUE(form(AboutControl::Command, 1).pointingHand);
    EXPECT_EQ(form(AboutControl::Command, 1).toolTipText, "E-mail: support@example.com");
    EXPECT_TRUE(form(AboutControl::Command, 2).pointingHand);
    EXPECT_EQ(form(AboutControl::Command, 2).toolTipText, "www.example.com");
    EXPECT_FALSE(form(AboutControl::Command, 0).pointingHand);
    EXPECT_TRUE(form(AboutControl::Command, 0).toolTipText.empty());
}

class FrmAboutTest : public ::testing::Test {
protected:
    FrmAboutTest() { form.hWnd = AboutHandle; }

    fakes::Journal journal;
    fakes::RecordingShell shell{journal};
    fakes::ScriptedWindows windows{&journal};
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
