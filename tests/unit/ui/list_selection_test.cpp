// Selecting a list entry is the list's click, whoever selects it.
#include <gtest/gtest.h>

#include "ui/control_model.h"
#include "ui/pref_layout.h"

namespace clavitone {
namespace {

class ListSelectionTest : public ::testing::Test {
protected:
    ListSelectionTest()
    {
        Control& combo = form.controls.emplace_back();
        combo.id = {PrefControl::Combo, 0};
        combo.kind = ControlKind::ComboList;
        form.clicked = [this](Control& c) { clicks.push_back(c.listIndex); };
        form.changed = [this](const Control&) { ++changes; };
        for (const char* name : {"A", "B", "C"})
            form.AddItem(list(), name);
    }
    Control& list() { return form(PrefControl::Combo, 0); }

    FormModel form;
    std::vector<int> clicks;  // the selected position each click saw
    int changes = 0;
};

TEST_F(ListSelectionTest, SelectingAnotherEntryClicksOnceWithTheNewTextInPlace)
{
    std::string textSeen;
    form.clicked = [&](Control& c) {
        clicks.push_back(c.listIndex);
        textSeen = c.text;
    };
    form.SetListIndex(list(), 1);
    EXPECT_EQ(clicks, std::vector<int>{1});
    EXPECT_EQ(textSeen, "B") << "the handler reads the current name from the list";
    form.SetListIndex(list(), 2);
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    EXPECT_EQ(list().text, "C");
}

TEST_F(ListSelectionTest, SelectingTheSameEntryOrNothingIsNoClick)
{
    form.SetListIndex(list(), 0);
    form.SetListIndex(list(), 0);
    EXPECT_EQ(clicks.size(), 1u) << "a pick of the entry already shown does not switch again";
    for (int outside : {-1, 3, 99, -7})
        form.SetListIndex(list(), outside);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(list().listIndex, -1) << "a position the list lacks selects nothing";
    EXPECT_EQ(list().text, "");
}

TEST_F(ListSelectionTest, RemovingTheSelectedEntryLeavesNothingSelectedWithoutAClick)
{
    form.SetListIndex(list(), 1);
    clicks.clear();
    form.RemoveItem(list(), 1);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(list().listIndex, -1);
    EXPECT_EQ(list().text, "");
    EXPECT_EQ(list().items, (std::vector<std::string>{"A", "C"}));

    // Selecting the position the removed entry had is then a change again.
    form.SetListIndex(list(), 1);
    EXPECT_EQ(clicks, std::vector<int>{1});
    EXPECT_EQ(list().text, "C");
}

TEST_F(ListSelectionTest, RemovingAnEarlierEntryKeepsTheSameEntrySelected)
{
    form.SetListIndex(list(), 2);
    form.RemoveItem(list(), 0);
    EXPECT_EQ(list().listIndex, 1);
    EXPECT_EQ(list().text, "C");
    form.RemoveItem(list(), 5);
    EXPECT_EQ(list().items.size(), 2u) << "removing a position the list lacks does nothing";
}

TEST_F(ListSelectionTest, ClearingAndFillingAreNoClicksButAreShown)
{
    form.SetListIndex(list(), 0);
    clicks.clear();
    changes = 0;
    form.ClearList(list());
    form.AddItem(list(), "D");
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(changes, 2) << "the Win32 mirror hears of both";
    EXPECT_EQ(list().listIndex, -1);
    form.SetListIndex(list(), 0);
    EXPECT_EQ(clicks, std::vector<int>{0}) << "after clearing, selecting position 0 is a change";
}

}  // namespace
}  // namespace clavitone
