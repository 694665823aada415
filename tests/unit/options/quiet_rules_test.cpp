#include "options/quiet_rules.h"

#include <gtest/gtest.h>

#include "sound/key_playback.h"
#include "tests/fakes/fake_options_platform.h"
#include "tests/fakes/recording_platform.h"

namespace clavitone {
namespace {

constexpr WindowHandle Notepad = 0x100;
constexpr WindowHandle NotepadEdit = 0x101;
constexpr WindowHandle Game = 0x200;
constexpr WindowHandle LoginBox = 0x301;
constexpr WindowHandle Login = 0x300;
constexpr WindowHandle Browser = 0x400;
constexpr ProcessId NotepadProcess = 11;
constexpr ProcessId GameProcess = 22;
constexpr ProcessId LoginProcess = 33;
constexpr ProcessId BrowserProcess = 44;

class QuietRulesTest : public ::testing::Test {
protected:
    QuietRulesTest()
    {
        keySound.Set(65, "C:\\snd\\65.wav");
        keySound.Set(16, "C:\\snd\\16.wav");
        playback.SoundEnabled = true;
        playback.SetQuietGate(&rules);
        desktop.Front(Game, GameProcess, "C:\\Games\\Game.EXE");
        desktop.Front(Login, LoginProcess, "C:\\Tools\\login.exe", LoginBox);
        desktop.passwordEdits.insert(LoginBox);
        desktop.Front(Browser, BrowserProcess, "C:\\Web\\browser.exe");
        desktop.Front(Notepad, NotepadProcess, "C:\\Windows\\notepad.exe", NotepadEdit);
    }

    bool Sounds(int code = 65)
    {
        journal.clear();
        playback.Form_KeyDown(code, 0);
        playback.Form_KeyUp(code, 0);
        return !journal.empty();
    }

    QuietListener& Listener() { return *desktop.listener; }

    fakes::FakeDesktop desktop;
    QuietRules rules{desktop};
    fakes::Journal journal;
    fakes::RecordingSound sound{journal};
    KeySoundTable keySound;
    KeyPlayback playback{keySound, sound};
};

// Does a key sound now: muted, a listed program in front, a password field
// focused (an Edit, or a UI Automation element), and their combinations.
TEST_F(QuietRulesTest, AKeySoundsOnlyWhenNoRuleHoldsItBack)
{
    struct Case {
        const char* what;
        bool muted;
        QuietSettings settings;
        WindowHandle front;
        ProcessId automationPassword;
        bool sounds;
    };
    const Case cases[] = {
        {"nothing set, an ordinary program", false, {}, Notepad, 0, true},
        {"muted", true, {}, Notepad, 0, false},
        {"listed program in front, any case", false, {{"game.exe"}, false}, Game, 0, false},
        {"a listed program in the background", false, {{"game.exe"}, false}, Notepad, 0, true},
        {"password Edit focused", false, {{}, true}, Login, 0, false},
        {"password Edit, rule off", false, {{}, false}, Login, 0, true},
        {"automation password in the program in front", false, {{}, true}, Browser, BrowserProcess, false},
        {"automation password, rule off", false, {{}, false}, Browser, BrowserProcess, true},
        {"automation password left in a program behind", false, {{}, true}, Notepad, BrowserProcess, true},
        {"muted and a listed program", true, {{"game.exe"}, true}, Game, 0, false},
        {"listed and a password", false, {{"login.exe"}, true}, Login, 0, false},
        {"listed elsewhere, normal Edit focused", false, {{"game.exe", "login.exe"}, true}, Notepad, 0, true},
    };
    for (const Case& c : cases) {
        rules.Apply(c.settings);
        playback.SoundEnabled = !c.muted;
        desktop.foreground = c.front;
        if (desktop.listener)
            Listener().AutomationFocusChanged(c.automationPassword);
        EXPECT_EQ(Sounds(), c.sounds) << c.what;
    }
}

TEST_F(QuietRulesTest, SoundsComeBackAsSoonAsTheListedProgramLeavesTheFront)
{
    rules.Apply({{"game.exe"}, false});
    desktop.foreground = Game;
    EXPECT_FALSE(Sounds());
    desktop.foreground = Notepad;
    EXPECT_TRUE(Sounds());
    desktop.foreground = Game;
    EXPECT_FALSE(Sounds());
    desktop.foreground = 0;
    EXPECT_TRUE(Sounds()) << "no window in front";
}

// Without events from other programs (Wine reports only the program's own),
// each key compares the foreground window and its focus with the last ones
// seen; the name is looked up once per change.
TEST_F(QuietRulesTest, WithoutEventsAKeyNoticesAChangeAndLooksTheNameUpOnce)
{
    rules.Apply({{"game.exe"}, true});
    Listener().ForegroundChanged(false);
    Listener().FocusChanged(false);
    const int lookupsAtApply = desktop.nameLookups;
    desktop.foreground = Game;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(Sounds());
    desktop.foreground = Login;
    EXPECT_FALSE(Sounds()) << "the password Edit focused in the new foreground window";
    desktop.focus[Login] = 0;
    EXPECT_TRUE(Sounds()) << "the focus left the password Edit";
    desktop.foreground = Notepad;
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Sounds());
    EXPECT_EQ(desktop.nameLookups - lookupsAtApply, 3);
}

// Wine reports the focus moving in other programs but not the foreground:
// a focus event may come before the key that notices the new window.
TEST_F(QuietRulesTest, AFocusEventBeforeTheNewForegroundIsNoticedStillCounts)
{
    rules.Apply({{}, true});
    desktop.foreground = Login;
    Listener().FocusChanged(true);
    EXPECT_FALSE(Sounds());
    desktop.foreground = Notepad;
    EXPECT_TRUE(Sounds()) << "the key notices the new window and looks at its focus";
}

// Once the event hook has reported a change, keys trust it: they ask
// Windows nothing and test the flags the events set.
TEST_F(QuietRulesTest, OnceTheEventHookReportsChangesAKeyOnlyTestsFlags)
{
    rules.Apply({{"game.exe"}, true});
    desktop.foreground = Game;
    Listener().ForegroundChanged(true);
    Listener().FocusChanged(true);
    const int asked = desktop.foregroundCalls;
    EXPECT_FALSE(Sounds());
    desktop.foreground = Login;
    Listener().ForegroundChanged(true);
    EXPECT_FALSE(Sounds());
    desktop.focus[Login] = 0;
    Listener().FocusChanged(true);
    EXPECT_TRUE(Sounds());
    desktop.foreground = Notepad;
    Listener().ForegroundChanged(true);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Sounds());
    EXPECT_EQ(desktop.foregroundCalls - asked, 3) << "only the events asked";
}

TEST_F(QuietRulesTest, AProgramWhoseNameCannotBeReadCountsAsNotListed)
{
    rules.Apply({{"game.exe"}, false});
    desktop.processPath.erase(GameProcess);
    desktop.foreground = Game;
    EXPECT_TRUE(Sounds());
}

TEST_F(QuietRulesTest, AQuietKeyLeavesTheHeldKeyStateAsItWas)
{
    rules.Apply({{"game.exe"}, false});
    desktop.foreground = Game;
    playback.Form_KeyDown(16, 0);
    EXPECT_EQ(playback.KeyHeld, VbFalse);
    desktop.foreground = Notepad;
    journal.clear();
    playback.Form_KeyDown(16, 0);
    EXPECT_EQ(journal.size(), 1u) << "Shift sounds once it is no longer quiet";
}

// Nothing to watch, nothing asked of Windows: a key costs what it did before.
TEST_F(QuietRulesTest, WithBothRulesOffNothingIsWatchedOrAsked)
{
    rules.Apply({{}, false});
    EXPECT_EQ(desktop.listener, nullptr);
    desktop.foreground = Login;
    EXPECT_TRUE(Sounds());
    EXPECT_EQ(desktop.foregroundCalls, 0);

    rules.Apply({{"game.exe"}, false});
    EXPECT_NE(desktop.listener, nullptr);
    EXPECT_FALSE(desktop.watchesPasswords) << "UI Automation is watched for the password rule only";
    rules.Apply({{}, true});
    EXPECT_TRUE(desktop.watchesPasswords);
    rules.Stop();
    EXPECT_EQ(desktop.listener, nullptr);
}

}  // namespace
}  // namespace clavitone
