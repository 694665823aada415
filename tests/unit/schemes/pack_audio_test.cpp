#include "schemes/pack_audio.h"

#include <gtest/gtest.h>

#include "sound/wav_writer.h"
#include "tests/fakes/memory_files.h"

namespace clavitone {
namespace {

TEST(PackAudio, SlicesAreCutToWholeFramesAndEndAtTheAudiosEnd)
{
    PcmSound stereo{1000, 2, std::vector<std::int16_t>(2 * 1000)};  // one second at 1000 frames a second
    struct Case {
        PackSlice slice;
        std::optional<SoundPiece> piece;
    };
    const Case cases[] = {
        {{0, 10}, SoundPiece{3, 0, 20}},
        {{990, 10}, SoundPiece{3, 1980, 20}},
        {{990, 50}, SoundPiece{3, 1980, 20}},   // overrunning the end: cut there
        {{10.4, 5.6}, SoundPiece{3, 20, 12}},   // rounded to frames, never half a frame
        {{999, 1}, SoundPiece{3, 1998, 2}},
        {{1000, 10}, std::nullopt},             // starts at the end
        {{5000, 10}, std::nullopt},
        {{10, 0.2}, std::nullopt},              // shorter than a frame
    };
    for (const Case& test : cases)
        EXPECT_EQ(CutSlice(stereo, 3, test.slice), test.piece) << test.slice.startMs << " " << test.slice.durationMs;
}

class PackAudioFiles : public ::testing::Test {
protected:
    std::string Load(const PackConfig& config)
    {
        const auto loaded = LoadPackSounds(files, Folder, config);
        return std::holds_alternative<PackError>(loaded) ? std::get<PackError>(loaded).message : std::string();
    }
    static PackConfig Multi(std::string file)
    {
        PackConfig config;
        config.files = {{30, std::move(file)}};
        return config;
    }

    inline static const std::string Folder = "D:\\pack";
    fakes::MemoryFiles files;
};

TEST_F(PackAudioFiles, EachFileIsDecodedOnceAndKeysWithoutButtonsAreSkipped)
{
    files.Add(Folder + "\\a.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{1, 2, 3}));
    PackConfig config;
    config.files = {{30, "a.wav"}, {48, "a.wav"}, {71, "missing.wav"}};
    config.silent = {1, 72};
    const auto loaded = LoadPackSounds(files, Folder, config);
    ASSERT_TRUE(std::holds_alternative<PackSounds>(loaded)) << std::get<PackError>(loaded).message;
    const PackSounds& sounds = std::get<PackSounds>(loaded);
    EXPECT_EQ(sounds.sources.size(), 1u);
    EXPECT_EQ(sounds.pieces.at(30), (SoundPiece{0, 0, 3}));
    EXPECT_EQ(sounds.pieces.at(48), (SoundPiece{0, 0, 3}));
    EXPECT_FALSE(sounds.pieces.contains(71)) << "keypad keys are not ours: their files are not even read";
    EXPECT_EQ(sounds.silent, std::set<int>{1}) << "keypad 8 has no button to keep silent";
}

TEST_F(PackAudioFiles, BadFilesAreNamedInTheMessage)
{
    files.Add(Folder + "\\song.mp3", std::string("ID3\x03\x00 rest of an mp3", 20));
    files.Add(Folder + "\\frame.mp3", std::string("\xFF\xFB\x90\x64 mpeg frame", 15));
    files.Add(Folder + "\\notes.txt", "hello");
    files.Add(Folder + "\\broken.ogg", "OggS but nothing after it");
    files.Add(Folder + "\\broken.wav", "RIFF....WAVEjunk");
    files.Add(Folder + "\\slow.wav", WavFileBytes(1, 1, std::vector<std::int16_t>(89479)));
    files.Add(Folder + "\\huge.wav", std::vector<std::uint8_t>(MaxAudioFileBytes + 1));
    files.Add("D:\\secret.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{1}));
    const std::pair<std::string, std::string> cases[] = {
        {"song.mp3", "MP3"},       {"frame.mp3", "MP3"},      {"notes.txt", "format"},
        {"broken.ogg", "damaged"}, {"broken.wav", "damaged"}, {"huge.wav", "100 MB"},
        {"slow.wav", "damaged"},   {"gone.wav", "missing"},   {"..\\secret.wav", "outside"}, {"C:\\Windows\\x.wav", "outside"},
    };
    for (const auto& [file, words] : cases) {
        const std::string message = Load(Multi(file));
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find(words), std::string::npos) << message;
    }
}

TEST_F(PackAudioFiles, ASliceOutsideTheAudioIsRefused)
{
    files.Add(Folder + "\\all.wav", WavFileBytes(1000, 1, std::vector<std::int16_t>(500)));
    PackConfig config;
    config.singleFile = true;
    config.sound = "all.wav";
    config.slices = {{30, {0, 100}}, {48, {600, 100}}};
    EXPECT_NE(Load(config).find("key 48"), std::string::npos);
    config.slices = {{30, {0, 100}}, {71, {600, 100}}};
    EXPECT_EQ(Load(config), "") << "a keypad key's slice does not matter";
}

}  // namespace
}  // namespace clavitone
