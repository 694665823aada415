// "Delete scheme" and " Minimize".
#include <gtest/gtest.h>

#include "settings/settings_layout.h"
#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using testing::DefaultFile;
using testing::PrefHandle;
using Names = std::vector<std::string>;

class SchemeDeletingTest : public ::testing::Test, protected testing::SchemeStory {
protected:
    void Start(std::initializer_list<std::string> names, int current)
    {
        SetSchemes(names, current);
        for (const std::string& name : names) {
            Set(name + "_#65", "C:\\snd\\" + name + ".wav");
            Set(name + "-EnableSound_#66", "1");
            Set(name + "_#217", "C:\\snd\\right-ctrl.wav");
            Set(name + "-ReleaseSound_#65", "C:\\snd\\up.wav");
            Set(name + "-MoreSounds_#65", "C:\\snd\\2.wav");
            Set(name + "-MoreReleaseSounds_#217", "C:\\snd\\up2.wav");
        }
        SetText("DeleteScheme0", "Delete the scheme ");
        SetText("DeleteScheme1", "?");
        SetText("DeleteScheme2", "Delete scheme");
        pref.Form_Load();
    }

    bool HasAnyKeyOf(const std::string& scheme)
    {
        for (int code = 0; code < 256; ++code)
            for (const SchemeKeyValue& value : SchemeKeyValues)
                if (At(value.key(scheme, code)))
                    return true;
        return false;
    }
};

TEST_F(SchemeDeletingTest, DeletingAMiddleSchemeMovesTheLaterNamesDownAndSelectsTheLast)
{
    Start({"Typewriter", "Voice", "A", "B"}, 2);
    DeleteCurrent();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Delete the scheme A?");
    EXPECT_EQ(messages.shown[0].title, "Delete scheme");
    EXPECT_EQ(messages.shown[0].style, 52u);
    EXPECT_EQ(messages.shown[0].owner, PrefHandle);

    EXPECT_FALSE(HasAnyKeyOf("A")) << "the second modifiers' values go too";
    EXPECT_EQ(At("Scheme2"), "B");
    EXPECT_EQ(At("Scheme3"), std::nullopt);
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "B"}));
    EXPECT_EQ(Current(), "B");
    EXPECT_EQ(At("SchemesQuantity"), "3");
    EXPECT_EQ(At("LastScheme"), "2");
    EXPECT_EQ(keySound[65], "C:\\snd\\B.wav");
    EXPECT_TRUE(HasAnyKeyOf("B"));
}

TEST_F(SchemeDeletingTest, DeletingTheFirstMakesTheLastCurrent)
{
    Start({"A", "B", "C"}, 0);
    DeleteCurrent();
    EXPECT_EQ(At("Scheme0"), "B");
    EXPECT_EQ(At("Scheme1"), "C");
    EXPECT_EQ(At("Scheme2"), std::nullopt);
    EXPECT_EQ(Current(), "C");
    EXPECT_EQ(At("LastScheme"), "1");
}

TEST_F(SchemeDeletingTest, DeletingTheLastMovesNoName)
{
    Start({"A", "B", "C"}, 2);
    int nameWrites = 0;
    store.written = [&](const std::string& key, const std::string&) { nameWrites += key.starts_with("Scheme") && key != "SchemesQuantity"; };
    DeleteCurrent();
    EXPECT_EQ(nameWrites, 0);
    EXPECT_EQ(Entries(), (Names{"A", "B"}));
    EXPECT_EQ(Current(), "B");
    EXPECT_EQ(At("Scheme2"), std::nullopt);
}

TEST_F(SchemeDeletingTest, DeletingTheOnlySchemeLeavesAnEmptyListAndTheSounds)
{
    Start({"A"}, 0);
    DeleteCurrent();
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(List().listIndex, -1);
    EXPECT_EQ(At("SchemesQuantity"), "0");
    EXPECT_EQ(At("LastScheme"), "-1");
    EXPECT_EQ(At("Scheme0"), std::nullopt);
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_EQ(keySound[65], "C:\\snd\\A.wav") << "no switch: the sounds stay until the next start";

    // Nothing left to delete: the command does nothing, without asking.
    const auto before = store.values;
    DeleteCurrent();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(store.values, before);

    testing::SchemeStory next;
    next.store.values = store.values;
    next.pref.Form_Load();
    EXPECT_TRUE(next.Entries().empty());
}

TEST_F(SchemeDeletingTest, AnyAnswerButYesChangesNothing)
{
    // No, a box that failed (0) and Escape (Cancel, 2) are no consent.
    for (const int answer : {AnswerNo, 0, 2}) {
        SCOPED_TRACE(answer);
        Start({"Typewriter", "Voice", "A"}, 2);
        const auto before = store.values;
        DeleteCurrent(answer);
        EXPECT_EQ(store.values, before);
        EXPECT_EQ(Entries().size(), 3u);
        EXPECT_EQ(Current(), "A");
    }
}

TEST_F(SchemeDeletingTest, TheSchemesThatComeWithTheProgramStayAfterSoundsComeBackOn)
{
    Start({"Typewriter", "Voice", "typewriter"}, 0);
    pref.ToggleSound();
    pref.ToggleSound();
    EXPECT_FALSE(DeleteEnabled()) << "switching sounds on applies the list's rule again";
    const auto before = store.values;
    DeleteCurrent();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.values, before);
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice", "typewriter"}));

    Pick(2);
    DeleteCurrent();
    EXPECT_EQ(Entries(), (Names{"Typewriter", "Voice"})) << "only the exact names are kept";
}

TEST_F(SchemeDeletingTest, AnEntryShowingItsDefaultNameKeepsItAndItsValues)
{
    Set("SchemesQuantity", "4");
    Set("Scheme0", "A");
    Set("Scheme1", "B");
    Set("Scheme2", "C");  // position 3 has no name: it shows "Scheme # 3"
    Set("Scheme # 3_#65", "C:\\snd\\unnamed.wav");
    Set("LastScheme", "1");
    pref.Form_Load();
    DeleteCurrent();
    EXPECT_EQ(At("Scheme2"), "Scheme # 3");
    EXPECT_EQ(Entries(), (Names{"A", "C", "Scheme # 3"}));
    EXPECT_EQ(keySound[65], "C:\\snd\\unnamed.wav");

    testing::SchemeStory next;
    next.store.values = store.values;
    next.pref.Form_Load();
    EXPECT_EQ(next.Entries(), (Names{"A", "C", "Scheme # 3"})) << "the next start shows the same names";
    EXPECT_EQ(next.keySound[65], "C:\\snd\\unnamed.wav");
}

TEST_F(SchemeDeletingTest, MinimizeMinimizesThenHidesAndWritesNothing)
{
    Start({"A"}, 0);
    const int writes = store.writes;
    ClickCommand(0);
    EXPECT_EQ(windows.shown, (std::vector<std::pair<WindowHandle, int>>{{PrefHandle, WindowMinimize},
                                                                         {PrefHandle, WindowHide}}));
    EXPECT_EQ(store.writes, writes);
    pref.Command_Click(3);
    pref.Command_Click(-1);
    EXPECT_EQ(windows.shown.size(), 2u) << "other indices do nothing";
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace clavitone
