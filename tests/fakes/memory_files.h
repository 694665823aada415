// An in-memory file system, with failures to order, and a code page that
// keeps ASCII and Latin-1 letters (like 1252) and drops everything else.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace clavitone::fakes {

class MemoryFiles final : public FileSystem {
public:
    std::string AppDataFolder() override { return appData; }

    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override
    {
        const auto file = files.find(path);
        if (file == files.end())
            return FileReadResult::Missing;
        if (file->second.size() > maxBytes)
            return FileReadResult::TooLarge;
        bytes = file->second;
        return FileReadResult::Ok;
    }
    FileReadResult ReadPackFile(const std::string& folder, const std::string& utf8Name, std::size_t maxBytes,
                                std::vector<std::uint8_t>& bytes) override
    {
        return ReadFile(folder + "\\" + utf8Name, maxBytes, bytes);
    }
    bool CreateFolder(const std::string& path) override
    {
        if (failCreate.contains(path))
            return false;
        folders.insert(path);
        return true;
    }
    bool FolderExists(const std::string& path) override { return folders.contains(path); }
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override
    {
        if (writesLeft == 0 || !folders.contains(path.substr(0, path.rfind('\\'))))
            return false;
        --writesLeft;
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }
    bool MoveFolder(const std::string& from, const std::string& to) override
    {
        if (failMove || !folders.contains(from) || folders.contains(to))
            return false;
        folders.erase(from);
        folders.insert(to);
        for (const auto& [path, bytes] : Inside(from))
            files[to + path.substr(from.size())] = bytes;
        Remove(from);
        return true;
    }
    void RemoveFolder(const std::string& path) override
    {
        removed.push_back(path);
        folders.erase(path);
        Remove(path);
    }

    void Add(const std::string& path, std::string_view text) { files[path].assign(text.begin(), text.end()); }
    void Add(const std::string& path, std::vector<std::uint8_t> bytes) { files[path] = std::move(bytes); }
    // Paths of files under a folder.
    std::map<std::string, std::vector<std::uint8_t>> Inside(const std::string& folder) const
    {
        std::map<std::string, std::vector<std::uint8_t>> inside;
        for (const auto& [path, bytes] : files)
            if (path.starts_with(folder + "\\"))
                inside.emplace(path, bytes);
        return inside;
    }

    std::string appData = "C:\\Users\\me\\AppData\\Roaming";
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> folders;
    std::set<std::string> failCreate;
    std::size_t writesLeft = static_cast<std::size_t>(-1);
    bool failMove = false;
    std::vector<std::string> removed;  // every RemoveFolder, in order

private:
    void Remove(const std::string& folder)
    {
        std::erase_if(files, [&](const auto& file) { return file.first.starts_with(folder + "\\"); });
        std::erase_if(folders, [&](const std::string& inner) { return inner.starts_with(folder + "\\"); });
    }
};

class Latin1CodePage final : public CodePage {
public:
    std::string Utf8ToAnsi(const std::string& utf8, bool& lossy) override
    {
        lossy = false;
        std::string ansi;
        for (std::size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (length == 1)
                ansi.push_back(utf8[i]);
            else if (length == 2 && lead <= 0xC3)
                ansi.push_back(static_cast<char>(((lead & 0x03) << 6) | (utf8[i + 1] & 0x3F)));
            else
                lossy = true;
            i += length;
        }
        return ansi;
    }
};

}  // namespace clavitone::fakes
