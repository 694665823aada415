#include "sound/key_pan.h"

#include <gtest/gtest.h>

#include "ui/pref_layout.h"

namespace clavitone {
namespace {

TEST(KeyPan, KeysArePlacedByTheirButtonsOnTheKeyboardPicture)
{
    const FormModel form = MakePrefForm();
    std::vector<KeyCentre> centres;
    for (int code = 0; code < KeySoundTable::SlotCount; ++code)
        if (const Control* button = form.Find(PrefControl::chkSound, code))
            centres.push_back({code, button->rect.left + button->rect.width / 2});
    const PanTable pan = KeyPanTable(centres);
    EXPECT_LT(pan[27], -0.6f) << "Esc";
    EXPECT_LT(pan[17], -0.5f) << "left Ctrl";
    EXPECT_LT(pan[65], pan[76]) << "A left of L";
    for (int arrow = 37; arrow <= 40; ++arrow)
        EXPECT_GT(pan[static_cast<std::size_t>(arrow)], 0.4f) << arrow;
    for (const float p : pan)
        EXPECT_LE(std::abs(p), 0.8f) << "never in one ear only";
    EXPECT_EQ(pan[100], 0.0f) << "no button: centred";
    EXPECT_EQ(KeyPanTable({}), PanTable{});
}

}  // namespace
}  // namespace clavitone
