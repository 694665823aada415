#include "schemes/pack_folder.h"

#include <algorithm>
#include <cctype>

#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view OwnFolder = "\\Clavitone";
constexpr std::string_view PacksSubfolder = "\\Packs";
// SafeFolderName never begins with '~', so no pack's folder is taken for a leftover.
constexpr std::string_view TemporaryPrefix = "~importing ";

// The values that name a key's first press and release files; its further
// sounds always lie beside them.
constexpr std::string (*SoundPathKeys[])(std::string_view, int) = {PathKey, ReleaseKey};

// Windows compares paths without regard to letter case.
bool StartsWithFolder(std::string_view path, std::string_view folder)
{
    return path.size() > folder.size() && path[folder.size()] == '\\' &&
           std::equal(folder.begin(), folder.end(), path.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool WriteAll(FileSystem& files, const std::string& folder, const std::vector<PackFile>& contents)
{
    if (!files.CreateFolder(folder))
        return false;
    for (const PackFile& file : contents)
        if (!files.WriteFile(folder + "\\" + file.name, file.bytes()))
            return false;
    return true;
}

}  // namespace

std::string PacksFolder(FileSystem& files)
{
    const std::string appData = files.AppDataFolder();
    if (appData.empty())
        return {};
    return appData + std::string(OwnFolder) + std::string(PacksSubfolder);
}

std::optional<std::string> WritePackFolder(FileSystem& files, std::string_view folderName,
                                           const std::vector<PackFile>& contents)
{
    const std::string packs = PacksFolder(files);
    if (packs.empty() || !files.CreateFolder(packs.substr(0, packs.size() - PacksSubfolder.size())) ||
        !files.CreateFolder(packs))
        return std::nullopt;

    std::string target = packs + "\\" + std::string(folderName);
    for (int n = 2; files.FolderExists(target); ++n)
        target = packs + "\\" + std::string(folderName) + " " + std::to_string(n);

    const std::string temporary = packs + "\\" + std::string(TemporaryPrefix) + std::string(folderName);
    files.RemoveFolder(temporary);  // left by an import the program did not live to finish
    if (WriteAll(files, temporary, contents) && files.MoveFolder(temporary, target))
        return target;
    files.RemoveFolder(temporary);
    return std::nullopt;
}

std::optional<std::string> SchemePackFolder(FileSystem& files, SettingsStore& store, std::string_view scheme)
{
    const std::string packs = PacksFolder(files);
    if (packs.empty())
        return std::nullopt;
    for (const KeyRange range : SchemeKeyCodes) {
        for (int code = range.first; code <= range.last; ++code) {
            for (const auto key : SoundPathKeys) {
                const auto path = FindSettingsText(store, key(scheme, code));
                if (!path || !StartsWithFolder(*path, packs))
                    continue;
                const std::size_t end = path->find('\\', packs.size() + 1);
                if (end != std::string::npos)
                    return path->substr(0, end);
            }
        }
    }
    return std::nullopt;
}

void RemoveUnusedPackFolder(FileSystem& files, SettingsStore& store, const std::string& folder,
                            const std::vector<std::string>& schemes)
{
    for (const std::string& scheme : schemes) {
        for (const KeyRange range : SchemeKeyCodes) {
            for (int code = range.first; code <= range.last; ++code) {
                for (const auto key : SoundPathKeys) {
                    const auto path = FindSettingsText(store, key(scheme, code));
                    if (path && StartsWithFolder(*path, folder))
                        return;
                }
            }
        }
    }
    files.RemoveFolder(folder);
}

}  // namespace clavitone
