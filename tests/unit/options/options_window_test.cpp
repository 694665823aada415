#include "options/options_window.h"

#include <gtest/gtest.h>

#include "tests/unit/pref_fixture.h"

namespace clavitone {
namespace {

constexpr int CtrlAltM = (HotkeyControl | HotkeyAlt) << 8 | 'M';
constexpr int CtrlAltQ = (HotkeyControl | HotkeyAlt) << 8 | 'Q';
constexpr int OptionsButton = 3;

class OptionsTest : public PrefFixture {
protected:
    OptionsTest()
    {
        desktop.Front(0x100, 7, "C:\\Games\\game.exe");
        keySound.Set(65, "C:\\snd\\65.wav");
    }

    // Opens the Options window from frmPref; the user then does what the
    // interaction says.
    void Open(std::function<void(FormModel&)> interaction)
    {
        windows.interactions.push_back(std::move(interaction));
        pref.Command_Click(OptionsButton);
    }

    static void Click(FormModel& f, OptionsControl id, int index = NoIndex) { f.Click(f(id, index)); }

    std::map<std::string, std::string> OptionSettings() const
    {
        std::map<std::string, std::string> found;
        for (const char* key : {"SoundEngine", "Volume", "StereoKeys", "MuteHotkey", "QuietPrograms",
                                "QuietInPasswords"})
            if (auto value = Setting(key))
                found[key] = *value;
        return found;
    }

    bool KeySounds()
    {
        journal.clear();
        pref.Form_KeyDown(65, 0);
        pref.Form_KeyUp(65, 0);
        return !journal.empty();
    }
};

TEST_F(OptionsTest, OpensWithTheStoredValuesAndTheDefaultsForTheRest)
{
    Store("SoundEngine", "1");
    Store("Volume", "35");
    Store("MuteHotkey", std::to_string(CtrlAltM));
    Store("QuietPrograms", "game.exe|zoom.exe");
    pref.Form_Load();
    Open([&](FormModel& f) {
        EXPECT_EQ(f.caption, "Clavitone Options");
        EXPECT_EQ(f(OptionsControl::EngineStatus).caption, "Playing through Windows audio, 48000 Hz, 10 ms");
        EXPECT_EQ(f(OptionsControl::Engine, 1).value, 1);
        EXPECT_EQ(f(OptionsControl::Engine, 0).value, 0);
        EXPECT_EQ(f(OptionsControl::Volume).value, 35);
        EXPECT_EQ(f(OptionsControl::VolumeValue).caption, "35%");
        EXPECT_TRUE(f(OptionsControl::Volume).enabled);
        f.SetValue(f(OptionsControl::Volume), 80);
        Click(f, OptionsControl::Volume);
        EXPECT_EQ(f(OptionsControl::VolumeValue).caption, "80%") << "the value follows the slider";
        EXPECT_EQ(f(OptionsControl::Stereo).value, 0);
        EXPECT_EQ(f(OptionsControl::MuteHotkey).value, CtrlAltM);
        EXPECT_EQ(f(OptionsControl::Passwords).value, 1) << "password fields are quiet by default";
        EXPECT_EQ(f(OptionsControl::Programs).items, (std::vector<std::string>{"game.exe", "zoom.exe"}));
        EXPECT_FALSE(f(OptionsControl::Remove).enabled) << "nothing selected";
        EXPECT_TRUE(hotkeys.held.empty()) << "the combination must reach the hotkey box";
        Click(f, OptionsControl::Cancel);
    });
    EXPECT_EQ(windows.modalOwners.back(), FormHandle);
    EXPECT_FALSE(hotkeys.held.empty()) << "Cancel gives the hotkey back";
}

// Cancel, Escape (the dialog's escape button) and the close box change nothing.
TEST_F(OptionsTest, CancelEscapeAndTheCloseBoxStoreNothing)
{
    pref.Form_Load();
    const auto before = store.values;
    for (int way = 0; way < 3; ++way) {
        Open([way](FormModel& f) {
            EXPECT_EQ(f(OptionsControl::EngineStatus).caption, "Playing one sound at a time through Windows");
            f.SetValue(f(OptionsControl::Engine, 1), 1);
            f.SetValue(f(OptionsControl::MuteHotkey), CtrlAltM);
            f.AddItem(f(OptionsControl::Programs), "game.exe");
            if (way == 0)
                Click(f, OptionsControl::Cancel);
            else if (way == 1)
                f.Click(*f.FindNamed(f.escapeButton));
            else
                f.closeRequested();
        });
        EXPECT_EQ(store.values, before) << "way " << way;
        EXPECT_TRUE(hotkeys.held.empty());
    }
    EXPECT_EQ(windows.stillShown, 0);
}

TEST_F(OptionsTest, OkStoresEveryValueAsTextAndAppliesItAtOnce)
{
    pref.Form_Load();
    ASSERT_TRUE(KeySounds());
    ASSERT_EQ(pref.Engine().State(), EngineState::Classic);
    Open([](FormModel& f) {
        f.SetValue(f(OptionsControl::Engine, 1), 1);
        Click(f, OptionsControl::Engine, 1);
        f.SetValue(f(OptionsControl::Volume), 60);
        f.SetValue(f(OptionsControl::Stereo), 1);
        f.SetValue(f(OptionsControl::MuteHotkey), CtrlAltQ);
        f.SetValue(f(OptionsControl::Passwords), 0);
        f.AddItem(f(OptionsControl::Programs), "game.exe");
        f.Click(*f.FindNamed(f.enterButton));
    });
    EXPECT_EQ(OptionSettings(), (std::map<std::string, std::string>{{"SoundEngine", "1"},
                                                                    {"Volume", "60"},
                                                                    {"StereoKeys", "1"},
                                                                    {"MuteHotkey", std::to_string(CtrlAltQ)},
                                                                    {"QuietPrograms", "game.exe"},
                                                                    {"QuietInPasswords", "0"}}));
    EXPECT_EQ(hotkeys.held.at({FormHandle, MuteHotkey::HotkeyId}).second, unsigned{'Q'});
    EXPECT_EQ(pref.Engine().State(), EngineState::Wasapi) << "the mixed engine runs without a restart";
    EXPECT_FALSE(KeySounds()) << "the listed program in front is quiet without a restart";
}

// OK with the defaults stores the values that absent settings stand for.
TEST_F(OptionsTest, OkUnchangedStoresTheDefaults)
{
    pref.Form_Load();
    Open([](FormModel& f) { Click(f, OptionsControl::Ok); });
    EXPECT_EQ(OptionSettings(), (std::map<std::string, std::string>{{"SoundEngine", "0"},
                                                                    {"Volume", "100"},
                                                                    {"StereoKeys", "0"},
                                                                    {"MuteHotkey", "0"},
                                                                    {"QuietPrograms", ""},
                                                                    {"QuietInPasswords", "1"}}));
}

// Whether the stored hotkey or a new one is held by another program, every
// other setting is stored, the hotkey too, and the message says it is not active.
TEST_F(OptionsTest, AHotkeyHeldElsewhereIsReportedAndEverythingStored)
{
    for (const int chosen : {CtrlAltM, CtrlAltQ}) {
        SCOPED_TRACE(chosen);
        store.values.clear();
        messages.shown.clear();
        hotkeys.held.clear();
        Store("MuteHotkey", std::to_string(CtrlAltM));
        hotkeys.heldElsewhere = {{ModControl | ModAlt | ModNoRepeat, 'M'}, {ModControl | ModAlt | ModNoRepeat, 'Q'}};
        pref.Form_Load();
        Open([&](FormModel& f) {
            f.SetValue(f(OptionsControl::MuteHotkey), chosen);
            f.SetValue(f(OptionsControl::Passwords), 0);
            Click(f, OptionsControl::Ok);
        });
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find("not active"), std::string::npos) << messages.shown[0].text;
        EXPECT_EQ(messages.shown[0].style, MessageOkOnly | MessageExclamation);
        EXPECT_EQ(Setting("QuietInPasswords"), "0");
        EXPECT_EQ(Setting("MuteHotkey"), std::to_string(chosen));
        EXPECT_TRUE(hotkeys.held.empty());
        EXPECT_EQ(windows.stillShown, 0) << "the window closes";
    }
}

TEST_F(OptionsTest, TheEngineChoiceEnablesVolumeAndStereoOnlyForMixed)
{
    Open([](FormModel& f) {
        EXPECT_EQ(f(OptionsControl::Engine, 0).value, 1);
        for (OptionsControl id : {OptionsControl::VolumeLabel, OptionsControl::Volume, OptionsControl::VolumeValue,
                                  OptionsControl::Stereo})
            EXPECT_FALSE(f(id).enabled) << ControlName(id);
        f.SetValue(f(OptionsControl::Engine, 1), 1);
        EXPECT_EQ(f(OptionsControl::Engine, 0).value, 0) << "choosing one option releases the other";
        Click(f, OptionsControl::Engine, 1);
        for (OptionsControl id : {OptionsControl::VolumeLabel, OptionsControl::Volume, OptionsControl::VolumeValue,
                                  OptionsControl::Stereo})
            EXPECT_TRUE(f(id).enabled) << ControlName(id);
        Click(f, OptionsControl::Cancel);
    });
}

// Add... keeps the file name only, once whatever its case; Remove takes the
// selected entry and selects the one moving into its place.
TEST_F(OptionsTest, AddKeepsFileNamesOnceAndRemoveTakesTheSelectedEntry)
{
    fileDialog.choices = {"C:\\Games\\Game.exe", "D:\\Other\\GAME.EXE", "C:\\Meet\\zoom.exe"};
    optionsForm(OptionsControl::Programs).hWnd = 0x6000;
    focus.gotFocus = nullptr;
    Open([&](FormModel& f) {
        for (int i = 0; i < 3; ++i)
            Click(f, OptionsControl::Add);
        Click(f, OptionsControl::Add);  // cancelled: nothing more
        Control& list = f(OptionsControl::Programs);
        EXPECT_EQ(list.items, (std::vector<std::string>{"Game.exe", "zoom.exe"}));
        f.SetListIndex(list, 0);
        EXPECT_TRUE(f(OptionsControl::Remove).enabled);
        Click(f, OptionsControl::Remove);
        EXPECT_EQ(list.items, std::vector<std::string>{"zoom.exe"});
        EXPECT_EQ(list.listIndex, 0);
        Click(f, OptionsControl::Remove);
        EXPECT_TRUE(list.items.empty());
        EXPECT_FALSE(f(OptionsControl::Remove).enabled);
        EXPECT_EQ(focus.requests.back(), WindowHandle{0x6000}) << "the focus leaves the greyed Remove";
        f.AddItem(list, "kept.exe");
        Click(f, OptionsControl::Ok);
    });
    ASSERT_EQ(fileDialog.requests.size(), 4u);
    const OpenFileRequest& request = fileDialog.requests[0];
    EXPECT_EQ(request.lpstrFilter, std::string("Programs (*.exe)\0*.exe\0\0", 25));
    EXPECT_EQ(request.hwndOwner, fakes::ScriptedWindows::DialogHandle);
    EXPECT_EQ(Setting("QuietPrograms"), "kept.exe");
}

}  // namespace
}  // namespace clavitone
