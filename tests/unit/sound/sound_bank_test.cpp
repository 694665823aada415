#include "sound/sound_bank.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/unit/sound/wav_file.h"

// The largest single allocation while a test watches: shows whether a size
// was checked before the memory was asked for, not after.
namespace allocation_watch {
std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
}  // namespace allocation_watch

void* operator new(std::size_t size)
{
    if (allocation_watch::watching && size > allocation_watch::largest)
        allocation_watch::largest = size;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace clavitone {
namespace {

using testing_wav::TempFolder;
using testing_wav::WriteWav;
using allocation_watch::largest;
using allocation_watch::watching;

class SoundBankTest : public ::testing::Test {
protected:
    SoundBankTest()
    {
        WriteWav(folder.File("click.wav"), 16000, 1, std::vector<std::int16_t>(1600, 1000));
        WriteWav(folder.File("wide.wav"), 48000, 2, std::vector<std::int16_t>(960, -1000));
        std::ofstream(folder.File("broken.wav")) << "RIFF but nothing more";
    }

    TempFolder folder{"bank"};
    KeySoundTable table;
};

TEST_F(SoundBankTest, EachSlotIsSilentMixedOrLeftToTheClassicCall)
{
    table.Set(65, folder.File("click.wav"));
    table.Set(66, folder.File("click.wav"));
    table.Set(67, folder.File("wide.wav"));
    table.Set(68, "");
    table.Set(69, folder.File("broken.wav"));
    table.Set(70, folder.File("missing.wav"));
    const SoundBank bank = BuildSoundBank(table, 48000, nullptr);
    EXPECT_EQ(bank.kinds[64], SlotSound::Silent) << "unset";
    EXPECT_EQ(bank.kinds[68], SlotSound::Silent) << "switched off";
    EXPECT_EQ(bank.kinds[65], SlotSound::Mixed);
    EXPECT_EQ(bank.kinds[67], SlotSound::Mixed);
    EXPECT_EQ(bank.kinds[69], SlotSound::Classic);
    EXPECT_EQ(bank.kinds[70], SlotSound::Classic);
    ASSERT_EQ(bank.sounds[65], bank.sounds[66]) << "one file, held once";
    EXPECT_EQ(bank.sounds[65]->channels, 1) << "kept in the file's own channel count";
    EXPECT_EQ(bank.sounds[65]->Frames(), 4800u) << "0.1 s at the stream's rate";
    EXPECT_EQ(bank.sounds[67]->channels, 2);
    EXPECT_EQ(bank.bytes, 4800u * 2 + 960u * 2);
}

TEST_F(SoundBankTest, SoundsBeyondTheCapTakeTheClassicCall)
{
    table.Set(65, folder.File("click.wav"));
    table.Set(66, folder.File("wide.wav"));
    const SoundBank bank = BuildSoundBank(table, 48000, nullptr, 4800 * 2);
    EXPECT_EQ(bank.kinds[65], SlotSound::Mixed);
    EXPECT_EQ(bank.kinds[66], SlotSound::Classic);
    EXPECT_EQ(bank.bytes, 4800u * 2);
}

TEST_F(SoundBankTest, ASoundWhoseConversionWouldPassTheCapIsRefusedBeforeItIsConverted)
{
    // 8 KB at 1000 Hz would become 384 KB at 48 kHz.
    WriteWav(folder.File("slow.wav"), 1000, 1, std::vector<std::int16_t>(4000, 1000));
    table.Set(65, folder.File("slow.wav"));
    constexpr std::size_t Cap = 100'000;
    largest = 0;
    watching = true;
    const SoundBank bank = BuildSoundBank(table, 48000, nullptr, Cap);
    watching = false;
    EXPECT_EQ(bank.kinds[65], SlotSound::Classic);
    EXPECT_EQ(bank.bytes, 0u);
    EXPECT_LT(largest, Cap) << "converted first and measured afterwards";
}

TEST_F(SoundBankTest, AReloadKeepsSoundsItAlreadyHoldsAtTheSameRate)
{
    table.Set(65, folder.File("click.wav"));
    const SoundBank first = BuildSoundBank(table, 48000, nullptr);
    table.Set(66, folder.File("wide.wav"));
    const SoundBank second = BuildSoundBank(table, 48000, &first);
    EXPECT_EQ(second.sounds[65], first.sounds[65]);
    EXPECT_EQ(second.kinds[66], SlotSound::Mixed);
    const SoundBank other = BuildSoundBank(table, 44100, &second);
    EXPECT_NE(other.sounds[65], second.sounds[65]);
    EXPECT_EQ(other.sounds[65]->Frames(), 4410u);
}

}  // namespace
}  // namespace clavitone
