#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "prefs/key_names.h"
#include "settings/settings_layout.h"
#include "tests/unit/pref_fixture.h"

namespace clavitone {
namespace {

// What the details area shows.
struct Look {
    std::string label;
    bool labelEnabled;
    std::string path;
    bool pathEnabled;
    bool pathLocked;
    SystemColor pathBack;
    bool browseEnabled;

    bool operator==(const Look&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Look& look)
    {
        return out << '"' << look.label << "\" " << look.labelEnabled << " \"" << look.path << "\" "
                   << look.pathEnabled << look.pathLocked << " back " << static_cast<int>(look.pathBack) << " browse "
                   << look.browseEnabled;
    }
};

const Look Idle{"Path to sound", false, "None", false, true, SystemColor::ButtonFace, false};

Look KeyShown(const std::string& name, const std::string& path)
{
    return {"The sound for the button " + name, true, path, true, true, SystemColor::Window, true};
}

Look JustSwitchedOff(const std::string& name)
{
    return {"The sound for the button " + name + " is disabled", false, "None", false, true, SystemColor::ButtonFace,
            false};
}

class KeyDetailsTest : public PrefFixture {
protected:
    Look Shown()
    {
        const Control& label = form(PrefControl::Label, 0);
        const Control& path = form(PrefControl::Text, 0);
        return {label.caption, label.enabled, path.text,          path.enabled,
                path.locked,   path.backColor, form(PrefControl::cmdBrowse, 0).enabled};
    }

    static constexpr const char* APath = "C:\\Sounds\\click.wav";
    static std::string DefaultFile(int code) { return "C:\\Program Files\\Clavitone\\" + std::to_string(code) + ".wav"; }
};

TEST_F(KeyDetailsTest, StartUpEndsIdleWithoutStoringAnything)
{
    pref.Form_Load();
    EXPECT_EQ(Shown(), Idle);
    EXPECT_EQ(pref.KeySelected(), VbFalse);
    EXPECT_EQ(store.writes, 1) << "only the list's switch stores the remembered scheme";
}

TEST_F(KeyDetailsTest, FocusOnASoundingKeyShowsThePathItPlays)
{
    Store("Typewriter_#65", APath);
    pref.chkSound_GotFocus(65);
    EXPECT_EQ(Shown(), KeyShown("A", APath));
    EXPECT_EQ(pref.KeySelected(), VbTrue);
    EXPECT_EQ(pref.SelectedKey(), 65);
    EXPECT_EQ(keySound[65], std::optional<std::string>(APath));
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>(APath));
}

TEST_F(KeyDetailsTest, LookingAtAKeyWithoutAStoredPathKeepsItsDefaultFile)
{
    pref.Form_Load();
    const std::optional<std::string> before = keySound[66];
    pref.chkSound_GotFocus(66);
    EXPECT_EQ(Shown(), KeyShown("B", DefaultFile(66)));
    EXPECT_EQ(keySound[66], before) << "the key plays what it played before it was looked at";
    EXPECT_EQ(Setting("Typewriter_#66"), std::optional<std::string>(DefaultFile(66)));
}

TEST_F(KeyDetailsTest, AStoredNoneOrEmptyPathShowsAndStoresNone)
{
    for (const char* stored : {"", "None"}) {
        Store("Typewriter_#67", stored);
        pref.chkSound_GotFocus(67);
        EXPECT_EQ(PathBox(), "None") << '"' << stored << '"';
        EXPECT_EQ(Setting("Typewriter_#67"), std::optional<std::string>("None"));
        EXPECT_EQ(keySound[67], std::optional<std::string>("None"));
    }
}

TEST_F(KeyDetailsTest, LabelNamesTheKeyByTableOrCaption)
{
    const std::pair<int, const char*> names[] = {
        {35, "End"},         {17, "Ctrl"},    {217, "Control"}, {39, "Right Arrow"}, {45, "Insert"},
        {8, "BackSpace"},    {92, "Windows"}, {19, "Pause Break"}, {65, "A"},        {222, "\""},
        {145, "Scroll Lock"}, {216, "Shift"}, {218, "Alt"},
    };
    for (const auto& [code, name] : names) {
        pref.chkSound_GotFocus(code);
        EXPECT_EQ(pref.SelectedKeyName(), name) << code;
        EXPECT_EQ(form(PrefControl::Label, 0).caption, std::string("The sound for the button ") + name);
    }
    EXPECT_EQ(KeyDisplayName(46, "Del"), "Delete");
    EXPECT_EQ(KeyDisplayName(190, ">"), ">");
}

TEST_F(KeyDetailsTest, FocusOnASilentKeyGoesIdleEmptiesItsSlotAndKeepsTheSelection)
{
    Store("Typewriter_#65", APath);
    pref.chkSound_GotFocus(66);
    const auto storedFor66 = Setting("Typewriter_#66");
    Key(65).value = 1;
    keySound.Set(65, APath);

    pref.chkSound_GotFocus(65);
    EXPECT_EQ(Shown(), Idle);
    EXPECT_EQ(pref.KeySelected(), VbFalse);
    EXPECT_EQ(keySound[65], std::optional<std::string>(""));
    EXPECT_EQ(pref.SelectedKey(), 66);
    EXPECT_EQ(pref.SelectedKeyName(), "B");
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>(APath));
    EXPECT_EQ(Setting("Typewriter_#66"), storedFor66) << "the reset's \"None\" is not stored for B";
}

TEST_F(KeyDetailsTest, LeftClickOnAReleasedKeyShowsItThenSwitchesItOff)
{
    Store("Typewriter_#65", APath);
    LeftClick(65);
    EXPECT_EQ(Setting("Typewriter-EnableSound_#65"), std::optional<std::string>("1"));
    EXPECT_EQ(keySound[65], std::optional<std::string>(""));
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>(APath)) << "switching off never erases the path";
    EXPECT_EQ(Shown(), JustSwitchedOff("A"));
    EXPECT_EQ(pref.KeySelected(), VbTrue);
}

TEST_F(KeyDetailsTest, LeftClickOnAPressedKeySwitchesItBackOnWithItsStoredPath)
{
    Store("Typewriter_#65", APath);
    Key(65).value = 1;
    keySound.Set(65, "");
    LeftClick(65);
    EXPECT_EQ(Setting("Typewriter-EnableSound_#65"), std::optional<std::string>("0"));
    EXPECT_EQ(keySound[65], std::optional<std::string>(APath));
    EXPECT_EQ(Shown(), KeyShown("A", APath));

    LeftClick(65);
    LeftClick(65);
    EXPECT_EQ(keySound[65], std::optional<std::string>(APath)) << "off and on again: the same sound";
}

TEST_F(KeyDetailsTest, RightButtonShowsTheKeyWithoutSwitchingIt)
{
    Store("Typewriter_#65", APath);
    pref.chkSound_MouseDown(65, 2, 0, 10, 10);
    EXPECT_EQ(focus.requests, std::vector<WindowHandle>{KeyHandleBase + 65});
    EXPECT_EQ(Shown(), KeyShown("A", APath));
    EXPECT_EQ(Key(65).value, 0);
    EXPECT_EQ(Setting("Typewriter-EnableSound_#65"), std::nullopt);

    for (int button : {1, 4})
        pref.chkSound_MouseDown(66, button, 0, 10, 10);
    EXPECT_EQ(focus.requests.size(), 1u) << "other buttons do nothing";
}

TEST_F(KeyDetailsTest, FocusElsewhereResetsTheAreaAndLeavesTheShownKeyAlone)
{
    const std::function<void()> elsewhere[] = {
        [this] { pref.Combo_GotFocus(0); },      [this] { pref.Command_GotFocus(1); },
        [this] { pref.Command_GotFocus(0); },    [this] { pref.picOptions_GotFocus(0); },
        [this] { pref.Form_GotFocus(); },        [this] { pref.chkLaunch_GotFocus(); },
    };
    Store("Typewriter_#65", APath);
    for (const auto& focusElsewhere : elsewhere) {
        pref.chkSound_GotFocus(65);
        focusElsewhere();
        EXPECT_EQ(Shown(), Idle);
        EXPECT_EQ(pref.KeySelected(), VbFalse);
        EXPECT_EQ(keySound[65], std::optional<std::string>(APath));
        EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>(APath));
    }
    EXPECT_EQ(Setting("Selected"), std::optional<std::string>("0")) << "written by the start-with-Windows box";
}

TEST_F(KeyDetailsTest, SecondModifierButtonsTakeTheFirstOnesPathUnderTheirOwnCode)
{
    Store("Typewriter_#16", "C:\\Sounds\\shift.wav");
    Store("Typewriter_#216", "C:\\Sounds\\old.wav");
    pref.chkSound_GotFocus(216);
    EXPECT_EQ(Shown(), KeyShown("Shift", "C:\\Sounds\\shift.wav"));
    EXPECT_EQ(Setting("Typewriter_#216"), std::optional<std::string>("C:\\Sounds\\shift.wav"));
    EXPECT_EQ(keySound[216], std::optional<std::string>("C:\\Sounds\\shift.wav"));
    EXPECT_EQ(Setting("Typewriter_#16"), std::optional<std::string>("C:\\Sounds\\shift.wav")) << "16 is only read";

    pref.chkSound_GotFocus(217);
    EXPECT_EQ(PathBox(), DefaultFile(17)) << "nothing stored for Ctrl: its default file";
    EXPECT_EQ(Setting("Typewriter_#217"), std::optional<std::string>(DefaultFile(17)));

    LeftClick(218);
    EXPECT_EQ(Setting("Typewriter-EnableSound_#218"), std::optional<std::string>("1"));
    EXPECT_EQ(Setting("Typewriter-EnableSound_#18"), std::nullopt);
    EXPECT_EQ(keySound[218], std::optional<std::string>(""));
    EXPECT_EQ(Shown(), JustSwitchedOff("Alt"));
}

TEST_F(KeyDetailsTest, KeysAreStoredUnderTheSchemeListedAtThatMoment)
{
    form(PrefControl::Combo, 0).text = "My keys";
    LeftClick(65);
    form(PrefControl::Combo, 0).text = "Voice";
    pref.chkSound_GotFocus(66);
    EXPECT_EQ(Setting("My keys-EnableSound_#65"), std::optional<std::string>("1"));
    EXPECT_EQ(Setting("Voice_#66"), std::optional<std::string>(DefaultFile(66)));
    EXPECT_EQ(Setting("Typewriter_#66"), std::nullopt);
}

// "SchemesQuantity" = "0": no scheme is current, and no key setting may be
// written under an empty name.
TEST_F(KeyDetailsTest, WithNoSchemeTheKeysChangeNothing)
{
    Store("SchemesQuantity", "0");
    store.values.erase({"Clavitone", "Settings", "Scheme0"});
    pref.Form_Load();
    ASSERT_EQ(form(PrefControl::Combo, 0).listIndex, -1);
    const auto before = store.values;
    for (const int code : {65, 66, 216}) {
        SCOPED_TRACE(code);
        const int state = Key(code).value;
        LeftClick(code);
        EXPECT_EQ(Key(code).value, state) << "the button springs back";
        pref.chkSound_GotFocus(code);
        form.SetText(form(PrefControl::Text, 0), APath);
    }
    EXPECT_EQ(store.values, before);
}

// The release row: Text(1) shows and changes what the selected key plays
// when let go. Each case: what the scheme stores, what the user does, and
// what is stored and played afterwards.
TEST_F(KeyDetailsTest, ReleaseBoxShowsAndChangesTheSelectedKeysReleaseSound)
{
    using Values = std::map<std::string, std::string>;
    using Paths = std::vector<std::string>;
    struct Case {
        const char* what;
        Values stored;
        std::function<void()> act;
        std::string shown;         // the release box afterwards
        Values after;              // release values of A afterwards (absent ones left out)
        Paths release;             // what A plays on release
    };
    const std::string up = "C:\\Sounds\\up.wav";
    const std::string other = "C:\\Sounds\\other.wav";
    const Case cases[] = {
        {"none stored: \"None\" and nothing written", {}, [] {}, "None", {}, {}},
        {"a stored one shows and plays",
         {{"Typewriter-ReleaseSound_#65", up}},
         [] {},
         up,
         {{"Typewriter-ReleaseSound_#65", up}},
         {up}},
        {"further sounds take turns with it",
         {{"Typewriter-ReleaseSound_#65", up}, {"Typewriter-MoreReleaseSounds_#65", other + "|None|"}},
         [] {},
         up,
         {{"Typewriter-ReleaseSound_#65", up}, {"Typewriter-MoreReleaseSounds_#65", other + "|None|"}},
         {up, other}},
        {"a file chosen replaces the whole set",
         {{"Typewriter-ReleaseSound_#65", up}, {"Typewriter-MoreReleaseSounds_#65", other}},
         [this, other] {
             fileDialog.choices.push_back(other);
             pref.cmdBrowse_Click(1);
         },
         other,
         {{"Typewriter-ReleaseSound_#65", other}},
         {other}},
        {"a file chosen for a key without one",
         {},
         [this, up] {
             fileDialog.choices.push_back(up);
             pref.cmdBrowse_Click(1);
         },
         up,
         {{"Typewriter-ReleaseSound_#65", up}},
         {up}},
        {"cancel keeps it",
         {{"Typewriter-ReleaseSound_#65", up}},
         [this] { pref.cmdBrowse_Click(1); },
         up,
         {{"Typewriter-ReleaseSound_#65", up}},
         {up}},
    };
    for (const Case& c : cases) {
        store.values.clear();
        for (const auto& [key, value] : c.stored)
            Store(key, value);
        keySound.Set(65, APath);
        keySound.Variants().Clear(65);
        pref.Form_GotFocus();
        const int writes = store.writes;
        pref.chkSound_GotFocus(65);
        EXPECT_EQ(store.writes - writes, 1) << c.what << ": showing stores only the path, as always";
        c.act();
        EXPECT_EQ(form(PrefControl::Text, 1).text, c.shown) << c.what;
        Values after;
        for (const char* key : {"Typewriter-ReleaseSound_#65", "Typewriter-MoreReleaseSounds_#65"})
            if (const auto value = Setting(key))
                after.emplace(key, *value);
        EXPECT_EQ(after, c.after) << c.what;
        const auto release = keySound.Variants().Paths(65, KeyMotion::Release);
        EXPECT_EQ(Paths(release.begin(), release.end()), c.release) << c.what;
    }
}

TEST_F(KeyDetailsTest, ReleaseRowFollowsTheAreasLooksAndTheRightModifiersShowTheirTwins)
{
    const auto releaseLook = [this] {
        const Control& box = form(PrefControl::Text, 1);
        return std::tuple(form(PrefControl::Label, 1).enabled, box.enabled, box.backColor,
                          form(PrefControl::cmdBrowse, 1).enabled, box.text);
    };
    const auto idle = std::tuple(false, false, SystemColor::ButtonFace, false, std::string("None"));
    Store("Typewriter-ReleaseSound_#16", "C:\\Sounds\\shift-up.wav");
    pref.Form_Load();
    EXPECT_EQ(releaseLook(), idle);

    pref.chkSound_GotFocus(216);
    EXPECT_EQ(releaseLook(), std::tuple(true, true, SystemColor::Window, true, std::string("C:\\Sounds\\shift-up.wav")));
    EXPECT_EQ(Setting("Typewriter-ReleaseSound_#216"), std::nullopt) << "the left Shift's release plays for both";
    EXPECT_TRUE(form(PrefControl::Text, 1).locked);

    LeftClick(16);
    EXPECT_EQ(releaseLook(), idle) << "just switched off";
    EXPECT_EQ(Setting("Typewriter-ReleaseSound_#16"), std::optional<std::string>("C:\\Sounds\\shift-up.wav"));
    LeftClick(16);
    const auto release = keySound.Variants().Paths(16, KeyMotion::Release);
    EXPECT_EQ(std::vector<std::string>(release.begin(), release.end()),
              std::vector<std::string>{"C:\\Sounds\\shift-up.wav"})
        << "back on: the release sound too";
    pref.Combo_GotFocus(0);
    EXPECT_EQ(releaseLook(), idle);
}

TEST_F(KeyDetailsTest, ChoosingAnotherPressSoundDropsTheKeysFurtherOnes)
{
    Store("Typewriter_#65", APath);
    Store("Typewriter-MoreSounds_#65", "C:\\Sounds\\2.wav|C:\\Sounds\\3.wav");
    pref.Form_Load();
    pref.chkSound_GotFocus(65);
    EXPECT_EQ(keySound.Variants().Paths(65, KeyMotion::Press).size(), 2u) << "showing the key keeps them";
    fileDialog.choices.push_back(APath);
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(keySound.Variants().Paths(65, KeyMotion::Press).size(), 2u) << "the same file again keeps them";
    fileDialog.choices.push_back("C:\\Sounds\\new.wav");
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(Setting("Typewriter-MoreSounds_#65"), std::nullopt);
    EXPECT_TRUE(keySound.Variants().Paths(65, KeyMotion::Press).empty());
    EXPECT_EQ(fileDialog.requests.back().lpstrTitle, "Find a sound for the button A");
    pref.cmdBrowse_Click(1);
    EXPECT_EQ(fileDialog.requests.back().lpstrTitle, "Find a release sound for the button A");
}

TEST(SettingsLayoutTest, SecondModifiersShareTheFirstOnesDefaultFile)
{
    EXPECT_EQ(SharedSoundCode(216), 16);
    EXPECT_EQ(SharedSoundCode(218), 18);
    EXPECT_EQ(SharedSoundCode(215), 215);
    EXPECT_EQ(SharedSoundCode(219), 219);
    EXPECT_EQ(DefaultSoundPath("C:\\Clavitone", 217), "C:\\Clavitone\\17.wav");
}

}  // namespace
}  // namespace clavitone
