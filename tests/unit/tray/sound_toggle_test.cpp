#include "tray/sound_toggle.h"

#include <gtest/gtest.h>

#include "tests/unit/tray_fixture.h"

namespace clavitone {
namespace {

class SoundToggleTest : public TrayTest {
protected:
    SoundToggleTest()
    {
        SetLanguage("Progoff", "Clavitone: sounds off");
        SetLanguage("Progon", "Clavitone: sounds on");
        Start();
    }

    // The journal from here on, and the sound flag as the first control
    // change saw it.
    void WatchFlagAtFirstChange()
    {
        journal.clear();
        form.changed = [this](const Control& control) {
            if (journal.empty())
                flagAtFirstChange = pref.SoundEnabled();
            journal.push_back({Describe(control), std::nullopt, 0, {}});
        };
    }

    std::optional<bool> flagAtFirstChange;
};

TEST_F(SoundToggleTest, SwitchingOffGoesStepByStep)
{
    WatchFlagAtFirstChange();
    pref.ToggleSound();

    EXPECT_EQ(flagAtFirstChange, false) << "the flag falls first";
    EXPECT_EQ(Sequence(), (Names{"mnuPopUp(1) ticked", "DeleteHook", "picOptions(0) disabled", "Frame(0) disabled",
                                 "Command(1) disabled", "Command(2) disabled", "Shell_NotifyIconA"}));
    EXPECT_EQ(CallsOf("DeleteHook")[0].number, FormHandle);

    const fakes::Call icon = CallsOf("Shell_NotifyIconA")[0];
    EXPECT_EQ(icon.number, TrayIconModify);
    EXPECT_EQ(icon.record.hIcon, SoundsOffPicture);
    EXPECT_EQ(Tip(icon.record), "Clavitone: sounds off");
    // The rest of the record is as start-up left it.
    EXPECT_EQ(icon.record.cbSize, 88u);
    EXPECT_EQ(icon.record.hWnd, HookBoxHandle);
    EXPECT_EQ(icon.record.uID, 1u);
    EXPECT_EQ(icon.record.uFlags, 7u);
    EXPECT_EQ(icon.record.uCallbackMessage, 512u);
}

TEST_F(SoundToggleTest, SwitchingOnGoesStepByStepAndInstallsTheHookLast)
{
    pref.ToggleSound();
    WatchFlagAtFirstChange();
    pref.ToggleSound();

    EXPECT_EQ(flagAtFirstChange, true) << "the flag rises first";
    EXPECT_EQ(Sequence(), (Names{"Frame(0) enabled", "Command(1) enabled", "Command(2) disabled", "mnuPopUp(1) unticked",
                                 "picOptions(0) enabled", "Shell_NotifyIconA", "InitHook"}))
        << "the current scheme is Typewriter, which cannot be deleted";
    EXPECT_EQ(CallsOf("InitHook")[0].number, FormHandle);
    const fakes::Call icon = CallsOf("Shell_NotifyIconA")[0];
    EXPECT_EQ(icon.number, TrayIconModify);
    EXPECT_EQ(icon.record.hIcon, SoundsOnPicture);
    EXPECT_EQ(Tip(icon.record), "Clavitone: sounds on") << "not back to the start-up tip";
}

TEST_F(SoundToggleTest, ModelFollowsTheStateBothWays)
{
    const auto state = [this] {
        return std::vector<bool>{form(PrefControl::mnuPopUp, 1).checked, form(PrefControl::picOptions, 0).enabled,
                                 form(PrefControl::Frame, 0).enabled,    form(PrefControl::Command, 1).enabled,
                                 form(PrefControl::Command, 2).enabled,  form(PrefControl::Command, 0).enabled,
                                 form(PrefControl::chkLaunch).enabled};
    };
    pref.ToggleSound();
    EXPECT_EQ(state(), (std::vector<bool>{true, false, false, false, false, true, true}))
        << "Minimize and the start-up box stay usable while muted";
    pref.ToggleSound();
    EXPECT_EQ(state(), (std::vector<bool>{false, true, true, true, false, true, true})) << "Typewriter is current";
}

TEST_F(SoundToggleTest, SwitchingOnAppliesTheSchemeListsRuleToDeleteScheme)
{
    struct Case {
        std::string current;
        int position;
        bool enabled;
    };
    for (const auto& [current, position, enabled] : {Case{"Typewriter", 0, false}, Case{"Voice", 0, false},
                                                     Case{"typewriter", 0, true}, Case{"Mine", 0, true},
                                                     Case{"", -1, false}}) {
        Control& list = form(PrefControl::Combo, 0);
        list.items = position < 0 ? std::vector<std::string>{} : std::vector<std::string>{current};
        list.listIndex = position;
        list.text = current;
        pref.ToggleSound();
        pref.ToggleSound();
        EXPECT_EQ(form(PrefControl::Command, 2).enabled, enabled) << '"' << current << "\" at " << position;
    }
}

TEST_F(SoundToggleTest, KeysAreSilentWhileMutedAndSoundAgainAfterwards)
{
    pref.ToggleSound();
    journal.clear();
    pref.Form_KeyDown(65, 0);
    pref.Form_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(CallsOf("sndPlaySoundA").empty());
    pref.ToggleSound();
    pref.Form_KeyDown(65, 0);
    ASSERT_EQ(CallsOf("sndPlaySoundA").size(), 1u);
    EXPECT_EQ(CallsOf("sndPlaySoundA")[0].text, keySound[65]);
}

TEST_F(SoundToggleTest, TipsAreReadAfreshAtEveryToggle)
{
    const int writesBefore = store.writes;
    pref.ToggleSound();
    SetLanguage("Progon", "back on");
    pref.ToggleSound();
    store.values.erase({"Clavitone", "Language", "Progoff"});
    pref.ToggleSound();

    const auto icons = CallsOf("Shell_NotifyIconA");
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(Tip(icons[0].record), "Clavitone: sounds off");
    EXPECT_EQ(Tip(icons[1].record), "back on");
    EXPECT_EQ(Tip(icons[2].record), "") << "a missing text gives an empty tip";
    EXPECT_EQ(icons[2].record.szTip[1], ' ');
    EXPECT_EQ(store.writes, writesBefore) << "the tips are only read";
}

TEST_F(SoundToggleTest, AnOverlongTipIsCutInsideItsField)
{
    SetLanguage("Progoff", std::string(100, 'z'));
    pref.ToggleSound();
    const NotifyIconRecord& record = CallsOf("Shell_NotifyIconA")[0].record;
    EXPECT_EQ(Tip(record), std::string(63, 'z'));
    EXPECT_EQ(record.szTip[63], '\0');
}

}  // namespace
}  // namespace clavitone
