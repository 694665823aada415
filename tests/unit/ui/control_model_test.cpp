#include "ui/control_model.h"

#include <gtest/gtest.h>

#include "ui/pref_layout.h"

namespace clavitone {
namespace {

TEST(TwipsToPixelsTest, RoundsToTheNearestPixelAtCommonScreenSettings)
{
    // The preferences window's client area at 96 and at 120 dots per inch.
    EXPECT_EQ(TwipsToPixels(8055, 15), 537);
    EXPECT_EQ(TwipsToPixels(5250, 15), 350);
    EXPECT_EQ(TwipsToPixels(8055, 12), 671);
    EXPECT_EQ(TwipsToPixels(5250, 12), 438);
    EXPECT_EQ(TwipsToPixels(7, 15), 0);
    EXPECT_EQ(TwipsToPixels(8, 15), 1);
    EXPECT_EQ(TwipsToPixels(-8, 15), -1);
}

TEST(FormModelTest, ChangesFromCodeReachTheListenerOnce)
{
    FormModel form;
    form.controls.emplace_back().id = {PrefControl::chkSound, 65};
    std::vector<std::pair<ControlId, int>> seen;
    form.changed = [&](const Control& c) { seen.emplace_back(c.id, c.value); };

    form.SetValue(form(PrefControl::chkSound, 65), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, (ControlId{PrefControl::chkSound, 65}));
    EXPECT_EQ(seen[0].second, 1);
    EXPECT_EQ(form.Find(PrefControl::chkSound, 66), nullptr);
    EXPECT_EQ(form.Find(PrefControl::chkSound), nullptr) << "an array member is not found without its index";
}

TEST(FormModelTest, EveryTextAssignmentRaisesTheChangeEventAfterTheTextIsShown)
{
    FormModel form;
    form.controls.emplace_back().id = {PrefControl::Text, 0};
    std::vector<std::string> events;
    form.changed = [&](const Control& c) { events.push_back("shown " + c.text); };
    form.textChange = [&](const Control& c) { events.push_back("change " + c.text); };

    form.SetText(form(PrefControl::Text, 0), "None");
    form.SetText(form(PrefControl::Text, 0), "None");
    EXPECT_EQ(events, (std::vector<std::string>{"shown None", "change None", "shown None", "change None"}))
        << "an unchanged text still raises the event";

    events.clear();
    form.SetValue(form(PrefControl::Text, 0), 1);
    form.Update(form(PrefControl::Text, 0), [](Control& c) { c.enabled = false; });
    EXPECT_EQ(events, (std::vector<std::string>{"shown None", "shown None"})) << "other changes raise no change event";
}

}  // namespace
}  // namespace clavitone
