#include "options/quiet_settings.h"

#include <algorithm>

#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string ProgramFileName(std::string_view path)
{
    const auto separator = path.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

// Case is folded for the ASCII letters only, which covers program names in
// practice and never depends on the code page.
bool SameProgramName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::vector<std::string> ParseQuietPrograms(std::string_view text)
{
    text = text.substr(0, MaxQuietProgramsText);
    std::vector<std::string> programs;
    while (!text.empty() && programs.size() < MaxQuietPrograms) {
        const auto end = text.find(ProgramSeparator);
        const std::string_view entry = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const std::string name = ProgramFileName(entry);
        if (name.empty() || entry.size() > MaxProgramNameLength)
            continue;
        if (std::none_of(programs.begin(), programs.end(),
                         [&](const std::string& known) { return SameProgramName(known, name); }))
            programs.push_back(name);
    }
    return programs;
}

std::string JoinQuietPrograms(const std::vector<std::string>& programs)
{
    std::string text;
    for (const std::string& program : programs) {
        if (!text.empty())
            text.push_back(ProgramSeparator);
        text += program;
    }
    return text;
}

QuietSettings ReadQuietSettings(SettingsStore& store)
{
    QuietSettings settings;
    if (const auto programs = FindSettingsText(store, SettingQuietPrograms))
        settings.programs = ParseQuietPrograms(*programs);
    settings.inPasswords = FindSettingsText(store, SettingQuietInPasswords) != "0";
    return settings;
}

void SaveQuietSettings(SettingsStore& store, const QuietSettings& settings)
{
    SaveSettingsText(store, SettingQuietPrograms, JoinQuietPrograms(settings.programs));
    SaveSettingsText(store, SettingQuietInPasswords, settings.inPasswords ? "1" : "0");
}

}  // namespace clavitone
