// config.json in each shape real packs come in, read into the keys' press
// and release sounds; what has no place here is counted, never refused.
#include "schemes/pack_config.h"

#include <gtest/gtest.h>

#include <span>

namespace clavitone {
namespace {

using Keys = std::map<int, PackKey>;

PackSound Whole(std::string file)
{
    return {std::move(file), std::nullopt};
}

PackSound Slice(std::string file, double start, double length)
{
    return {std::move(file), PackSlice{start, length}};
}

struct Shape {
    const char* what;
    std::string json;
    Keys keys;
    std::set<int> silent = {};
    PackKey fallback = {};
    PackLeftOut leftOut = {};
};

void ExpectShapes(std::span<const Shape> shapes)
{
    for (const Shape& shape : shapes) {
        const auto read = ReadPackConfig(shape.json);
        ASSERT_TRUE(read) << shape.what << ": " << read.Why();
        const PackConfig& config = *read;
        EXPECT_EQ(config.keys, shape.keys) << shape.what;
        EXPECT_EQ(config.silent, shape.silent) << shape.what;
        EXPECT_EQ(config.fallback, shape.fallback) << shape.what;
        EXPECT_EQ(config.leftOut.keysWithoutButton, shape.leftOut.keysWithoutButton) << shape.what;
        EXPECT_EQ(config.leftOut.mouseButtons, shape.leftOut.mouseButtons) << shape.what;
        EXPECT_EQ(config.leftOut.keysWithoutFile, shape.leftOut.keysWithoutFile) << shape.what;
    }
}

// One file, "defines" by key code with [start, length] slices; "-up" entries
// are the keys' release sounds.
TEST(PackConfig, SingleFilePacksWithReleaseSlices)
{
    const std::string head = R"({"id": "cream", "name": "Cream", "key_define_type": "single",
        "includes_numpad": false, "sound": "sound.ogg", "defines": )";
    const Shape shapes[] = {
        {"press slices only", head + R"({"30": [100, 80], "57": [250.5, 120], "3612": null}})",
         {{30, {{Slice("sound.ogg", 100, 80)}, {}}}, {57, {{Slice("sound.ogg", 250.5, 120)}, {}}}},
         {3612}},
        {"press and release", head + R"({"1": [0, 90], "1-up": [90, 60], "30": [200, 80], "30-up": [280, 70],
            "57-up": [400, 50], "28": null, "28-up": null}})",
         {{1, {{Slice("sound.ogg", 0, 90)}, {Slice("sound.ogg", 90, 60)}}},
          {30, {{Slice("sound.ogg", 200, 80)}, {Slice("sound.ogg", 280, 70)}}},
          {57, {{}, {Slice("sound.ogg", 400, 50)}}}},
         {28}},
        {"keypad and mouse entries, even nonsense ones, are counted and skipped",
         head + R"({"30": [0, 10], "71": [0, 10], "71-up": [10, 10], "82": "x", "-1": [0, 10], "-2-up": [5, 5],
            "3637": [1e300, 0]}})",
         {{30, {{Slice("sound.ogg", 0, 10)}, {}}}},
         {},
         {},
         {3, 2, 0}},
    };
    ExpectShapes(shapes);
}

// A file per key, by key code; "" names no file, null keeps a key silent.
TEST(PackConfig, MultiFilePacksWithEmptyAndForeignEntries)
{
    const Shape shapes[] = {
        {"files, silence and a release file", R"({"name": "Bl\u00e4tter", "key_define_type": "multi",
            "defines": {"30": "a.wav", "30-up": "a-up.wav", "28": "enter.ogg", "1": null}})",
         {{28, {{Whole("enter.ogg")}, {}}}, {30, {{Whole("a.wav")}, {Whole("a-up.wav")}}}},
         {1}},
        {"numpad keys with \"\" and mouse buttons", R"({"name": "P", "key_define_type": "multi",
            "defines": {"30": "a.wav", "71": "", "72": "", "3612": "", "-1": "mouse.wav", "-3": null,
            "48": "", "48-up": ""}})",
         {{30, {{Whole("a.wav")}, {}}}},
         {},
         {},
         {2, 2, 2}},
    };
    ExpectShapes(shapes);
}

// "version": 2 packs give every key a default "sound" and "soundup", with
// "{a-b}" ranges of files to pick from at random.
TEST(PackConfig, VersionTwoMultiPacksWithPoolsAndDefaults)
{
    const Shape shapes[] = {
        {"a pool and a release for every key, own files for some", R"({"id": "mx-black", "name": "MX Black",
            "version": 2, "key_define_type": "multi", "includes_numpad": true,
            "sound": "press/GENERIC_R{0-4}.mp3", "soundup": "release/GENERIC.mp3",
            "defines": {"57": "press/SPACE.mp3", "57-up": "release/SPACE.mp3", "28": "press/ENTER.mp3",
            "14-up": "release/BACKSPACE.mp3", "82": "press/GENERIC_R0.mp3"}})",
         {{57, {{Whole("press/SPACE.mp3")}, {Whole("release/SPACE.mp3")}}},
          {28, {{Whole("press/ENTER.mp3")}, {}}},
          {14, {{}, {Whole("release/BACKSPACE.mp3")}}}},
         {},
         {{Whole("press/GENERIC_R0.mp3"), Whole("press/GENERIC_R1.mp3"), Whole("press/GENERIC_R2.mp3"),
           Whole("press/GENERIC_R3.mp3"), Whole("press/GENERIC_R4.mp3")},
          {Whole("release/GENERIC.mp3")}},
         {1, 0, 0}},
        {"pools in a key's own entry, zero-padded", R"({"name": "P", "key_define_type": "multi",
            "defines": {"30": "a{01-03}.ogg", "30-up": "a-up{7-8}.ogg", "31": "{b}.wav"}})",
         {{30, {{Whole("a01.ogg"), Whole("a02.ogg"), Whole("a03.ogg")}, {Whole("a-up7.ogg"), Whole("a-up8.ogg")}}},
          {31, {{Whole("{b}.wav")}, {}}}}},
        {"an empty default is none", R"({"name": "P", "key_define_type": "multi", "sound": "", "soundup": null,
            "defines": {"30": "a.wav"}})",
         {{30, {{Whole("a.wav")}, {}}}}},
        {"a default alone is a pack", R"({"name": "P", "key_define_type": "multi", "sound": "k{1-2}.wav",
            "defines": {}})",
         {},
         {},
         {{Whole("k1.wav"), Whole("k2.wav")}, {}}},
    };
    ExpectShapes(shapes);
}

// "config_version" "2": one "audio_file", "definitions" by browsers' key
// names, "timing" [[press start, end], [release start, end]].
TEST(PackConfig, NewerLayoutWithPressAndReleaseTimings)
{
    const std::string head = R"({"config_version": "2", "id": "oreo", "name": "Oreo", "audio_file": "sound.ogg",
        "definition_method": "single", "definitions": )";
    const Shape shapes[] = {
        {"two timings and one", head + R"({"KeyA": {"timing": [[100, 180], [200, 260]]},
            "Space": {"timing": [[1000, 1150], [1200, 1300]]}, "Backquote": {"timing": [[50.5, 90]]},
            "ShiftRight": {"timing": [[0, 40], [40, 70]]}, "ArrowUp": {"timing": [[300, 340], [340, 370]]}}})",
         {{30, {{Slice("sound.ogg", 100, 80)}, {Slice("sound.ogg", 200, 60)}}},
          {57, {{Slice("sound.ogg", 1000, 150)}, {Slice("sound.ogg", 1200, 100)}}},
          {41, {{Slice("sound.ogg", 50.5, 39.5)}, {}}},
          {54, {{Slice("sound.ogg", 0, 40)}, {Slice("sound.ogg", 40, 30)}}},
          {0xE000 + 72, {{Slice("sound.ogg", 300, 40)}, {Slice("sound.ogg", 340, 30)}}}}},
        {"keypad, unknown names and null", head + R"({"KeyZ": {"timing": [[0, 10], [10, 20]]},
            "Numpad1": {"timing": [[0, 10]]}, "NumpadAdd": {"timing": "nonsense"}, "Fn": {"timing": [[0, 10]]},
            "Escape": null}})",
         {{44, {{Slice("sound.ogg", 0, 10)}, {Slice("sound.ogg", 10, 10)}}}},
         {1},
         {},
         {3, 0, 0}},
        {"the version as a number", R"({"config_version": 2, "name": "N", "audio_file": "s.mp3",
            "definitions": {"Enter": {"timing": [[5, 25]]}}})",
         {{28, {{Slice("s.mp3", 5, 20)}, {}}}}},
    };
    ExpectShapes(shapes);
}

TEST(PackConfig, RefusesWhatCannotBeAPackInPlainWords)
{
    const std::string single = R"("name": "P", "key_define_type": "single", "sound": "s.ogg", )";
    const std::string multi = R"("name": "P", "key_define_type": "multi", )";
    const std::string newer = R"("config_version": "2", "name": "P", "audio_file": "s.ogg", )";
    const std::pair<std::string, std::string> cases[] = {
        {"not JSON", "{\"name\": "},
        {"not an object", "[1, 2]"},
        {"another version", R"({"name": "P", "key_define_type": "dual", "defines": {}})"},
        {"no type", R"({"name": "P", "defines": {"30": "a.wav"}})"},
        {"no defines", "{" + multi + R"("x": 1})"},
        {"defines not an object", "{" + multi + R"("defines": [1])})"},
        {"single without its sound", R"({"name": "P", "key_define_type": "single", "defines": {"30": [0, 10]}})"},
        {"key code not a number", "{" + multi + R"("defines": {"a": "a.wav"}})"},
        {"slice of one number", "{" + single + R"("defines": {"30": [10]}})"},
        {"slice of text", "{" + single + R"("defines": {"30": ["0", "10"]}})"},
        {"negative start", "{" + single + R"("defines": {"30": [-5, 10]}})"},
        {"negative length", "{" + single + R"("defines": {"30-up": [5, -10]}})"},
        {"empty slice", "{" + single + R"("defines": {"30": [5, 0]}})"},
        {"absurd start", "{" + single + R"("defines": {"30": [1e300, 10]}})"},
        {"absurd length", "{" + single + R"("defines": {"30": [0, 99999999999]}})"},
        {"file name a number", "{" + multi + R"("defines": {"30": 7}})"},
        {"a range too long", "{" + multi + R"("defines": {"30": "a{0-32}.wav"}})"},
        {"a range backwards", "{" + multi + R"("sound": "a{4-0}.wav", "defines": {}})"},
        {"no key at all", "{" + multi + R"("defines": {}})"},
        {"only keys without a button", "{" + multi + R"("defines": {"71": "a.wav", "-1": "b.wav"}})"},
        {"newer without its file", R"({"config_version": "2", "name": "P", "definitions": {}})"},
        {"newer, a file per key", "{" + newer + R"("definition_method": "multi", "definitions": {}})"},
        {"newer without timing", "{" + newer + R"("definitions": {"KeyA": {}}})"},
        {"newer, three timings", "{" + newer + R"("definitions": {"KeyA": {"timing": [[0, 1], [1, 2], [2, 3]]}}})"},
        {"newer, ending before it starts", "{" + newer + R"("definitions": {"KeyA": {"timing": [[50, 10]]}}})"},
        {"huge", "{" + multi + R"("defines": {"30": ")" + std::string(MaxConfigBytes, 'a') + "\"}}"},
    };
    for (const auto& [what, json] : cases) {
        const auto read = ReadPackConfig(json);
        ASSERT_FALSE(read) << what;
        const std::string& message = read.Why();
        EXPECT_FALSE(message.empty()) << what;
        for (const char* field : {"key_define_type", "defines", "definition", "audio_file", "config_version"})
            EXPECT_EQ(message.find(field), std::string::npos) << what << ": " << message;
    }
}

TEST(PackConfig, FileRangesStandForEachFileOnce)
{
    using Names = std::optional<std::vector<std::string>>;
    const std::pair<std::string, Names> cases[] = {
        {"a.wav", Names{{"a.wav"}}},
        {"r{0-2}.mp3", Names{{"r0.mp3", "r1.mp3", "r2.mp3"}}},
        {"r{3-3}.mp3", Names{{"r3.mp3"}}},
        {"r{08-10}.mp3", Names{{"r08.mp3", "r09.mp3", "r10.mp3"}}},
        {"{x-y}.wav", Names{{"{x-y}.wav"}}},
        {"r{0-31}.mp3", Names{std::vector<std::string>(32)}},
        {"r{0-32}.mp3", std::nullopt},
        {"r{5-1}.mp3", std::nullopt},
    };
    for (const auto& [name, expected] : cases) {
        const Names names = ExpandFileRange(name);
        ASSERT_EQ(names.has_value(), expected.has_value()) << name;
        if (!names)
            continue;
        if (expected->size() == 32) {
            EXPECT_EQ(names->size(), 32u);
            EXPECT_EQ(names->back(), "r31.mp3");
        } else {
            EXPECT_EQ(*names, *expected) << name;
        }
    }
}

}  // namespace
}  // namespace clavitone
