// The settings of the quiet rules: the programs in front of which keys are
// quiet, and whether password fields are quiet.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace clavitone {

inline constexpr std::string_view SettingQuietPrograms = "QuietPrograms";
inline constexpr std::string_view SettingQuietInPasswords = "QuietInPasswords";

// Bounds of "QuietPrograms": entries beyond the first hundred, and longer
// than a Windows path, are dropped; so is everything after 32 KB of text.
inline constexpr std::size_t MaxQuietPrograms = 100;
inline constexpr std::size_t MaxProgramNameLength = 260;
inline constexpr std::size_t MaxQuietProgramsText = 32 * 1024;

inline constexpr char ProgramSeparator = '|';

struct QuietSettings {
    std::vector<std::string> programs;  // executable file names, each once whatever its case
    bool inPasswords = true;            // "QuietInPasswords": only "0" turns it off

    bool operator==(const QuietSettings&) const = default;
};

// The file name of a program path, without its folder.
std::string ProgramFileName(std::string_view path);
// Whether two file names are the same for Windows, which ignores case.
bool SameProgramName(std::string_view a, std::string_view b);

// "QuietPrograms" split at "|", within the bounds: blank and over-long
// entries are skipped, folders dropped, repeats kept once.
std::vector<std::string> ParseQuietPrograms(std::string_view text);
std::string JoinQuietPrograms(const std::vector<std::string>& programs);

QuietSettings ReadQuietSettings(SettingsStore& store);
void SaveQuietSettings(SettingsStore& store, const QuietSettings& settings);

}  // namespace clavitone
