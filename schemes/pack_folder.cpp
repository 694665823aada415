#include "schemes/pack_folder.h"

#include <algorithm>
#include <cctype>

#include "schemes/pack_names.h"
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

// The path as Windows reads it before it opens anything: "/" as "\\", and
// "." and ".." worked out, so that "Packs\\..\\x" is seen to leave Packs.
std::string ResolvedPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.size() > 1)  // never above the drive
                parts.pop_back();
        } else if (part != "." && !(part.empty() && !parts.empty())) {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string_view part : parts) {
        if (!resolved.empty() || part.empty())
            resolved.push_back('\\');
        resolved.append(part);
    }
    return resolved;
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
                const auto stored = FindSettingsText(store, key(scheme, code));
                if (!stored)
                    continue;
                // Only a direct child of Packs with a name of our own making,
                // whatever the stored path says.
                const std::string path = ResolvedPath(*stored);
                if (!StartsWithFolder(path, packs))
                    continue;
                const std::size_t end = path.find('\\', packs.size() + 1);
                const std::size_t first = packs.size() + 1;
                if (end != std::string::npos && IsSafeFolderName(std::string_view(path).substr(first, end - first)))
                    return path.substr(0, end);
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
                const auto path = FindSettingsText(store, PathKey(scheme, code));
                if (path && StartsWithFolder(ResolvedPath(*path), folder))
                    return;
            }
        }
    }
    files.RemoveFolder(folder);
}

}  // namespace clavitone
