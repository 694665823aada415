// "Import pack...": a pack in, a scheme and a folder of WAVs out, or nothing at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "settings/settings_layout.h"
#include "sound/wav_reader.h"
#include "sound/wav_writer.h"
#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using Names = std::vector<std::string>;

const std::string PackFolder = "D:\\Downloads\\cream";
const std::string Config = PackFolder + "\\config.json";
const std::string Packs = "C:\\Users\\me\\AppData\\Roaming\\Clavitone\\Packs";

// A tone per key: each sample holds the key's number, so a file tells where it was cut.
std::vector<std::int16_t> Tone(std::int16_t value, std::size_t count)
{
    return std::vector<std::int16_t>(count, value);
}

class PackImportTest : public ::testing::Test, protected testing::SchemeStory {
protected:
    PackImportTest()
    {
        SetSchemes({"Typewriter", "Voice"}, 0);
        pref.Form_Load();
    }

    // Slices of 10 ms at 1000 frames a second: A (30) samples 1, B (48) 2, Enter (28) 3.
    void SingleFilePack(const std::string& name = "Cream", const std::string& id = "cream")
    {
        std::vector<std::int16_t> all;
        for (std::int16_t tone = 1; tone <= 3; ++tone) {
            const auto part = Tone(tone, 10);
            all.insert(all.end(), part.begin(), part.end());
        }
        files.Add(PackFolder + "\\sound.wav", WavFileBytes(1000, 1, all));
        files.Add(Config, R"({"id": ")" + id + R"(", "name": ")" + name + R"(", "key_define_type": "single",
            "sound": "sound.wav", "defines": {"30": [0, 10], "48": [10, 10], "28": [20, 10], "1": null}})");
    }

    void Import(const std::string& config = Config)
    {
        fileDialog.choices.push_back(config);
        pref.ImportPack();
    }

    std::vector<std::int16_t> Written(const std::string& folder, int code)
    {
        const auto& bytes = files.files.at(folder + "\\" + std::to_string(code) + ".wav");
        const auto sound = ReadWav(bytes);
        return sound ? sound->samples : std::vector<std::int16_t>{};
    }

    std::size_t StoreSize() { return store.values.size(); }
};

TEST_F(PackImportTest, ASingleFilePackBecomesTheCurrentSchemeWithAWavPerSound)
{
    SingleFilePack();
    Import();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "Cream"}));
    EXPECT_EQ(Current(), "Cream");
    EXPECT_EQ(At("SchemesQuantity"), "3");
    EXPECT_EQ(At("Scheme2"), "Cream");
    EXPECT_EQ(At("LastScheme"), "2");

    const std::string folder = Packs + "\\cream";
    EXPECT_EQ(Written(folder, 65), Tone(1, 10));
    EXPECT_EQ(Written(folder, 66), Tone(2, 10));
    EXPECT_EQ(Written(folder, 13), Tone(3, 10));
    EXPECT_EQ(At("Cream_#32"), folder + "\\65.wav") << "a key the pack leaves out takes a letter's sound";
    EXPECT_EQ(files.Inside(folder).size(), 3u) << "one file per distinct sound, shared by the keys that play it";
    EXPECT_EQ(At("Cream-EnableSound_#27"), "1");
    EXPECT_EQ(files.folders, (std::set<std::string>{Packs.substr(0, Packs.size() - 6), Packs, folder}));

    EXPECT_EQ(At("Cream_#65"), folder + "\\65.wav");
    EXPECT_EQ(At("Cream-EnableSound_#65"), "0");
    EXPECT_EQ(At("Cream_#16"), folder + "\\65.wav");
    EXPECT_FALSE(At("Cream-ReleaseSound_#65")) << "a pack without release sounds gives none";
    EXPECT_EQ(keySound[66], folder + "\\66.wav") << "the switch has loaded the new scheme";
    EXPECT_EQ(Key(66), 0);
}

// Muted, the import works all the same and says that sounds are off; a
// failed import or one made with sounds on says nothing of the kind.
TEST_F(PackImportTest, AnImportWhileMutedSaysThatSoundsAreOff)
{
    const struct {
        bool muted;
        bool broken;
        bool told;
    } cases[] = {{true, false, true}, {false, false, false}, {true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.muted) + std::to_string(c.broken));
        if (c.muted == pref.SoundEnabled())
            pref.ToggleSound();
        files.files.clear();
        messages.shown.clear();
        SingleFilePack();
        if (c.broken)
            files.Add(Config, "{");
        Import();
        const bool told = std::any_of(messages.shown.begin(), messages.shown.end(), [](const auto& shown) {
            return shown.text.find("key sounds are off") != std::string::npos;
        });
        EXPECT_EQ(told, c.told);
    }
}

TEST_F(PackImportTest, AnOggPackWithSilentKeysKeepsThemSilent)
{
    std::ifstream ogg(CLAVITONE_TEST_OGG, std::ios::binary);
    files.Add(PackFolder + "\\tone.ogg", std::vector<std::uint8_t>(std::istreambuf_iterator<char>(ogg), {}));
    files.Add(Config, R"({"name": "Tone", "key_define_type": "multi",
        "defines": {"30": "tone.ogg", "1": null, "57": "tone.ogg"}})");
    Import();

    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;
    const std::string folder = Packs + "\\Tone";
    const std::string a = *At("Tone_#65");
    EXPECT_EQ(At("Tone_#32"), a) << "A and Space play the same file, written once";
    EXPECT_GT(ReadWav(files.files.at(a))->samples.size(), 20000u);
    EXPECT_EQ(At("Tone-EnableSound_#27"), "1");
    EXPECT_EQ(At("Tone_#27"), "None");
    EXPECT_FALSE(files.files.contains(folder + "\\27.wav"));
    EXPECT_EQ(Key(27), 1);
    EXPECT_EQ(keySound[27], "");
}

TEST_F(PackImportTest, ImportingAgainAddsANumberToTheNameAndTheFolder)
{
    SingleFilePack();
    Import();
    Import();
    SingleFilePack("CREAM");  // taken, letter case aside, as the save dialog compares
    Import();

    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "Cream", "Cream 2", "CREAM 3"}));
    EXPECT_TRUE(files.FolderExists(Packs + "\\cream 2"));
    EXPECT_EQ(At("CREAM 3_#65"), Packs + "\\cream 3\\65.wav");
    EXPECT_EQ(Written(Packs + "\\cream 3", 66), Tone(2, 10));
}

// A pack named so that its values would fall on another scheme's is not
// given that name: the next free one, and a message why.
TEST_F(PackImportTest, ANameThatWouldShareAnotherSchemesValuesIsRefused)
{
    Set("Typewriter-EnableSound_#65", "1");
    const auto typewriterState = At("Typewriter-EnableSound_#65");
    SingleFilePack("typewriter-enablesound", "x");
    Import();

    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "typewriter-enablesound 2"}));
    EXPECT_EQ(At("Typewriter-EnableSound_#65"), typewriterState) << "Typewriter's state stays";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The name \"typewriter-enablesound\" cannot be used: the settings of the scheme \"Typewriter\" are stored "
              "under the same names and would be overwritten. The new scheme is named \"typewriter-enablesound 2\".");
}

TEST_F(PackImportTest, NamesAreCutToTheSaveDialogsLengthAndKeepWhatTheCodePageShows)
{
    SingleFilePack(std::string(250, 'n'));
    Import();
    EXPECT_EQ(Current(), std::string(200, 'n'));
    Import();
    EXPECT_EQ(Current(), std::string(198, 'n') + " 2");

    SingleFilePack("Bl\u00e4tter \u6f22\u5b57", "");
    Import();
    EXPECT_EQ(Current(), "Bl\xE4tter");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("left out"), std::string::npos);
}

TEST_F(PackImportTest, ABrokenPackLeavesTheStoreAndTheFolderAsTheyWere)
{
    const std::pair<std::string, std::string> packs[] = {
        {"missing audio", R"({"name": "P", "key_define_type": "multi", "defines": {"30": "gone.wav"}})"},
        {"malformed", R"({"name": "P", "key_define_type": "multi", "defines": {"30": )"},
        {"leaving the folder", R"({"name": "P", "key_define_type": "multi", "defines": {"30": "..\\x.wav"}})"},
        {"no key of ours", R"({"name": "P", "key_define_type": "multi", "defines": {"71": "gone.wav"}})"},
        {"silent only", R"({"name": "P", "key_define_type": "multi", "defines": {"30": null}})"},
    };
    for (const auto& [what, json] : packs) {
        files.Add(Config, json);
        const auto before = store.values;
        const auto folders = files.folders;
        messages.shown.clear();
        Import();
        EXPECT_EQ(store.values, before) << what;
        EXPECT_EQ(files.folders, folders) << what;
        EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice"})) << what;
        ASSERT_EQ(messages.shown.size(), 1u) << what;
        EXPECT_EQ(messages.shown[0].title, "Clavitone");
        EXPECT_EQ(messages.shown[0].style, MessageOkOnly | MessageExclamation);
        EXPECT_TRUE(messages.shown[0].text.starts_with("The sound pack was not imported.")) << what;
        EXPECT_EQ(log.lines.back(), "Pack import failed: " + messages.shown[0].text) << what;
    }
}

TEST_F(PackImportTest, AFailedWriteOrRenameLeavesNoFolderAndNoScheme)
{
    SingleFilePack();
    files.writesLeft = 2;
    Import();
    files.writesLeft = static_cast<std::size_t>(-1);
    files.failMove = true;
    Import();

    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(files.Inside(Packs).empty());
    EXPECT_EQ(files.folders, (std::set<std::string>{Packs.substr(0, Packs.size() - 6), Packs}));
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice"}));
    EXPECT_FALSE(At("Cream_#65"));
    EXPECT_EQ(At("SchemesQuantity"), "2");
}

TEST_F(PackImportTest, TheDialogAsksForConfigJsonAndCancelDoesNothing)
{
    const auto before = store.values;
    pref.ImportPack();
    ASSERT_EQ(fileDialog.requests.size(), 1u);
    const OpenFileRequest& request = fileDialog.requests[0];
    EXPECT_EQ(request.hwndOwner, testing::PrefHandle);
    EXPECT_EQ(request.lpstrFilter, std::string("Sound pack (config.json)\0config.json\0\0", 38));
    EXPECT_EQ(request.Flags, OpenFileFileMustExist | OpenFilePathMustExist | OpenFileHideReadOnly);
    EXPECT_EQ(request.lpstrTitle, "Import a sound pack");
    EXPECT_EQ(store.values, before);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PackImportTest, DeletingAnImportedSchemeRemovesItsFolderUnlessACopyStillPlaysIt)
{
    SingleFilePack();
    Import();
    Import();
    SaveAs("Mine");  // a copy of "Cream 2", playing the files of cream 2
    Pick(2);
    DeleteCurrent();
    EXPECT_FALSE(files.FolderExists(Packs + "\\cream"));
    EXPECT_TRUE(files.Inside(Packs + "\\cream").empty());

    Pick(2);
    ASSERT_EQ(Current(), "Cream 2");
    DeleteCurrent();
    EXPECT_TRUE(files.FolderExists(Packs + "\\cream 2")) << "Mine still plays these files";

    Pick(2);
    ASSERT_EQ(Current(), "Mine");
    DeleteCurrent();
    EXPECT_FALSE(files.FolderExists(Packs + "\\cream 2"));
    EXPECT_TRUE(files.FolderExists(Packs));
}

// A stored path is only a string in the registry: whatever it says, deleting
// its scheme removes nothing but a direct child of Packs with a name the
// importer could have made.
TEST_F(PackImportTest, DeletingASchemeRemovesOnlyASafeDirectChildOfPacks)
{
    const struct {
        const char* stored;  // after Packs
        const char* removed;  // after Packs; empty: nothing
    } cases[] = {
        {"\\cream\\65.wav", "\\cream"},
        {"/cream/65.wav", "\\cream"},
        {"\\cream\\sub\\..\\65.wav", "\\cream"},
        {"\\.\\cream\\65.wav", "\\cream"},
        {"\\..\\65.wav", ""},                 // would be all of Clavitone's folder
        {"\\..\\..\\Clavitone\\Packs\\..\\x\\65.wav", ""},
        {"\\cream\\..\\..\\65.wav", ""},
        {"\\..\\Packs2\\x\\65.wav", ""},
        {"\\~importing cream\\65.wav", ""},  // not a name the importer gives
        {"\\ cream\\65.wav", ""},
        {"\\cream.\\65.wav", ""},
        {"\\65.wav", ""},                     // a file in Packs itself
    };
    for (const auto& c : cases) {
        SetSchemes({"Typewriter", "Voice", "Doomed"}, 2);
        Set("Doomed_#65", Packs + c.stored);
        pref.Form_Load();
        files.removed.clear();
        DeleteCurrent();
        const std::vector<std::string> expected =
            *c.removed ? std::vector<std::string>{Packs + c.removed} : std::vector<std::string>{};
        EXPECT_EQ(files.removed, expected) << c.stored;
    }
}

// The pack shapes end to end, from config.json to what the new scheme
// stores and plays: each case a pack and the values of some of its keys.
TEST_F(PackImportTest, ReleaseSoundsPoolsAndTheNewerLayoutBecomeTheSchemesValues)
{
    using Values = std::map<std::string, std::optional<std::string>>;
    struct Case {
        const char* what;
        std::string name;
        std::string json;
        Values values;  // relative paths under the pack's folder, "|" between them
        std::size_t files;
    };
    // Ten 10 ms tones in one file, tone n from n * 10 ms.
    std::vector<std::int16_t> all;
    for (std::int16_t tone = 0; tone < 10; ++tone) {
        const auto part = Tone(tone, 10);
        all.insert(all.end(), part.begin(), part.end());
    }
    files.Add(PackFolder + "\\sound.wav", WavFileBytes(1000, 1, all));
    for (int n = 0; n < 5; ++n)
        files.Add(PackFolder + "\\press\\GENERIC_R" + std::to_string(n) + ".wav",
                  WavFileBytes(1000, 1, Tone(static_cast<std::int16_t>(n + 1), 5)));
    files.Add(PackFolder + "\\release\\GENERIC.wav", WavFileBytes(1000, 1, Tone(9, 5)));
    files.Add(PackFolder + "\\press\\SPACE.wav", WavFileBytes(1000, 1, Tone(8, 5)));

    const Case cases[] = {
        {"single file with -up slices", "Up",
         R"({"name": "Up", "key_define_type": "single", "sound": "sound.wav",
             "defines": {"30": [10, 10], "30-up": [20, 10], "48": [30, 10], "57-up": [40, 10]}})",
         {{"_#65", "65.wav"}, {"-ReleaseSound_#65", "65-up.wav"}, {"_#66", "66.wav"},
          {"-ReleaseSound_#66", std::nullopt}, {"_#32", "65.wav"}, {"-ReleaseSound_#32", "65-up.wav"},
          {"-MoreSounds_#65", std::nullopt}},
         3},
        {"version 2 multi with a pool and soundup", "Pool",
         R"({"name": "Pool", "version": 2, "key_define_type": "multi", "sound": "press/GENERIC_R{0-4}.wav",
             "soundup": "release/GENERIC.wav", "defines": {"57": "press/SPACE.wav", "71": "", "-1": "x.wav"}})",
         {{"_#65", "default.wav"},
          {"-MoreSounds_#65", "default-2.wav|default-3.wav|default-4.wav|default-5.wav"},
          {"-ReleaseSound_#65", "default-up.wav"}, {"-MoreReleaseSounds_#65", std::nullopt}, {"_#32", "32.wav"},
          {"-MoreSounds_#32", std::nullopt}, {"-ReleaseSound_#32", "default-up.wav"}},
         7},
        {"newer layout with two timings", "Newer",
         R"({"config_version": "2", "name": "Newer", "audio_file": "sound.wav", "definition_method": "single",
             "definitions": {"KeyA": {"timing": [[10, 20], [20, 30]]}, "Space": {"timing": [[50, 60], [60, 70]]},
             "Numpad1": {"timing": [[0, 10]]}}})",
         {{"_#65", "65.wav"}, {"-ReleaseSound_#65", "65-up.wav"}, {"_#32", "32.wav"}, {"-ReleaseSound_#32", "32-up.wav"},
          {"_#90", "65.wav"}},
         4},
    };
    for (const Case& c : cases) {
        files.Add(Config, c.json);
        messages.shown.clear();
        Import();
        ASSERT_EQ(Current(), c.name) << c.what << ": " << (messages.shown.empty() ? "" : messages.shown[0].text);
        const std::string folder = Packs + "\\" + c.name;
        for (const auto& [suffix, relative] : c.values) {
            std::optional<std::string> expected;
            if (relative) {
                expected = folder + "\\" + *relative;
                for (std::size_t bar = expected->find('|'); bar != std::string::npos; bar = expected->find('|', bar + 1))
                    expected->insert(bar + 1, folder + "\\");
            }
            EXPECT_EQ(At(c.name + suffix), expected) << c.what << " " << suffix;
        }
        EXPECT_EQ(files.Inside(folder).size(), c.files) << c.what;
    }
    // What the last import loaded: A's release sound is in the table for key-up.
    const auto release = keySound.Variants().Paths(65, KeyMotion::Release);
    ASSERT_EQ(release.size(), 1u);
    EXPECT_EQ(release[0], Packs + "\\Newer\\65-up.wav");
    EXPECT_EQ(Written(Packs + "\\Newer", 65), Tone(1, 10));
    EXPECT_EQ(ReadWav(files.files.at(Packs + "\\Newer\\65-up.wav"))->samples, Tone(2, 10));
}

TEST_F(PackImportTest, WhatThePackDefinesBeyondOurKeysIsToldInOneSentence)
{
    files.Add(PackFolder + "\\a.wav", WavFileBytes(1000, 1, Tone(1, 5)));
    files.Add(Config, R"({"name": "Many", "key_define_type": "multi", "defines": {"30": "a.wav",
        "71": "a.wav", "72": "", "73": null, "-1": "a.wav", "-2": "a.wav", "48": ""}})");
    Import();
    EXPECT_EQ(Current(), "Many");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].style, MessageOkOnly | MessageInformation);
    EXPECT_EQ(messages.shown[0].text,
              "The pack's 3 keys that have no button here (on the numeric keypad and the like), 2 mouse buttons and "
              "1 key without a sound file were left out.");
}

// Nothing is written when the files would pass the bound: twenty long slices
// of one minute of stereo, each its own file, would take over 200 MB.
TEST_F(PackImportTest, APackThatWouldWriteMoreThan200MegabytesIsRefusedBeforeWriting)
{
    files.Add(PackFolder + "\\long.wav", WavFileBytes(48000, 2, std::vector<std::int16_t>(2 * 48000 * 60)));
    std::string defines;
    for (int key = 16; key < 36; ++key)
        defines += (defines.empty() ? "" : ", ") + ("\"" + std::to_string(key) + "\": [" + std::to_string(key) + ", 59000]");
    files.Add(Config, R"({"name": "Long", "key_define_type": "single", "sound": "long.wav", "defines": {)" + defines +
                          "}}");
    const auto before = store.values;
    Import();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The sound pack was not imported. Its sounds would take 217 MB as WAV files, more than the 200 MB "
              "Clavitone writes for one pack. Nothing was written.");
    EXPECT_TRUE(files.Inside(Packs).empty());
    EXPECT_FALSE(files.FolderExists(Packs));
    EXPECT_EQ(store.values, before);

    // The same slice for every key is one file.
    defines.clear();
    for (int key = 16; key < 26; ++key)
        defines += (defines.empty() ? "" : ", ") + ("\"" + std::to_string(key) + "\": [0, 59000]");
    files.Add(Config, R"({"name": "Long", "key_define_type": "single", "sound": "long.wav", "defines": {)" + defines +
                          "}}");
    messages.shown.clear();
    Import();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(files.Inside(Packs + "\\Long").size(), 1u);
}

}  // namespace
}  // namespace clavitone
