#include <gtest/gtest.h>

#include "tests/unit/pref_fixture.h"

namespace clavitone {
namespace {

using namespace std::string_literals;

class SoundBrowseTest : public PrefFixture {
protected:
    SoundBrowseTest()
    {
        Store("Typewriter_#65", Chosen0);
        pref.chkSound_GotFocus(65);
        journal.clear();
    }

    void Language(const std::string& key, const std::string& text)
    {
        store.values[{"Clavitone", "Language", key}] = text;
    }

    const OpenFileRequest& LastRequest()
    {
        EXPECT_FALSE(fileDialog.requests.empty());
        return fileDialog.requests.back();
    }

    static constexpr const char* Chosen0 = "C:\\Sounds\\click.wav";
};

TEST_F(SoundBrowseTest, DialogRequestIsFilledAsWindowsExpectsIt)
{
    Language("Files0", "Sound files");
    Language("All files", "Every file");
    pref.cmdBrowse_Click(0);

    // Every field the program fills; the rest keep what the record starts with.
    const OpenFileRequest& request = LastRequest();
    EXPECT_EQ(request.lStructSize, 76u);
    EXPECT_EQ(request.hwndOwner, FormHandle);
    EXPECT_EQ(request.lpstrFilter, "Sound files\0*.wav\0Every file\0*.*\0\0"s);
    EXPECT_EQ(request.nFilterIndex, 1u);
    EXPECT_EQ(request.lpstrFile, std::string(512, '\0'));
    EXPECT_EQ(request.nMaxFile, 511u);
    EXPECT_EQ(request.lpstrFileTitle, std::string(512, '\0'));
    EXPECT_EQ(request.nMaxFileTitle, 511u);
    EXPECT_EQ(request.lpstrInitialDir, "C:\\Sounds\\");
    EXPECT_EQ(request.lpstrTitle, "Find a sound for the button A");
    EXPECT_EQ(request.Flags, 0x1804u) << "no \"Open as read-only\" box";
    EXPECT_EQ(request.lpstrDefExt, "*.wav");
}

// An empty first description would end the list before any pattern.
TEST_F(SoundBrowseTest, MissingLanguageTextsGivePlainDescriptionsSoTheFiltersStay)
{
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrFilter, "Sound files (*.wav)\0*.wav\0All files (*.*)\0*.*\0\0"s);

    Language("All files", "Every file");
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrFilter, "Sound files (*.wav)\0*.wav\0Every file\0*.*\0\0"s);
}

TEST_F(SoundBrowseTest, DialogOpensInTheFolderOfThePathShown)
{
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrInitialDir, "C:\\Sounds\\");

    form(PrefControl::Text, 0).text = "None";
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrInitialDir, "C:\\Program Files\\Clavitone") << "no folder shown: the program's";

    form(PrefControl::Text, 0).text = "D:\\a\\b\\c.wav";
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrInitialDir, "D:\\a\\b\\");

    form(PrefControl::Text, 0).text = "";
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrInitialDir, "D:\\a\\b\\") << "an empty box keeps the last folder";
}

TEST_F(SoundBrowseTest, ChosenFileBecomesTheKeysSoundAtOnceWithoutPlaying)
{
    fileDialog.choices = {"E:\\Music\\bell.wav", "E:\\notes.txt"};
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(PathBox(), "E:\\Music\\bell.wav");
    EXPECT_EQ(keySound[65], std::optional<std::string>("E:\\Music\\bell.wav"));
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>("E:\\Music\\bell.wav"));
    EXPECT_TRUE(journal.empty()) << "choosing plays nothing";

    pref.cmdBrowse_Click(0);
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>("E:\\notes.txt")) << "any file is taken";
    EXPECT_EQ(LastRequest().lpstrInitialDir, "E:\\Music\\");
}

TEST_F(SoundBrowseTest, CancelKeepsEverything)
{
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(PathBox(), Chosen0);
    EXPECT_EQ(keySound[65], std::optional<std::string>(Chosen0));
    EXPECT_EQ(Setting("Typewriter_#65"), std::optional<std::string>(Chosen0));
}

TEST_F(SoundBrowseTest, TitleNamesTheSelectedKey)
{
    pref.chkSound_GotFocus(39);
    pref.cmdBrowse_Click(0);
    EXPECT_EQ(LastRequest().lpstrTitle, "Find a sound for the button Right Arrow");
}

TEST_F(SoundBrowseTest, OpenFileKeepsTheBufferEndedByANul)
{
    fileDialog.choices = {"C:\\x.wav"};
    EXPECT_EQ(pref.OpenFile("*.wav", 0, std::string(600, 'n')), "C:\\x.wav");
    const std::string& buffer = LastRequest().lpstrFile;
    EXPECT_EQ(buffer.size(), 512u);
    EXPECT_EQ(buffer.substr(0, 511), std::string(511, 'n')) << "an over-long name is cut";
    EXPECT_EQ(buffer.back(), '\0');

    EXPECT_EQ(pref.OpenFile("*.wav", 0, "start.wav"), Chosen0) << "cancel answers the path box's text";
    EXPECT_EQ(LastRequest().lpstrFile.substr(0, 10), "start.wav\0"s);
    EXPECT_EQ(pref.OpenFile("*.wav", 5, {}), "") << "no such path box";
}

}  // namespace
}  // namespace clavitone
