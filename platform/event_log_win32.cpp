#include "platform/event_log_win32.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/log_text.h"
#include "platform/scoped_win32.h"

namespace clavitone {

namespace {

ScopedHandle OpenLog(const std::string& path, DWORD access, DWORD disposition)
{
    const HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return ScopedHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

FileEventLog::FileEventLog()
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return;
    path_ = std::string(folder) + "\\Clavitone";
    CreateDirectoryA(path_.c_str(), nullptr);
    path_ += "\\Clavitone.log";
}

void FileEventLog::Write(std::string_view text)
{
    if (path_.empty())
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string line = LogLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}, text);
    ScopedHandle file = OpenLog(path_, FILE_APPEND_DATA, OPEN_ALWAYS);
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) &&
        LogMustRestart(static_cast<std::uint64_t>(size.QuadPart), line.size())) {
        file.reset();
        file = OpenLog(path_, GENERIC_WRITE, CREATE_ALWAYS);
    }
    if (!file)
        return;
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace clavitone
