// Files, folders and the ANSI code page through the ANSI calls of kernel32.
#pragma once

#include "platform/platform.h"

namespace clavitone {

class WinFileSystem final : public FileSystem {
public:
    std::string AppDataFolder() override;
    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override;
    FileReadResult ReadPackFile(const std::string& folder, const std::string& utf8Name, std::size_t maxBytes,
                                std::vector<std::uint8_t>& bytes) override;
    bool CreateFolder(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool MoveFolder(const std::string& from, const std::string& to) override;
    void RemoveFolder(const std::string& path) override;
};

class WinCodePage final : public CodePage {
public:
    std::string Utf8ToAnsi(const std::string& utf8, bool& lossy) override;
};

}  // namespace clavitone
