#include "platform/file_system_win32.h"

#include <windows.h>

#include "platform/scoped_win32.h"

namespace clavitone {

namespace {

using ScopedFind = Scoped<HANDLE, FindClose>;

// CreateFileA and FindFirstFileA report failure as INVALID_HANDLE_VALUE, not null.
HANDLE OrNull(HANDLE handle)
{
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool IsDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::wstring Wide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

FileReadResult ReadWholeFile(const std::wstring& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    ScopedHandle file(OrNull(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadResult::Missing
                                                                               : FileReadResult::Failed;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return FileReadResult::Failed;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return FileReadResult::TooLarge;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return FileReadResult::Failed;
    return FileReadResult::Ok;
}

}  // namespace

std::string WinFileSystem::AppDataFolder()
{
    char buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("APPDATA", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

FileReadResult WinFileSystem::ReadFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    return ReadWholeFile(Wide(path, CP_ACP), maxBytes, bytes);
}

FileReadResult WinFileSystem::ReadPackFile(const std::string& folder, const std::string& utf8Name,
                                           std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    const std::wstring name = Wide(utf8Name, CP_UTF8);
    if (name.empty())
        return FileReadResult::Missing;
    return ReadWholeFile(Wide(folder, CP_ACP) + L"\\" + name, maxBytes, bytes);
}

bool WinFileSystem::CreateFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WinFileSystem::FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    ScopedHandle file(OrNull(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool WinFileSystem::MoveFolder(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), 0);
}

void WinFileSystem::RemoveFolder(const std::string& path)
{
    // A folder that is itself a link (packs moved to another drive) goes as
    // a link: what it points to is not ours to empty.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    ScopedFind find(OrNull(FindFirstFileA((path + "\\*").c_str(), &entry)));
    if (find) {
        do {
            if (IsDotEntry(entry.cFileName))
                continue;
            const std::string inner = path + "\\" + entry.cFileName;
            // A link to a folder elsewhere goes, never what it points to.
            const bool folder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            const bool link = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
            // A link to a file stays: under Wine, DeleteFile removes its target.
            if (folder && link)
                RemoveDirectoryA(inner.c_str());
            else if (folder)
                RemoveFolder(inner);
            else if (!link)
                DeleteFileA(inner.c_str());
        } while (FindNextFileA(find.get(), &entry));
    }
    find.reset();
    RemoveDirectoryA(path.c_str());
}

std::string WinCodePage::Utf8ToAnsi(const std::string& utf8, bool& lossy)
{
    lossy = false;
    if (utf8.empty())
        return {};
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0) {
        lossy = true;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);

    // Character by character, so that one the code page lacks is left out
    // rather than shown as a look-alike or a question mark.
    std::string ansi;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const int units = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() ? 2 : 1;
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide[i], units, bytes, sizeof bytes,
                                               nullptr, &usedDefault);
        if (length > 0 && !usedDefault)
            ansi.append(bytes, static_cast<std::size_t>(length));
        else
            lossy = true;
        i += static_cast<std::size_t>(units - 1);
    }
    return ansi;
}

}  // namespace clavitone
