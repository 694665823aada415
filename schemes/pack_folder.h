// The folder of imported packs, %APPDATA%\Clavitone\Packs: one folder of WAV
// files per imported scheme, written whole or not at all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "settings/settings_store.h"

namespace clavitone {

// Empty when the user's application data folder is unknown.
std::string PacksFolder(FileSystem& files);

struct PackFile {
    std::string name;
    std::function<std::vector<std::uint8_t>()> bytes;  // made only when written, one file at a time
};

// Writes the files into a fresh folder under Packs named after folderName
// (with " 2", " 3" and so on when taken) and returns its path. The files go
// into a temporary folder first, renamed at the end; on any failure nothing
// is left behind and the result is nullopt.
std::optional<std::string> WritePackFolder(FileSystem& files, std::string_view folderName,
                                           const std::vector<PackFile>& contents);

// The folder under Packs that a scheme's stored sounds lie in, if any.
std::optional<std::string> SchemePackFolder(FileSystem& files, SettingsStore& store, std::string_view scheme);

// Removes the folder unless one of these schemes still plays a file in it
// (a copy made with "Save as..." shares its files).
void RemoveUnusedPackFolder(FileSystem& files, SettingsStore& store, const std::string& folder,
                            const std::vector<std::string>& schemes);

}  // namespace clavitone
