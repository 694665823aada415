// Random runs of switching, saving and deleting against a store that, like
// the registry, ignores letter case: afterwards the stored list is the list
// shown, deleted schemes left nothing behind, and every other scheme kept
// its values.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <random>

#include "settings/settings_layout.h"
#include "tests/fakes/case_blind_store.h"
#include "tests/unit/scheme_story.h"

namespace clavitone {
namespace {

using testing::DefaultFile;

struct KeyValues {
    std::optional<std::string> state;
    std::optional<std::string> path;
    bool operator==(const KeyValues&) const = default;
};
using SchemeValues = std::map<int, KeyValues>;

// Every code a scheme can hold values for: the scheme's codes and the
// second Shift, Ctrl and Alt buttons.
std::vector<int> AllCodes()
{
    std::vector<int> codes;
    for (const KeyRange range : SchemeKeyCodes)
        for (int code = range.first; code <= range.last; ++code)
            codes.push_back(code);
    for (int code = 216; code <= 218; ++code)
        codes.push_back(code);
    return codes;
}

bool IsSchemeCode(int code)
{
    return code < 216 || code > 218;
}

const std::vector<std::string> NamePool{"Mine", "mine", "MINE", "A", "a", "B", "My keys", "my keys ",
                                        "Typewriter", "typewriter", "Voice", "VOICE", "Scheme # 2", "scheme # 3"};

class SchemeRun {
public:
    explicit SchemeRun(unsigned seed) : random_(seed) {}

    void Run(int steps)
    {
        Install();
        story_.pref.Form_Load();
        Check("start");
        for (int step = 0; step < steps; ++step) {
            switch (Pick(3)) {
            case 0:
                Switch();
                break;
            case 1:
                Save();
                break;
            default:
                Delete();
                break;
            }
            Check("step " + std::to_string(step));
            if (::testing::Test::HasFailure())
                return;
        }
        CheckNextStart();
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    bool Listed(const std::string& name) const
    {
        const auto folded = [](std::string text) {
            for (char& c : text)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return text;
        };
        return std::any_of(names_.begin(), names_.end(),
                           [&](const std::string& n) { return folded(n) == folded(name); });
    }

    SchemeValues RandomValues(const std::string& name)
    {
        SchemeValues values;
        for (int code : codes_) {
            KeyValues& v = values[code];
            if (Chance(30))
                v.state = std::to_string(Pick(3));
            if (Chance(40))
                v.path = Chance(20) ? "None" : "C:\\snd\\" + name + std::to_string(code) + ".wav";
        }
        return values;
    }

    void Store(const std::string& key, const std::optional<std::string>& value)
    {
        if (value)
            SaveSettingsText(blind_, key, *value);
    }

    void Install()
    {
        names_ = {"Typewriter", "Voice"};
        std::vector<bool> unnamed(2, false);
        for (int extra = Pick(4); extra > 0; --extra) {
            // Some entries have no stored name and show their position instead.
            const bool noName = Chance(20);
            const std::string name =
                noName ? DefaultSchemeName(static_cast<int>(names_.size()))
                       : NamePool[static_cast<std::size_t>(Pick(static_cast<int>(NamePool.size())))];
            if (!Listed(name)) {
                names_.push_back(name);
                unnamed.push_back(noName);
            }
        }
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (!unnamed[i])
                SaveSettingsText(blind_, SchemeNameKey(static_cast<int>(i)), names_[i]);
            expected_[names_[i]] = RandomValues(names_[i]);
            for (const auto& [code, v] : expected_[names_[i]]) {
                Store(StateKey(names_[i], code), v.state);
                Store(PathKey(names_[i], code), v.path);
            }
        }
        SaveSettingsNumber(blind_, SettingSchemesQuantity, static_cast<int>(names_.size()));
        current_ = Pick(static_cast<int>(names_.size()));
        SaveSettingsNumber(blind_, SettingLastScheme, current_);
    }

    void Switch()
    {
        if (names_.empty())
            return;
        current_ = Pick(static_cast<int>(names_.size()));
        story_.Pick(current_);
    }

    void Save()
    {
        const std::string name = NamePool[static_cast<std::size_t>(Pick(static_cast<int>(NamePool.size())))];
        const std::size_t messagesBefore = story_.messages.shown.size();
        story_.SaveAs(name, {SaveasControl::cmdCancel});  // Cancel only matters after a refusal
        if (Listed(name)) {
            EXPECT_EQ(story_.messages.shown.size(), messagesBefore + 1) << "refused: " << name;
            return;
        }
        // The copy holds exactly the source's values for the scheme's codes;
        // with nothing selected the source is the empty name, which has none.
        SchemeValues copy;
        if (current_ >= 0)
            for (const auto& [code, v] : expected_[names_[static_cast<std::size_t>(current_)]])
                if (IsSchemeCode(code))
                    copy[code] = v;
        names_.push_back(name);
        expected_[name] = copy;
        current_ = static_cast<int>(names_.size()) - 1;
    }

    void Delete()
    {
        if (!story_.DeleteEnabled())
            return;  // the user cannot press it
        const bool yes = Chance(80);
        story_.DeleteCurrent(yes ? AnswerYes : AnswerNo);
        if (!yes)
            return;
        const std::string gone = names_[static_cast<std::size_t>(current_)];
        names_.erase(names_.begin() + current_);
        expected_.erase(gone);
        current_ = static_cast<int>(names_.size()) - 1;
        for (int code = 0; code < 256; ++code) {
            EXPECT_EQ(FindSettingsText(blind_, StateKey(gone, code)), std::nullopt) << gone << " " << code;
            EXPECT_EQ(FindSettingsText(blind_, PathKey(gone, code)), std::nullopt) << gone << " " << code;
        }
    }

    void Check(const std::string& when)
    {
        SCOPED_TRACE(when);
        ASSERT_EQ(story_.Entries(), names_);
        ASSERT_EQ(story_.List().listIndex, current_);
        const int count = static_cast<int>(names_.size());
        EXPECT_EQ(GetSettingsNumber(blind_, SettingSchemesQuantity, -99), count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(GetSettingsText(blind_, SchemeNameKey(i), DefaultSchemeName(i)), names_[static_cast<std::size_t>(i)]);
        EXPECT_EQ(FindSettingsText(blind_, SchemeNameKey(count)), std::nullopt);
        for (const std::string& name : names_)
            for (int code : codes_) {
                const KeyValues& want = expected_[name][code];
                EXPECT_EQ(FindSettingsText(blind_, StateKey(name, code)), want.state) << name << " " << code;
                EXPECT_EQ(FindSettingsText(blind_, PathKey(name, code)), want.path) << name << " " << code;
            }
        if (current_ < 0)
            return;
        // What plays is the current scheme.
        const SchemeValues& values = expected_[names_[static_cast<std::size_t>(current_)]];
        for (int code : codes_) {
            if (!IsSchemeCode(code))
                continue;
            const KeyValues& v = values.at(code);
            const bool off = v.state && *v.state != "0";
            EXPECT_EQ(story_.keySound[code], off ? "" : v.path.value_or(DefaultFile(code))) << code;
        }
    }

    void CheckNextStart()
    {
        testing::SchemeStory next(&blind_);
        next.pref.Form_Load();
        EXPECT_EQ(next.Entries(), names_) << "the next start shows the same list";
        EXPECT_EQ(next.List().listIndex, current_ < 0 ? -1 : current_);
    }

    std::mt19937 random_;
    const std::vector<int> codes_ = AllCodes();
    fakes::MemoryStore memory_;
    fakes::CaseBlindStore blind_{memory_};
    testing::SchemeStory story_{&blind_};
    std::vector<std::string> names_;
    std::map<std::string, SchemeValues> expected_;
    int current_ = -1;
};

TEST(SchemePropertyTest, RandomSwitchesSavesAndDeletesKeepTheStoreAndTheListInStep)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        SchemeRun(seed).Run(25);
        if (HasFailure())
            return;
    }
}

}  // namespace
}  // namespace clavitone
