#include "schemes/pack_codes.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/settings_layout.h"

namespace clavitone {
namespace {

std::set<int> SchemeCodes()
{
    std::set<int> codes;
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            codes.insert(code);
    return codes;
}

TEST(PackCodes, EveryKeyOfOursHasOnePackCodePerSideAndEachPackCodeOneKey)
{
    std::map<std::pair<int, bool>, int> sides;
    std::set<int> packCodes;
    for (const PackKeyCode& key : PackKeyCodes()) {
        EXPECT_TRUE(sides.emplace(std::pair(key.code, key.rightSide), key.packCode).second)
            << "key " << key.code << " has two pack codes on one side";
        EXPECT_TRUE(packCodes.insert(key.packCode).second) << "pack code " << key.packCode << " twice";
        EXPECT_TRUE(SchemeCodes().contains(key.code)) << "pack code " << key.packCode << " on no key of a scheme";
    }
    for (const int code : SchemeCodes())
        EXPECT_TRUE(sides.contains({code, false})) << "key " << code << " has no pack code";
}

TEST(PackCodes, PlainExtendedAndArrowCodesLandOnTheirKeys)
{
    const std::pair<int, int> cases[] = {
        {1, 27},      {2, 49},      {11, 48},     {14, 8},      {15, 9},      {28, 13},    {3612, 13},
        {29, 17},     {3613, 17},   {42, 16},     {54, 16},     {56, 18},     {3640, 18},  {57, 32},
        {58, 20},     {59, 112},    {68, 121},    {87, 122},    {88, 123},    {3655, 36},  {3657, 33},
        {3663, 35},   {3665, 34},   {3666, 45},   {3667, 46},   {3675, 92},   {3677, 93},  {3639, 44},
        {57416, 38},  {57419, 37},  {57421, 39},  {57424, 40},  {30, 65},     {44, 90},    {16, 81},
        {41, 192},    {12, 189},    {13, 187},    {43, 220},    {40, 222},    {53, 191},
    };
    for (const auto& [packCode, code] : cases) {
        const auto key = FindPackKeyCode(packCode);
        ASSERT_TRUE(key) << packCode;
        EXPECT_EQ(key->code, code) << packCode;
    }
    EXPECT_FALSE(FindPackKeyCode(3612 + 10000)) << "unknown codes are not guessed";
    EXPECT_FALSE(FindPackKeyCode(71)) << "keypad 7 has no button";
}

TEST(PackCodes, TheLeftKeyOfAPairWinsAndTheRightStandsInForIt)
{
    EXPECT_EQ(OurKeys({42, 54}), (std::map<int, int>{{16, 42}}));
    EXPECT_EQ(OurKeys({54, 3640}), (std::map<int, int>{{16, 54}, {18, 3640}}));
    EXPECT_EQ(OurKeys({71, 30}), (std::map<int, int>{{65, 30}}));
}

TEST(PackCodes, KeysThePackLeavesOutTakeALettersSoundAndSilentOnesStaySilent)
{
    // Sounds for B, Enter and Space; Esc silent.
    const auto sources = SoundSources({{66, 48}, {13, 28}, {32, 57}}, {27});
    EXPECT_EQ(sources.size(), SchemeCodes().size() - 1);
    EXPECT_FALSE(sources.contains(27));
    EXPECT_EQ(sources.at(66), 48);
    EXPECT_EQ(sources.at(13), 28);
    EXPECT_EQ(sources.at(32), 57);
    for (const int code : {65, 90, 48, 186, 222, 8, 16, 112, 37})
        EXPECT_EQ(sources.at(code), 48) << code;

    // Without a letter, the first key the pack gives a sound stands in.
    const auto noLetter = SoundSources({{32, 57}, {13, 28}}, {});
    EXPECT_EQ(noLetter.at(65), 28);
    EXPECT_EQ(noLetter.at(32), 57);

    EXPECT_TRUE(SoundSources({}, {27}).empty());
}

}  // namespace
}  // namespace clavitone
