#include "schemes/pack_audio.h"

#include <gtest/gtest.h>

#include "sound/wav_writer.h"
#include "tests/fakes/in_process_decoder.h"
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
    std::string Load(const PackConfig& config, std::size_t maxTotalSamples = MaxTotalDecodedSamples)
    {
        const auto loaded = LoadPackSounds(files, decoder, Folder, config, maxTotalSamples);
        return loaded ? std::string() : loaded.Why();
    }
    static PackConfig Multi(std::string file)
    {
        PackConfig config;
        config.keys[30].press = {{std::move(file), std::nullopt}};
        return config;
    }
    static PackSound Whole(std::string file) { return {std::move(file), std::nullopt}; }

    inline static const std::string Folder = "D:\\pack";
    fakes::MemoryFiles files;
    fakes::InProcessDecoder decoder;
};

TEST_F(PackAudioFiles, EachFileIsDecodedOnceAndKeysWithoutButtonsAreSkipped)
{
    files.Add(Folder + "\\a.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{1, 2, 3}));
    files.Add(Folder + "\\up.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{4, 5}));
    PackConfig config;
    config.keys[30].press = {Whole("a.wav")};
    config.keys[30].release = {Whole("up.wav"), Whole("a.wav")};
    config.keys[48].press = {Whole("a.wav")};
    config.keys[71].press = {Whole("missing.wav")};
    config.fallback.press = {Whole("up.wav")};
    config.silent = {1, 72};
    const auto loaded = LoadPackSounds(files, decoder, Folder, config);
    ASSERT_TRUE(loaded) << loaded.Why();
    const PackSounds& sounds = *loaded;
    EXPECT_EQ(sounds.sources.size(), 2u);
    const SoundPiece a{0, 0, 3};
    const SoundPiece up{1, 0, 2};
    EXPECT_EQ(sounds.keys.at(30).press, std::vector<SoundPiece>{a});
    EXPECT_EQ(sounds.keys.at(30).release, (std::vector<SoundPiece>{up, a}));
    EXPECT_EQ(sounds.keys.at(48).press, std::vector<SoundPiece>{a});
    EXPECT_EQ(sounds.fallback.press, std::vector<SoundPiece>{up});
    EXPECT_FALSE(sounds.keys.contains(71)) << "keypad keys are not ours: their files are not even read";
    EXPECT_EQ(sounds.silent, std::set<int>{1}) << "keypad 8 has no button to keep silent";
}

TEST_F(PackAudioFiles, BadFilesAreNamedInTheMessage)
{
    files.Add(Folder + "\\song.mp3", std::string("ID3\x03\x00 rest of an mp3", 20));
    files.Add(Folder + "\\frame.mp3", std::string("\xFF\xFB\x90\x64 mpeg frame", 15));
    files.Add(Folder + "\\notes.txt", "hello");
    files.Add(Folder + "\\broken.ogg", "OggS but nothing after it");
    files.Add(Folder + "\\broken.wav", "RIFF....WAVEjunk");
    files.Add(Folder + "\\huge.wav", std::vector<std::uint8_t>(MaxAudioFileBytes + 1));
    files.Add("D:\\secret.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{1}));
    files.Add(Folder + "\\slow.wav", WavFileBytes(1, 1, std::vector<std::int16_t>{1}));  // 1 Hz
    files.Add(Folder + "\\fast.wav", WavFileBytes(192001, 1, std::vector<std::int16_t>{1}));
    const std::pair<std::string, std::string> cases[] = {
        {"song.mp3", "MP3"},       {"frame.mp3", "MP3"},      {"notes.txt", "format"},
        {"broken.ogg", "damaged"}, {"broken.wav", "damaged"}, {"huge.wav", "100 MB"},
        {"gone.wav", "missing"},   {"..\\secret.wav", "outside"}, {"C:\\Windows\\x.wav", "outside"},
        {"slow.wav", "damaged"},   {"fast.wav", "sample rate"},  // below 1000 Hz the WAV reader refuses it
    };
    for (const auto& [file, words] : cases) {
        const std::string message = Load(Multi(file));
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find(words), std::string::npos) << message;
    }
}

// MP3 goes to the helper's codec, as Ogg goes to its own; what it refuses is damaged.
TEST_F(PackAudioFiles, Mp3FilesGoToTheHelpersCodec)
{
    files.Add(Folder + "\\song.mp3", std::string("ID3\x03\x00 rest of an mp3", 20));
    files.Add(Folder + "\\frame.mp3", std::string("\xFF\xFB\x90\x64 mpeg frame", 15));
    const Mp3Decoder decodes = [](std::span<const std::uint8_t> bytes, std::size_t) -> std::optional<PcmSound> {
        return PcmSound{44100, 2, std::vector<std::int16_t>(bytes.size() * 2)};
    };
    const Mp3Decoder refuses = [](std::span<const std::uint8_t>, std::size_t) -> std::optional<PcmSound> {
        return std::nullopt;
    };
    PackConfig config;
    config.keys[30].press = {Whole("song.mp3"), Whole("frame.mp3")};
    decoder.mp3 = decodes;
    const auto loaded = LoadPackSounds(files, decoder, Folder, config);
    ASSERT_TRUE(loaded) << loaded.Why();
    EXPECT_EQ(loaded->keys.at(30).press,
              (std::vector<SoundPiece>{SoundPiece{0, 0, 40}, SoundPiece{1, 0, 30}}));
    decoder.mp3 = refuses;
    EXPECT_NE(Load(config).find("\"song.mp3\" is damaged"), std::string::npos);
}

TEST_F(PackAudioFiles, ASliceOutsideTheAudioIsRefused)
{
    files.Add(Folder + "\\all.wav", WavFileBytes(1000, 1, std::vector<std::int16_t>(500)));
    PackConfig config;
    config.keys[30].press = {{"all.wav", PackSlice{0, 100}}};
    config.keys[48].release = {{"all.wav", PackSlice{600, 100}}};
    EXPECT_NE(Load(config).find("key number 48"), std::string::npos) << "release slices are checked too";
    config.keys.erase(48);
    config.keys[71].press = {{"all.wav", PackSlice{600, 100}}};
    EXPECT_EQ(Load(config), "") << "a keypad key's slice does not matter";
}

// Whatever the pack declares, Clavitone keeps only what it can play: rates
// of 1000 to 192000 Hz, one or two channels.
TEST_F(PackAudioFiles, DecodedSoundsAreCheckedAndMixedDown)
{
    const struct {
        int rate;
        int channels;
        bool kept;
        int channelsKept;  // when kept
    } cases[] = {
        {1000, 1, true, 1},  {192000, 2, true, 2}, {999, 1, false, 0}, {192001, 2, false, 0},
        {44100, 6, false, 0},  // the WAV reader takes one or two channels (an Ogg's are mixed down)
    };
    for (const auto& c : cases) {
        files.Add(Folder + "\\a.wav", WavFileBytes(c.rate, c.channels,
                                                   std::vector<std::int16_t>(static_cast<std::size_t>(c.channels) * 4, 60)));
        const auto loaded = LoadPackSounds(files, decoder, Folder, Multi("a.wav"));
        ASSERT_EQ(static_cast<bool>(loaded), c.kept) << c.rate << " Hz, " << c.channels;
        if (c.kept) {
            const PcmSound& sound = loaded->sources.at(0);
            EXPECT_EQ(sound.channels, c.channelsKept);
            EXPECT_EQ(sound.samples, std::vector<std::int16_t>(static_cast<std::size_t>(c.channelsKept) * 4, 60));
        }
    }
}

// Windows opens "CLICK.wav" and "sub/click.WAV" as the file "click.wav":
// decoded once, however the pack spells it, so spellings cannot multiply
// what one file decodes to; and all files together stay within a bound.
TEST_F(PackAudioFiles, SpellingsOfOneFileAreDecodedOnceAndTheTotalIsBounded)
{
    files.Add(Folder + "\\sub\\Click.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>(100, 5)));
    files.Add(Folder + "\\other.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>(100, 6)));
    PackConfig config;
    config.keys[30].press = {Whole("sub\\Click.wav")};
    config.keys[48].press = {Whole("SUB/click.WAV")};
    config.keys[46].release = {Whole("sub\\CLICK.wav")};
    config.keys[32].press = {Whole("other.wav")};
    EXPECT_EQ(Load(config, 200), "");
    EXPECT_EQ(decoder.decodes, 2);
    EXPECT_NE(Load(config, 199).find("more audio than Clavitone imports"), std::string::npos);
}

// Pack files go by their UTF-8 names, and a decoder that stops (crashed,
// hung, over a limit) fails the import with a message of its own.
TEST_F(PackAudioFiles, NamesStayUtf8AndAStoppedDecoderIsTold)
{
    files.Add(Folder + "\\cl\xC3\xA9.wav", WavFileBytes(8000, 1, std::vector<std::int16_t>{1}));
    EXPECT_EQ(Load(Multi("cl\xC3\xA9.wav")), "");
    decoder.stops = true;
    EXPECT_EQ(Load(Multi("cl\xC3\xA9.wav")),
              "Clavitone's decoder stopped while reading the sound file \"cl\xC3\xA9.wav\": the file is damaged or "
              "too demanding to decode.");
}

}  // namespace
}  // namespace clavitone
