#include "ui/pref_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "settings/settings_layout.h"

namespace clavitone {
namespace {

// A control the test names by its id; a missing one fails the test.
const Control& At(const FormModel& form, const ControlId& id)
{
    const Control* control = form.FindNamed(id.name, id.index);
    if (!control)
        throw std::out_of_range(id.name + "(" + std::to_string(id.index) + ") is not on the form");
    return *control;
}

std::vector<const Control*> KeyButtons(const FormModel& form)
{
    std::vector<const Control*> keys;
    for (const Control& control : form.controls)
        if (Is(control, PrefControl::chkSound))
            keys.push_back(&control);
    return keys;
}

TEST(PrefLayout, KeyButtonsCoverTheSchemeCodesAndTheRightHandModifiers)
{
    FormModel form = MakePrefForm();
    const auto keys = KeyButtons(form);
    ASSERT_EQ(keys.size(), 86u);

    std::set<int> expected{216, 217, 218};
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            expected.insert(code);
    ASSERT_EQ(expected.size(), 86u);

    std::set<int> codes;
    for (const Control* key : keys) {
        EXPECT_TRUE(codes.insert(key->id.index).second) << "duplicate chkSound(" << key->id.index << ")";
        EXPECT_LE(key->id.index, 222) << "no slot in the key sound table";
        EXPECT_EQ(key->kind, ControlKind::KeyButton);
        EXPECT_EQ(key->container, ControlName(PrefControl::Frame));
        EXPECT_EQ(key->containerIndex, 0);
        EXPECT_EQ(key->value, 0) << "key buttons start released";
    }
    EXPECT_EQ(codes, expected);
}

TEST(PrefLayout, TabIndicesRunFromZeroTo101WithoutGapsOrRepeats)
{
    FormModel form = MakePrefForm();
    std::map<int, const Control*> byTab;
    for (const Control& control : form.controls) {
        if (control.tabIndex < 0)
            continue;
        EXPECT_TRUE(byTab.emplace(control.tabIndex, &control).second) << "tab index " << control.tabIndex << " twice";
    }
    ASSERT_EQ(byTab.size(), 102u);
    EXPECT_EQ(byTab.begin()->first, 0);
    EXPECT_EQ(byTab.rbegin()->first, 101);

    using enum PrefControl;
    const std::pair<int, ControlId> anchors[] = {
        {0, {Command, 0}},    {1, {chkSound, 27}},   {16, {chkSound, 19}},  {17, {chkSound, 192}},
        {34, {chkSound, 33}}, {35, {chkSound, 9}},   {50, {chkSound, 34}},  {51, {chkSound, 20}},
        {63, {chkSound, 13}}, {64, {chkSound, 16}},  {75, {chkSound, 216}}, {76, {chkSound, 17}},
        {83, {chkSound, 38}}, {86, {chkSound, 39}},  {87, {pichook}},       {88, {picOptions, 0}},
        {90, {Text, 0}},      {93, {Combo, 0}},      {96, {chkLaunch}},     {97, {Command, 3}},
        {98, {cmdImport}},    {99, {Label, 1}},      {100, {Text, 1}},      {101, {cmdBrowse, 1}},
    };
    for (const auto& [tab, id] : anchors)
        EXPECT_EQ(byTab.at(tab)->id, id) << "tab index " << tab;
}

TEST(PrefLayout, ButtonsInOneRowDoNotOverlap)
{
    std::map<int, std::vector<const KeyButtonLayout*>> rows;
    for (const KeyButtonLayout& key : KeyboardLayout)
        rows[key.top].push_back(&key);
    ASSERT_EQ(rows.size(), 6u);

    for (auto& [top, row] : rows) {
        std::sort(row.begin(), row.end(), [](auto* a, auto* b) { return a->left < b->left; });
        for (std::size_t i = 1; i < row.size(); ++i)
            EXPECT_LT(row[i - 1]->left + row[i - 1]->width, row[i]->left)
                << "chkSound(" << row[i - 1]->code << ") runs into chkSound(" << row[i]->code << ") at top " << top;
        // Everything must stay inside the frame, left of its right border.
        EXPECT_LE(row.back()->left + row.back()->width, 7935) << "row at top " << top;
    }
}

TEST(PrefLayout, BoldExactlyOnLettersTabEnterAndSpaceBar)
{
    std::set<int> expected{9, 13, 32};
    for (int letter = 'A'; letter <= 'Z'; ++letter)
        expected.insert(letter);

    std::set<int> bold;
    for (const Control& control : MakePrefForm().controls)
        if (control.bold)
            bold.insert(control.id.index);
    EXPECT_EQ(bold, expected);
}

TEST(PrefLayout, TwelveButtonsShowPicturesInsteadOfCaptions)
{
    const std::map<int, std::string> expected{
        {44, "KEY_MONITOR"}, {145, "KEY_PADLOCK"}, {19, "KEY_PAUSE"},   {8, "KEY_LEFT"},
        {37, "KEY_LEFT"},    {36, "KEY_HOME"},     {33, "KEY_PAGEUP"},  {34, "KEY_PAGEDOWN"},
        {38, "KEY_UP"},      {40, "KEY_DOWN"},     {39, "KEY_RIGHT"},   {92, "KEY_WINDOWS"},
    };
    FormModel form = MakePrefForm();
    std::map<int, std::string> pictures;
    for (const Control* key : KeyButtons(form)) {
        if (!key->picture.empty()) {
            pictures.emplace(key->id.index, key->picture);
            EXPECT_TRUE(key->caption.empty()) << "chkSound(" << key->id.index << ")";
        } else {
            EXPECT_FALSE(key->caption.empty()) << "chkSound(" << key->id.index << ")";
        }
    }
    EXPECT_EQ(pictures, expected);
}

TEST(PrefLayout, TrayMenuEntriesKeepTheirIndicesUnderTheHiddenParent)
{
    FormModel form = MakePrefForm();
    const Control& parent = form(PrefControl::mnuDummy);
    EXPECT_EQ(parent.kind, ControlKind::MenuItem);
    EXPECT_FALSE(parent.visible);

    std::map<int, std::string> entries;
    for (const Control& control : form.controls) {
        if (!Is(control, PrefControl::mnuPopUp))
            continue;
        EXPECT_EQ(control.container, ControlName(PrefControl::mnuDummy));
        EXPECT_FALSE(control.checked);
        entries.emplace(control.id.index, control.caption);
    }
    const std::map<int, std::string> expected{
        {1, "&Mute"}, {2, "&Preferences"}, {3, "&Help"}, {4, "&About"}, {5, "-"}, {7, "-"}, {8, "E&xit Program"},
    };
    EXPECT_EQ(entries, expected);
}

// "Options..." came later: it takes the free end of the scheme row and moves
// nothing that was there before.
TEST(PrefLayout, OptionsButtonFillsTheSchemeRowsFreeEndAndMovesNothing)
{
    FormModel form = MakePrefForm();
    const std::pair<ControlId, TwipRect> classic[] = {
        {{PrefControl::chkLaunch}, {180, 4860, 4800, 255}},   {{PrefControl::picOptions, 0}, {0, 0, 8100, 4845}},
        {{PrefControl::Frame, 0}, {60, 60, 7935, 4695}},      {{PrefControl::Combo, 0}, {180, 300, 3000, 315}},
        {{PrefControl::Command, 1}, {3420, 300, 1380, 330}},  {{PrefControl::Command, 2}, {4980, 300, 1380, 330}},
        {{PrefControl::Label, 0}, {120, 3960, 3135, 195}},    {{PrefControl::Text, 0}, {120, 4200, 6240, 330}},
        {{PrefControl::cmdBrowse, 0}, {6540, 4200, 1235, 330}}, {{PrefControl::Command, 0}, {6660, 4860, 1335, 315}},
    };
    for (const auto& [id, rect] : classic) {
        const TwipRect& now = At(form, id).rect;
        EXPECT_EQ(std::tie(now.left, now.top, now.width, now.height),
                  std::tie(rect.left, rect.top, rect.width, rect.height))
            << id.name << "(" << id.index << ")";
    }

    const Control& options = form(PrefControl::Command, 3);
    EXPECT_EQ(options.caption, "&Options...") << "Alt+O";
    EXPECT_EQ(options.kind, ControlKind::CommandButton);
    EXPECT_TRUE(options.container.empty()) << "outside the panel that muting disables";
    // Placed on the window where it stood in the frame (at 60, 60).
    const Control& deleting = form(PrefControl::Command, 2);
    const Control& frame = form(PrefControl::Frame, 0);
    EXPECT_EQ(options.rect.top, frame.rect.top + deleting.rect.top);
    EXPECT_EQ(options.rect.height, deleting.rect.height);
    EXPECT_GT(options.rect.left, frame.rect.left + deleting.rect.left + deleting.rect.width);
    EXPECT_LE(options.rect.left + options.rect.width, frame.rect.left + frame.rect.width);
    // Above the first separator, clear of the keyboard picture.
    EXPECT_LT(options.rect.top + options.rect.height, frame.rect.top + 720);
}

TEST(PrefLayout, ContainersResolveAndHelpersStayOutOfSight)
{
    FormModel form = MakePrefForm();
    for (const Control& control : form.controls) {
        if (!control.container.empty()) {
            EXPECT_NE(form.FindNamed(control.container, control.containerIndex), nullptr)
                << control.id.name << "(" << control.id.index << ") in " << control.container;
        }
    }

    // The tray's helpers must lie right of the client area so they are never seen.
    for (const ControlId& id :
         {ControlId{PrefControl::pichook}, ControlId{PrefControl::imgDefault, 0}, ControlId{PrefControl::imgDefault, 1}})
        EXPECT_GE(At(form, id).rect.left, form.clientWidth) << id.name;
    EXPECT_EQ(form(PrefControl::imgDefault, 0).picture, "TRAYON");
    EXPECT_EQ(form(PrefControl::imgDefault, 1).picture, "TRAYOFF");

    // Muting disables the panel; the autostart box must stay outside it.
    EXPECT_TRUE(form(PrefControl::chkLaunch).container.empty());
    EXPECT_EQ(form(PrefControl::Frame, 0).container, ControlName(PrefControl::picOptions));
}

// "Import pack..." sits in the bottom row between the launch box and
// " Minimize", as tall as " Minimize", outside the panel that muting disables.
TEST(PrefLayout, ImportButtonFitsTheBottomRowBetweenTheLaunchBoxAndMinimize)
{
    FormModel form = MakePrefForm();
    const Control& import = form(PrefControl::cmdImport);
    const Control& launch = form(PrefControl::chkLaunch);
    const Control& minimize = form(PrefControl::Command, 0);
    EXPECT_EQ(import.caption, "&Import pack...");
    EXPECT_EQ(import.kind, ControlKind::CommandButton);
    EXPECT_TRUE(import.container.empty());
    EXPECT_EQ(import.rect.top, minimize.rect.top);
    EXPECT_EQ(import.rect.height, minimize.rect.height);
    EXPECT_LT(launch.rect.left + launch.rect.width, import.rect.left);
    EXPECT_LT(import.rect.left + import.rect.width, minimize.rect.left);
    EXPECT_LE(import.rect.top + import.rect.height, form.clientHeight);
    const TwipRect& panel = form(PrefControl::picOptions, 0).rect;
    EXPECT_GE(import.rect.top, panel.top + panel.height);
}

// The release row came later still: the window grew below the bottom row
// for it, and its box and button line up with those of the press sound.
TEST(PrefLayout, ReleaseRowLinesUpWithThePathRowInTheRowTheWindowGrewFor)
{
    FormModel form = MakePrefForm();
    const TwipRect frame = form(PrefControl::Frame, 0).rect;
    const TwipRect path = form(PrefControl::Text, 0).rect;
    const TwipRect browse = form(PrefControl::cmdBrowse, 0).rect;
    const TwipRect label = form(PrefControl::Label, 1).rect;
    const TwipRect release = form(PrefControl::Text, 1).rect;
    const TwipRect find = form(PrefControl::cmdBrowse, 1).rect;
    for (const ControlId& id :
         {ControlId{PrefControl::Label, 1}, ControlId{PrefControl::Text, 1}, ControlId{PrefControl::cmdBrowse, 1}})
        EXPECT_TRUE(At(form, id).container.empty()) << id.name << "(" << id.index << ")";
    EXPECT_EQ(form(PrefControl::Text, 1).kind, ControlKind::TextBox);
    EXPECT_EQ(form(PrefControl::cmdBrowse, 1).caption, "Find release");

    EXPECT_EQ(release.left + release.width, frame.left + path.left + path.width);
    EXPECT_EQ(release.height, path.height);
    const int browseLeft = frame.left + browse.left;
    EXPECT_EQ(std::tie(find.left, find.width, find.height), std::tie(browseLeft, browse.width, browse.height));
    EXPECT_EQ(find.top, release.top);
    EXPECT_LT(label.left + label.width, release.left);
    EXPECT_GT(label.top, release.top) << "the label sits level with the box's text";
    EXPECT_LT(label.top + label.height, release.top + release.height);

    const Control& minimize = form(PrefControl::Command, 0);
    EXPECT_GT(release.top, minimize.rect.top + minimize.rect.height);
    EXPECT_LE(release.top + release.height, form.clientHeight);
    EXPECT_LE(find.left + find.width, form.clientWidth);
}

}  // namespace
}  // namespace clavitone
