#include <gtest/gtest.h>

#include <set>

#include "settings/number_text.h"
#include "settings/settings_layout.h"
#include "tests/fakes/memory_store.h"

namespace clavitone {
namespace {

TEST(NumberTextTest, ReadsOnlyPlainSixteenBitDecimals)
{
    EXPECT_EQ(ParseNumber("0"), std::optional<std::int16_t>(0));
    EXPECT_EQ(ParseNumber("12"), std::optional<std::int16_t>(12));
    EXPECT_EQ(ParseNumber("-1"), std::optional<std::int16_t>(-1));
    EXPECT_EQ(ParseNumber("007"), std::optional<std::int16_t>(7));
    EXPECT_EQ(ParseNumber("32767"), std::optional<std::int16_t>(32767));
    EXPECT_EQ(ParseNumber("-32768"), std::optional<std::int16_t>(-32768));
    for (const char* junk : {"", "-", "+1", "--1", " 1", "1 ", "1.5", "abc", "1a", "32768", "-32769", "99999"})
        EXPECT_EQ(ParseNumber(junk), std::nullopt) << '"' << junk << '"';
}

TEST(NumberTextTest, WritesTheShortestDecimal)
{
    EXPECT_EQ(NumberText(0), "0");
    EXPECT_EQ(NumberText(7), "7");
    EXPECT_EQ(NumberText(-1), "-1");
}

TEST(SettingsLayoutTest, KeysAreTheSchemeNameInfixAndCode)
{
    EXPECT_EQ(PathKey("Typewriter", 65), "Typewriter_#65");
    EXPECT_EQ(StateKey("Typewriter", 65), "Typewriter-EnableSound_#65");
    EXPECT_EQ(PathKey("My keys", 8), "My keys_#8");
    EXPECT_EQ(StateKey("My keys", 222), "My keys-EnableSound_#222");
    EXPECT_EQ(PathKey("", 13), "_#13");
    EXPECT_EQ(SchemeNameKey(0), "Scheme0");
    EXPECT_EQ(DefaultSchemeName(3), "Scheme # 3");
    EXPECT_EQ(DefaultSoundPath("C:\\Clavitone", 65), "C:\\Clavitone\\65.wav");
}

TEST(SettingsLayoutTest, SchemeKeyCodesAreThe83KeyButtonCodesInOrder)
{
    std::vector<int> codes;
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            codes.push_back(code);
    EXPECT_EQ(codes.size(), 83u);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()).size(), codes.size());
    EXPECT_EQ(codes.front(), 8);
    EXPECT_EQ(codes.back(), 222);
    for (int absent : {91, 94, 96, 111, 144, 193, 216})
        EXPECT_EQ(std::count(codes.begin(), codes.end(), absent), 0) << absent;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    fakes::MemoryStore store;
};

TEST_F(SettingsStoreTest, AbsentKeysGiveTheReadersDefault)
{
    EXPECT_EQ(store.GetSetting("Clavitone", "Settings", "SchemesQuantity", std::int16_t{1}), "1");
    EXPECT_EQ(store.GetSetting("Clavitone", "Settings", "Typewriter_#65", "C:\\x\\65.wav"), "C:\\x\\65.wav");
    EXPECT_EQ(GetSettingsNumber(store, SettingLastScheme, DefaultLastScheme), 0);
    EXPECT_EQ(GetSettingsNumber(store, SettingChkLaunch, DefaultChkLaunch), 1);
    EXPECT_EQ(store.writes, 0) << "reading never writes";
}

TEST_F(SettingsStoreTest, StoredNumbersAreReadAndJunkFallsBackToTheDefault)
{
    SaveSettingsNumber(store, SettingSchemesQuantity, 3);
    EXPECT_EQ(store.At("Settings", "SchemesQuantity"), std::optional<std::string>("3"));
    EXPECT_EQ(GetSettingsNumber(store, SettingSchemesQuantity, DefaultSchemesQuantity), 3);
    SaveSettingsText(store, SettingLastScheme, "1.5");
    EXPECT_EQ(GetSettingsNumber(store, SettingLastScheme, DefaultLastScheme), 0);
    SaveSettingsText(store, SettingLastScheme, "99999");
    EXPECT_EQ(GetSettingsNumber(store, SettingLastScheme, 4), 4);
}

TEST_F(SettingsStoreTest, SectionsAreSeparateAndDeleteIsHarmlessWhenAbsent)
{
    store.SaveSetting("Clavitone", "Settings", "Progon", "not a language text");
    EXPECT_EQ(GetLanguageText(store, "Progon"), "") << "language texts come from their own section";
    store.SaveSetting("Clavitone", "Language", "Progon", "Sounds on");
    EXPECT_EQ(GetLanguageText(store, "Progon"), "Sounds on");

    store.DeleteSetting("Clavitone", "Settings", "Progon");
    EXPECT_EQ(store.At("Settings", "Progon"), std::nullopt);
    store.DeleteSetting("Clavitone", "Settings", "Progon");
    EXPECT_EQ(store.GetSetting("Clavitone", "Settings", "Progon", "gone"), "gone");
}

}  // namespace
}  // namespace clavitone
