// "Save as...": the dialog, the copy, the refusals.
#include <gtest/gtest.h>

#include "settings/settings_layout.h"
#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using testing::DefaultFile;
using testing::PrefHandle;
using Names = std::vector<std::string>;

class SchemeSavingTest : public ::testing::Test, protected testing::SchemeStory {
protected:
    SchemeSavingTest()
    {
        SetSchemes({"Typewriter", "Voice"}, 0);
        SetText("SaveCaption", "Save scheme as");
        SetText("lblSave", "Save this sound scheme as:");
        SetText("Saveas0", "The name ");
        SetText("Saveas1", " is already used.");
        Set("Typewriter_#65", "C:\\snd\\tw65.wav");
        Set("Typewriter-EnableSound_#66", "1");
        Set("Typewriter_#67", "None");
        Set("Typewriter-EnableSound_#16", "1");
        Set("Typewriter_#17", "C:\\snd\\ctrl.wav");
        Set("Typewriter_#216", "C:\\snd\\right-shift.wav");
        pref.Form_Load();
    }

    // Every "Settings" key of a scheme, by what follows its name.
    std::map<std::string, std::string> ValuesOf(const std::string& scheme)
    {
        std::map<std::string, std::string> found;
        for (const auto& [address, value] : store.values) {
            const std::string& key = std::get<2>(address);
            if (std::get<1>(address) == "Settings" && key.starts_with(scheme + "_#"))
                found["_#" + key.substr(scheme.size() + 2)] = value;
            else if (std::get<1>(address) == "Settings" && key.starts_with(scheme + "-EnableSound_#"))
                found["-EnableSound_#" + key.substr(scheme.size() + 14)] = value;
        }
        return found;
    }
};

TEST_F(SchemeSavingTest, SavedCopyBecomesCurrentAndSoundsExactlyLikeItsSource)
{
    SaveAs("Mine");
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "Mine"}));
    EXPECT_EQ(Current(), "Mine");
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_EQ(At("SchemesQuantity"), "3");
    EXPECT_EQ(At("Scheme2"), "Mine");
    EXPECT_EQ(At("LastScheme"), "2");

    // What the source stores, no more: Shift and Ctrl included, the second
    // Shift button's own value not, and no "None" or "0" made up.
    EXPECT_EQ(ValuesOf("Mine"), (std::map<std::string, std::string>{{"_#65", "C:\\snd\\tw65.wav"},
                                                                      {"-EnableSound_#66", "1"},
                                                                      {"_#67", "None"},
                                                                      {"-EnableSound_#16", "1"},
                                                                      {"_#17", "C:\\snd\\ctrl.wav"}}));
    EXPECT_EQ(keySound[65], "C:\\snd\\tw65.wav");
    EXPECT_EQ(Key(66), 1);
    EXPECT_EQ(Key(16), 1);
    EXPECT_EQ(keySound[17], "C:\\snd\\ctrl.wav");
    EXPECT_EQ(keySound[68], DefaultFile(68)) << "an unstored key plays the program folder's file, as in the source";
    EXPECT_EQ(ValuesOf("Typewriter").size(), 6u) << "the source is untouched";
}

TEST_F(SchemeSavingTest, ReleaseAndFurtherSoundsAreCopiedWithTheKeysTheyBelongTo)
{
    Set("Typewriter-ReleaseSound_#65", "C:\\snd\\up.wav");
    Set("Typewriter-MoreReleaseSounds_#65", "C:\\snd\\up2.wav");
    Set("Typewriter-MoreSounds_#68", "C:\\snd\\d2.wav|C:\\snd\\d3.wav");
    Set("Typewriter-ReleaseSound_#17", "C:\\snd\\ctrl-up.wav");
    Set("Mine-ReleaseSound_#70", "C:\\snd\\left-over.wav");
    SaveAs("Mine");
    EXPECT_EQ(At("Mine-ReleaseSound_#65"), "C:\\snd\\up.wav");
    EXPECT_EQ(At("Mine-MoreReleaseSounds_#65"), "C:\\snd\\up2.wav");
    EXPECT_EQ(At("Mine-MoreSounds_#68"), "C:\\snd\\d2.wav|C:\\snd\\d3.wav");
    EXPECT_EQ(At("Mine-ReleaseSound_#17"), "C:\\snd\\ctrl-up.wav");
    EXPECT_EQ(At("Mine-ReleaseSound_#70"), std::nullopt) << "a value left under the new name does not leak in";
    const auto release = keySound.Variants().Paths(65, KeyMotion::Release);
    EXPECT_EQ(std::vector<std::string>(release.begin(), release.end()),
              (std::vector<std::string>{"C:\\snd\\up.wav", "C:\\snd\\up2.wav"}))
        << "the copy is loaded with them";
    EXPECT_EQ(keySound.Variants().Paths(68, KeyMotion::Press).size(), 2u);
}

TEST_F(SchemeSavingTest, WritesComeInOrderAfterTheSwitch)
{
    std::vector<std::pair<std::string, std::string>> writes;
    store.written = [&](const std::string& key, const std::string& value) {
        if (!key.starts_with("Mine"))
            writes.emplace_back(key, value);
    };
    SaveAs("Mine");
    EXPECT_EQ(writes, (std::vector<std::pair<std::string, std::string>>{
                          {"LastScheme", "2"}, {"SchemesQuantity", "3"}, {"Scheme2", "Mine"}, {"LastScheme", "2"}}));
}

TEST_F(SchemeSavingTest, OpeningShowsTheLanguageTextsAndTheCurrentNameOverThePreferencesWindow)
{
    std::string label, name;
    windows.interactions.push_back([&](FormModel& d) {
        label = d(SaveasControl::lblSave).caption;
        name = d(SaveasControl::txtSave).text;
        d.Click(d(SaveasControl::cmdCancel));
    });
    ClickCommand(1);
    EXPECT_EQ(dialog.caption, "Save scheme as");
    EXPECT_EQ(label, "Save this sound scheme as:");
    EXPECT_EQ(name, "Typewriter");
    EXPECT_EQ(windows.modalOwners, std::vector<WindowHandle>{PrefHandle});
    EXPECT_EQ(windows.stillShown, 0);
}

TEST_F(SchemeSavingTest, MissingLanguageTextsLeaveTitleAndLabelEmpty)
{
    store.values.erase({"Clavitone", "Language", "SaveCaption"});
    store.values.erase({"Clavitone", "Language", "lblSave"});
    SaveAs("Mine");
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog(SaveasControl::lblSave).caption, "");
}

TEST_F(SchemeSavingTest, ListedNamesAreRefusedWhateverTheirCase)
{
    const auto before = store.values;
    for (const char* name : {"Voice", "voice", "TYPEWRITER"}) {
        messages.shown.clear();
        SaveAs(name, {SaveasControl::cmdCancel});
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].text, std::string("The name ") + name + " is already used.");
        EXPECT_EQ(messages.shown[0].title, "Clavitone");
        EXPECT_EQ(messages.shown[0].style, MessageOkOnly | MessageExclamation);
        EXPECT_EQ(messages.shown[0].owner, fakes::ScriptedWindows::DialogHandle)
            << "the message sits over the dialog";
    }
    EXPECT_EQ(store.values, before) << "nothing stored, no value of a listed scheme overwritten";
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(SchemeSavingTest, NamesThatDifferInTheCaseOfOtherLettersAreOneName)
{
    SaveAs("\xC4rger");  // Ärger
    const auto before = store.values;
    SaveAs("\xE4rger", {SaveasControl::cmdCancel});  // ärger
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The name \xE4rger is already used.");
    EXPECT_EQ(store.values, before) << "\xC4rger's values are not overwritten";
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "\xC4rger"}));
}

// A name whose path keys are another scheme's state keys, or the other way
// round, would overwrite that scheme's values: refused with a message naming
// it, as the registry compares names (letter case aside).
TEST_F(SchemeSavingTest, NamesThatWouldShareAnotherSchemesValuesAreRefused)
{
    SaveAs("Mine");
    Set("Mine-EnableSound_#65", "1");
    const struct {
        const char* name;
        const char* other;
    } refused[] = {
        {"Mine-EnableSound", "Mine"},
        {"mine-enablesound", "Mine"},
        {"Typewriter-EnableSound", "Typewriter"},
    };
    const auto before = store.values;
    for (const auto& c : refused) {
        messages.shown.clear();
        SaveAs(c.name, {SaveasControl::cmdCancel});
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(messages.shown[0].text, std::string("The name \"") + c.name +
                                              "\" cannot be used: the settings of the scheme \"" + c.other +
                                              "\" are stored under the same names and would be overwritten.");
        EXPECT_EQ(messages.shown[0].title, "Clavitone");
    }
    EXPECT_EQ(store.values, before) << "Mine's keys are untouched";

    // The other way round: a scheme "X-EnableSound" is listed, "X" is refused.
    SaveAs("Keys-EnableSound");
    messages.shown.clear();
    SaveAs("KEYS", {SaveasControl::cmdCancel});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("\"Keys-EnableSound\""), std::string::npos);

    // Near misses share no value name and are saved.
    for (const char* name : {"Mine-EnableSoun", "Mine-EnableSound2", "Mine EnableSound", "Mine-EnableSound_#"}) {
        messages.shown.clear();
        SaveAs(name);
        EXPECT_TRUE(messages.shown.empty()) << name;
    }
}

// Each refusal says why and hands the name box back, so that typing
// replaces what was refused.
TEST_F(SchemeSavingTest, RefusedEmptyOrBlankNamesAreExplainedAndKeepTheDialogOpen)
{
    constexpr WindowHandle NameBox = 0x5001;
    const struct {
        const char* name;
        const char* text;
        unsigned style;
    } cases[] = {
        {"Voice", "The name Voice is already used.", MessageOkOnly | MessageExclamation},
        {"", "Please type a name for the sound scheme.", MessageOkOnly | MessageInformation},
        {"   ", "Please type a name for the sound scheme.", MessageOkOnly | MessageInformation},
    };
    const auto before = store.values;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.name + "'");
        messages.shown.clear();
        focus.requests.clear();
        windows.interactions.push_back([&](FormModel& dialog) {
            dialog(SaveasControl::txtSave).hWnd = NameBox;
            dialog(SaveasControl::txtSave).text = c.name;
            dialog.Click(dialog(SaveasControl::cmdSaveOk));
        });
        ClickCommand(1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_EQ(messages.shown[0].style, c.style);
        EXPECT_EQ(focus.requests, std::vector<WindowHandle>{NameBox});
    }
    EXPECT_EQ(windows.stillShown, 3) << "only OK with a new name or Cancel hides the dialog";
    EXPECT_EQ(store.values, before);
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(SchemeSavingTest, CancelAndTheCloseBoxStoreNothing)
{
    const auto before = store.values;
    windows.interactions.push_back([](FormModel& d) {
        d(SaveasControl::txtSave).text = "Typed";
        d.Click(d(SaveasControl::cmdCancel));
    });
    ClickCommand(1);
    windows.interactions.push_back([](FormModel& d) {
        EXPECT_EQ(d(SaveasControl::txtSave).text, "Typewriter") << "each opening shows the current name again";
        d(SaveasControl::txtSave).text = "Typed";
        d.closeRequested();
    });
    ClickCommand(1);
    EXPECT_EQ(store.values, before);
    EXPECT_EQ(windows.stillShown, 0);
}

TEST_F(SchemeSavingTest, NamesAreTakenAsTypedBlanksIncluded)
{
    SaveAs(" My keys ");
    EXPECT_EQ(At("Scheme2"), " My keys ");
    EXPECT_EQ(At(" My keys _#65"), "C:\\snd\\tw65.wav");
}

TEST_F(SchemeSavingTest, ValuesLeftUnderTheNewNameDoNotLeakIntoTheCopy)
{
    Set("Mine-EnableSound_#65", "1");
    Set("Mine_#68", "C:\\old\\68.wav");
    SaveAs("Mine");
    EXPECT_EQ(At("Mine-EnableSound_#65"), std::nullopt);
    EXPECT_EQ(At("Mine_#68"), std::nullopt);
    EXPECT_EQ(Key(65), 0);
    EXPECT_EQ(keySound[68], DefaultFile(68));
}

}  // namespace
}  // namespace clavitone
