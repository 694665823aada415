// Code names a window's controls by the enum beside its layout table; the
// layout spells each name once more. A misspelling there would abort the
// program the first time the control is used, so every id is checked here.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "about/about_layout.h"
#include "options/options_layout.h"
#include "schemes/saveas_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {
namespace {

// Walks the enum from 0 until ControlName has no name for a value.
template <typename Id>
void ExpectEveryIdOnItsWindow(const FormModel& form)
{
    std::set<std::string_view> names;
    for (int value = 0;; ++value) {
        const std::string_view name = ControlName(static_cast<Id>(value));
        if (name.empty())
            break;
        EXPECT_TRUE(names.insert(name).second) << form.name << ": " << name << " named twice";
        EXPECT_TRUE(std::any_of(form.controls.begin(), form.controls.end(),
                                [&](const Control& control) { return control.id.name == name; }))
            << form.name << " has no control " << name;
    }
    EXPECT_FALSE(names.empty()) << form.name;
}

TEST(ControlNamesTest, EveryIdNamesOneControlOfItsWindow)
{
    ExpectEveryIdOnItsWindow<PrefControl>(MakePrefForm());
    ExpectEveryIdOnItsWindow<SaveasControl>(MakeSaveasForm());
    ExpectEveryIdOnItsWindow<AboutControl>(MakeAboutForm());
    ExpectEveryIdOnItsWindow<OptionsControl>(MakeOptionsForm());
}

}  // namespace
}  // namespace clavitone
