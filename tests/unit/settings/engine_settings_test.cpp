#include <gtest/gtest.h>

#include "settings/engine_settings.h"
#include "settings/settings_layout.h"
#include "tests/fakes/memory_store.h"

namespace clavitone {
namespace {

struct Stored {
    std::optional<std::string> engine, volume, stereo;
    EngineSettings expected;
};

TEST(EngineSettingsTest, ReadsOnlyWellFormedValuesElseTheClassicDefaults)
{
    const Stored cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, {false, 100, false}},
        {"1", "40", "1", {true, 40, true}},
        {"0", "0", "0", {false, 0, false}},
        {"2", "101", "yes", {false, 100, false}},
        {" 1", "-1", "", {false, 100, false}},
        {"1", "50%", "1 ", {true, 100, false}},
        {"true", "99999", "01", {false, 100, false}},
    };
    for (const Stored& c : cases) {
        fakes::MemoryStore store;
        auto put = [&](std::string_view key, const std::optional<std::string>& value) {
            if (value)
                SaveSettingsText(store, key, *value);
        };
        put(SettingSoundEngine, c.engine);
        put(SettingVolume, c.volume);
        put(SettingStereoKeys, c.stereo);
        EXPECT_EQ(ReadEngineSettings(store), c.expected)
            << c.engine.value_or("-") << " " << c.volume.value_or("-") << " " << c.stereo.value_or("-");
    }
}

TEST(EngineSettingsTest, TheIdleTimeIsFiveSecondsToAnHourElseTwoMinutes)
{
    const std::pair<std::optional<std::string>, int> cases[] = {
        {std::nullopt, 120}, {"5", 5}, {"3600", 3600}, {"300", 300}, {"4", 120},
        {"3601", 120},       {"", 120}, {"60s", 120},  {"-30", 120}, {"1e3", 120},
    };
    for (const auto& [text, seconds] : cases) {
        fakes::MemoryStore store;
        if (text)
            SaveSettingsText(store, SettingEngineIdleSeconds, *text);
        EXPECT_EQ(ReadEngineSettings(store).idleSeconds, seconds) << text.value_or("absent");
    }
}

TEST(EngineSettingsTest, SavedValuesReadBackAsStrings)
{
    fakes::MemoryStore store;
    SaveEngineSettings(store, {true, 35, true});
    EXPECT_EQ(store.At("Settings", "SoundEngine"), "1");
    EXPECT_EQ(store.At("Settings", "Volume"), "35");
    EXPECT_EQ(store.At("Settings", "StereoKeys"), "1");
    EXPECT_EQ(ReadEngineSettings(store), (EngineSettings{true, 35, true}));
}

}  // namespace
}  // namespace clavitone
