// The installer's data file against the program's own key layout: what the
// installer writes must be exactly what the program reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_layout.h"
#include "tests/fakes/memory_store.h"

namespace clavitone {
namespace {

// One "name = "text"" line of the data file, with its [section].
struct Entry {
    std::string section;
    std::string name;
    std::string text;
};

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string{} : text.substr(first, last - first + 1);
}

// Reads the file the way installer/make_settings.py does; a line it cannot
// read fails the test, as it fails the build.
std::vector<Entry> ReadInstallerData()
{
    std::ifstream file(CLAVITONE_INSTALLER_DATA);
    EXPECT_TRUE(file) << CLAVITONE_INSTALLER_DATA;
    std::vector<Entry> entries;
    std::string section;
    for (std::string line; std::getline(file, line);) {
        line = Trimmed(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        const auto open = line.find('"', equals);
        const auto close = line.rfind('"');
        if (equals == std::string::npos || open == std::string::npos || close <= open || close != line.size() - 1) {
            ADD_FAILURE() << "unreadable line: " << line;
            continue;
        }
        entries.push_back({section, Trimmed(line.substr(0, equals)), line.substr(open + 1, close - open - 1)});
    }
    return entries;
}

class InstallerDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        entries_ = ReadInstallerData();
        for (const Entry& entry : entries_)
            store_.values[{"Clavitone", entry.section, entry.name}] = entry.text;
    }

    std::vector<std::string> Names(const std::string& section) const
    {
        std::vector<std::string> names;
        for (const Entry& entry : entries_)
            if (entry.section == section)
                names.push_back(entry.name);
        return names;
    }

    std::vector<Entry> entries_;
    fakes::MemoryStore store_;
};

TEST_F(InstallerDataTest, WritesOnlyTheTwoSectionsTheProgramReads)
{
    ASSERT_FALSE(entries_.empty());
    for (const Entry& entry : entries_)
        EXPECT_TRUE(entry.section == SectionSettings || entry.section == SectionLanguage) << entry.section;
    // A name given twice would leave the installer's result to the order of the lines.
    EXPECT_EQ(store_.values.size(), entries_.size());
}

TEST_F(InstallerDataTest, ListsTypewriterFirstAndSelectsIt)
{
    EXPECT_EQ(GetSettingsNumber(store_, SettingSchemesQuantity, DefaultSchemesQuantity), 2);
    EXPECT_EQ(GetSettingsText(store_, SchemeNameKey(0), ""), "Typewriter");
    EXPECT_EQ(GetSettingsText(store_, SchemeNameKey(1), ""), "Voice");
    EXPECT_EQ(GetSettingsNumber(store_, SettingLastScheme, -1), 0);
}

// Every code of both schemes sounds, from its own file in the scheme's folder,
// and no other code is written: those keys would never be loaded nor deleted.
TEST_F(InstallerDataTest, BothSchemesHoldExactlyTheSchemeKeyCodes)
{
    std::map<std::string, std::string> expected{
        {std::string(SettingSchemesQuantity), "2"},
        {SchemeNameKey(0), "Typewriter"},
        {SchemeNameKey(1), "Voice"},
        {std::string(SettingLastScheme), "0"},
    };
    for (const std::string_view scheme : {"Typewriter", "Voice"}) {
        const std::string folder = std::string("{app}\\").append(scheme);
        for (const KeyRange& range : SchemeKeyCodes) {
            for (int code = range.first; code <= range.last; ++code) {
                expected.emplace(StateKey(scheme, code), "0");
                expected.emplace(PathKey(scheme, code), DefaultSoundPath(folder, code));
            }
        }
    }
    std::map<std::string, std::string> actual;
    for (const Entry& entry : entries_)
        if (entry.section == SectionSettings)
            actual[entry.name] = entry.text;
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.size(), 4u + 2 * 2 * 83);
}

TEST_F(InstallerDataTest, GivesATextForEveryLanguageKeyAndNoOther)
{
    const std::vector<std::string> keys{"Progon", "Progoff", "Files0", "All files", "lblSave", "SaveCaption",
                                        "Saveas0", "Saveas1", "DeleteScheme0", "DeleteScheme1", "DeleteScheme2"};
    auto names = Names(std::string(SectionLanguage));
    std::sort(names.begin(), names.end());
    auto sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(names, sorted);
    for (const std::string& key : keys)
        EXPECT_NE(GetLanguageText(store_, key), "") << key;
    EXPECT_EQ(GetLanguageText(store_, "lblSave"), "Save this sound scheme &as:") << "Alt+A reaches the name box";
    EXPECT_EQ(GetLanguageText(store_, "SaveCaption"), "Save scheme as");
}

// The program glues the texts to a scheme name without adding blanks; the
// name stands in quotes.
TEST_F(InstallerDataTest, ComposedMessagesReadAsSentences)
{
    EXPECT_EQ(GetLanguageText(store_, "Saveas0") + "Voice" + GetLanguageText(store_, "Saveas1"),
              "The name \"Voice\" is already used. Please choose another name.");
    const std::string question =
        GetLanguageText(store_, "DeleteScheme0") + "My keys" + GetLanguageText(store_, "DeleteScheme1");
    EXPECT_NE(question.find(" \"My keys\"?"), std::string::npos) << question;
}

}  // namespace
}  // namespace clavitone
