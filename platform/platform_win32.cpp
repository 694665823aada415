#include "platform/platform_win32.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/instance_mutex.h"
#include "platform/program_file.h"

namespace clavitone {

namespace {

// Per logon session: each user has an instance of their own.
constexpr char InstanceMutexName[] = "Local\\Clavitone.Instance";
constexpr int TwipsPerInch = 1440;
constexpr DWORD NotifyIconFirstLayoutSize = 88;
static_assert(ErrorAccessDenied == ERROR_ACCESS_DENIED && ErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == NotifyIconFirstLayoutSize);

std::string ModulePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int TwipsPerPixel(int deviceCap)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, deviceCap);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? TwipsPerInch / dpi : 15;
}

std::wstring WideFromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

// The registry compares value names as this does with case ignored.
int WinTextComparison::CompareStringOrdinal(const std::string& a, const std::string& b, bool ignoreCase)
{
    const std::wstring wideA = WideFromAnsi(a);
    const std::wstring wideB = WideFromAnsi(b);
    return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                  static_cast<int>(wideB.size()), ignoreCase ? TRUE : FALSE);
}

// Our names for the SDK's values pass straight through.
static_assert(PlayAsync == SND_ASYNC);
static_assert(TrayIconAdd == NIM_ADD && TrayIconModify == NIM_MODIFY && TrayIconDelete == NIM_DELETE);

void WinSoundPlayer::sndPlaySoundA(const char* path, unsigned flags)
{
    ::sndPlaySoundA(path, flags);
}

void WinTrayShell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record)
{
    NOTIFYICONDATAA data{};
    // The program states the first layout's 32-bit size; a 64-bit build
    // passes the size of that same layout with its wider handles.
    data.cbSize = record.cbSize == NotifyIconFirstLayoutSize ? NOTIFYICONDATAA_V1_SIZE : record.cbSize;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    std::memcpy(data.szTip, record.szTip.data(), record.szTip.size());
    ::Shell_NotifyIconA(message, &data);
}

void WinShell::ShellExecuteA(WindowHandle owner, const char* operation, const char* file, const char* parameters,
                             const char* directory, int showCommand)
{
    ::ShellExecuteA(reinterpret_cast<HWND>(owner), operation, file, parameters, directory, showCommand);
}

HookLibrary::HookLibrary(const std::string& programFolder)
    : library_(LoadLibraryA((programFolder + "\\keybhook.dll").c_str()))
{
    if (!library_)
        return;
    init_ = reinterpret_cast<HookCall>(reinterpret_cast<void*>(GetProcAddress(library_.get(), "_InitHook@4")));
    delete_ = reinterpret_cast<HookCall>(reinterpret_cast<void*>(GetProcAddress(library_.get(), "_DeleteHook@4")));
}

void HookLibrary::InitHook(WindowHandle window)
{
    if (init_)
        init_(reinterpret_cast<HWND>(window));
}

void HookLibrary::DeleteHook(WindowHandle window)
{
    if (delete_)
        delete_(reinterpret_cast<HWND>(window));
}

WinEnvironment::WinEnvironment()
    : modulePath_(ModulePath()), instanceMutex_(CreateMutexA(nullptr, FALSE, InstanceMutexName))
{
    previousInstance_ = InstanceMutexShowsRunningInstance(static_cast<bool>(instanceMutex_), GetLastError());
}

bool WinEnvironment::PrevInstance()
{
    return previousInstance_;
}

std::string WinEnvironment::AppPath()
{
    return ProgramFolder(modulePath_);
}

std::string WinEnvironment::ExeName()
{
    return ProgramName(modulePath_);
}

int WinEnvironment::TwipsPerPixelX()
{
    return TwipsPerPixel(LOGPIXELSX);
}

int WinEnvironment::TwipsPerPixelY()
{
    return TwipsPerPixel(LOGPIXELSY);
}

void WinEnvironment::EndProcess()
{
    ExitProcess(0);
}

}  // namespace clavitone
