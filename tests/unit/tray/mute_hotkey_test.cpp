#include "tray/mute_hotkey.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_options_platform.h"
#include "tests/fakes/memory_store.h"
#include "tests/unit/tray_fixture.h"

namespace clavitone {
namespace {

constexpr int CtrlAltM = (HotkeyControl | HotkeyAlt) << 8 | 'M';
constexpr int ShiftF9 = HotkeyShift << 8 | 120;

TEST(MuteHotkeyTest, DecodesTheHotkeyControlsValueOrNone)
{
    const std::pair<int, std::optional<HotkeyCombination>> cases[] = {
        {CtrlAltM, HotkeyCombination{ModControl | ModAlt | ModNoRepeat, 'M'}},
        {ShiftF9, HotkeyCombination{ModShift | ModNoRepeat, 120}},
        {120, HotkeyCombination{ModNoRepeat, 120}},  // a key alone is a hotkey
        {(HotkeyExtended | HotkeyControl) << 8 | 36, HotkeyCombination{ModControl | ModNoRepeat, 36}},
        {0, std::nullopt},
        {HotkeyControl << 8, std::nullopt},           // no key
        {HotkeyControl << 8 | 16, std::nullopt},      // a modifier alone
        {HotkeyAlt << 8 | 162, std::nullopt},         // left Ctrl alone
        {HotkeyShift << 8 | 91, std::nullopt},        // a Windows key alone
        {0x10 << 8 | 'M', std::nullopt},              // flags no hotkey control sets
        {-5, std::nullopt},
        {0x10000 | 'M', std::nullopt},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(DecodeHotkey(value), expected) << value;
}

TEST(MuteHotkeyTest, ReadsOnlyAStoredHotkeyAndSavesNoneForAnythingElse)
{
    const std::pair<std::optional<std::string>, int> cases[] = {
        {std::nullopt, NoHotkey}, {std::to_string(CtrlAltM), CtrlAltM}, {"0", NoHotkey},
        {"1570x", NoHotkey},      {" 1613", NoHotkey},                  {"16", NoHotkey},
        {"99999999", NoHotkey},   {"", NoHotkey},
    };
    for (const auto& [stored, expected] : cases) {
        fakes::MemoryStore store;
        if (stored)
            store.values[{"Clavitone", "Settings", "MuteHotkey"}] = *stored;
        EXPECT_EQ(ReadMuteHotkey(store), expected) << stored.value_or("(absent)");
    }
    fakes::MemoryStore store;
    SaveMuteHotkey(store, ShiftF9);
    EXPECT_EQ(store.At("Settings", "MuteHotkey"), std::to_string(ShiftF9));
    SaveMuteHotkey(store, HotkeyControl << 8 | 17);
    EXPECT_EQ(store.At("Settings", "MuteHotkey"), "0");
}

TEST(MuteHotkeyTest, TakingAHotkeyHeldElsewhereLeavesNoneRegistered)
{
    fakes::RecordingHotkeys registrar;
    fakes::MemoryStore store;
    const WindowHandle window = 0x1000;
    MuteHotkey hotkey(registrar, store, window);

    EXPECT_TRUE(hotkey.Take(CtrlAltM));
    EXPECT_EQ(registrar.held.at({window, MuteHotkey::HotkeyId}),
              std::pair(ModControl | ModAlt | ModNoRepeat, unsigned{'M'}));
    EXPECT_TRUE(hotkey.Take(CtrlAltM)) << "the one already held";
    EXPECT_EQ(registrar.calls.size(), 1u);

    registrar.heldElsewhere.insert({ModShift | ModNoRepeat, 120});
    EXPECT_FALSE(hotkey.Take(ShiftF9));
    EXPECT_EQ(hotkey.Registered(), NoHotkey);
    EXPECT_TRUE(registrar.held.empty());

    EXPECT_TRUE(hotkey.Take(NoHotkey));
    hotkey.Unregister();
    EXPECT_EQ(registrar.calls.back(), "Register 16388 120") << "nothing held: nothing to let go";
}

class MuteHotkeyPrefTest : public TrayTest {};

// Start-up registers the stored hotkey for frmPref's window; pressing it is
// the tray icon's left click; every way out lets it go.
TEST_F(MuteHotkeyPrefTest, TheStoredHotkeyTogglesAsTheTrayClickAndGoesAtUnload)
{
    Store("MuteHotkey", std::to_string(CtrlAltM));
    Start();
    ASSERT_TRUE(hotkeys.held.count({FormHandle, MuteHotkey::HotkeyId}));

    pref.HotkeyPressed(MuteHotkey::HotkeyId);
    EXPECT_FALSE(pref.SoundEnabled());
    EXPECT_TRUE(form(PrefControl::mnuPopUp, 1).checked);
    EXPECT_EQ(pref.TrayIcon().hIcon, SoundsOffPicture);
    pref.HotkeyPressed(MuteHotkey::HotkeyId + 1);
    EXPECT_FALSE(pref.SoundEnabled()) << "another hotkey id is not the mute hotkey";
    pref.HotkeyPressed(MuteHotkey::HotkeyId);
    EXPECT_TRUE(pref.SoundEnabled());
    EXPECT_EQ(pref.TrayIcon().hIcon, SoundsOnPicture);

    pref.Form_Unload();
    EXPECT_TRUE(hotkeys.held.empty());
}

TEST_F(MuteHotkeyPrefTest, AHotkeyHeldElsewhereAtStartUpIsLeftOutSilently)
{
    Store("MuteHotkey", std::to_string(CtrlAltM));
    hotkeys.heldElsewhere.insert({ModControl | ModAlt | ModNoRepeat, 'M'});
    Start();
    EXPECT_TRUE(hotkeys.held.empty());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace clavitone
