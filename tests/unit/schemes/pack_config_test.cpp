#include "schemes/pack_config.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

TEST(PackConfig, ReadsASingleFilePackWithItsSlices)
{
    const auto read = ReadPackConfig(R"({"id": "cream", "name": "Cream", "key_define_type": "single",
        "includes_numpad": false, "sound": "sound.ogg",
        "defines": {"30": [100, 80], "57": [250.5, 120], "3612": null}})");
    ASSERT_TRUE(std::holds_alternative<PackConfig>(read)) << std::get<PackError>(read).message;
    const PackConfig& config = std::get<PackConfig>(read);
    EXPECT_TRUE(config.singleFile);
    EXPECT_EQ(config.name, "Cream");
    EXPECT_EQ(config.id, "cream");
    EXPECT_EQ(config.sound, "sound.ogg");
    const std::map<int, PackSlice> expected{{30, {100, 80}}, {57, {250.5, 120}}};
    EXPECT_EQ(config.slices, expected);
    EXPECT_EQ(config.silent, std::set<int>{3612});
}

TEST(PackConfig, ReadsAMultiFilePackWithItsSilentKeys)
{
    const auto read = ReadPackConfig(R"({"name": "Bl\u00e4tter", "key_define_type": "multi",
        "defines": {"30": "a.wav", "28": "enter.ogg", "1": null}})");
    ASSERT_TRUE(std::holds_alternative<PackConfig>(read)) << std::get<PackError>(read).message;
    const PackConfig& config = std::get<PackConfig>(read);
    EXPECT_FALSE(config.singleFile);
    EXPECT_EQ(config.name, "Bl\xC3\xA4tter");
    EXPECT_EQ(config.id, "");
    const std::map<int, std::string> expected{{28, "enter.ogg"}, {30, "a.wav"}};
    EXPECT_EQ(config.files, expected);
    EXPECT_EQ(config.silent, std::set<int>{1});
}

TEST(PackConfig, RefusesMalformedConfigsWithAReason)
{
    const std::string single = R"("name": "P", "key_define_type": "single", "sound": "s.ogg", )";
    const std::string multi = R"("name": "P", "key_define_type": "multi", )";
    const std::pair<std::string, std::string> cases[] = {
        {"not JSON", "{\"name\": "},
        {"not an object", "[1, 2]"},
        {"no name", R"({"key_define_type": "multi", "defines": {"30": "a.wav"}})"},
        {"name not text", R"({"name": 5, "key_define_type": "multi", "defines": {"30": "a.wav"}})"},
        {"another version", R"({"name": "P", "key_define_type": "dual", "defines": {}})"},
        {"no type", R"({"name": "P", "defines": {"30": "a.wav"}})"},
        {"no defines", "{" + multi + R"("x": 1})"},
        {"defines not an object", "{" + multi + R"("defines": [1])})"},
        {"single without its sound", R"({"name": "P", "key_define_type": "single", "defines": {"30": [0, 10]}})"},
        {"key code not a number", "{" + multi + R"("defines": {"a": "a.wav"}})"},
        {"negative key code", "{" + multi + R"("defines": {"-3": "a.wav"}})"},
        {"slice of one number", "{" + single + R"("defines": {"30": [10]}})"},
        {"slice of text", "{" + single + R"("defines": {"30": ["0", "10"]}})"},
        {"negative start", "{" + single + R"("defines": {"30": [-5, 10]}})"},
        {"negative length", "{" + single + R"("defines": {"30": [5, -10]}})"},
        {"empty slice", "{" + single + R"("defines": {"30": [5, 0]}})"},
        {"absurd start", "{" + single + R"("defines": {"30": [1e300, 10]}})"},
        {"absurd length", "{" + single + R"("defines": {"30": [0, 99999999999]}})"},
        {"file name a number", "{" + multi + R"("defines": {"30": 7}})"},
        {"empty file name", "{" + multi + R"("defines": {"30": ""}})"},
        {"no key at all", "{" + multi + R"("defines": {}})"},
        {"huge", "{" + multi + R"("defines": {"30": ")" + std::string(MaxConfigBytes, 'a') + "\"}}"},
    };
    for (const auto& [what, json] : cases) {
        const auto read = ReadPackConfig(json);
        ASSERT_TRUE(std::holds_alternative<PackError>(read)) << what;
        EXPECT_FALSE(std::get<PackError>(read).message.empty()) << what;
    }
}

}  // namespace
}  // namespace clavitone
