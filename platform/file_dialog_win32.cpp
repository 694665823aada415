#include "platform/file_dialog_win32.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cstddef>

namespace clavitone {

namespace {

// OPENFILENAME_SIZE_VERSION_400A, in a form the compiler can check.
constexpr DWORD FirstLayoutSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
static_assert(sizeof(void*) != 4 || FirstLayoutSize == OpenFileRequestSize);

// The request states the 32-bit size of the layout without the Windows 2000
// fields; a 64-bit build passes the size of that same layout with its wider pointers.
DWORD StructSize(std::uint32_t requested)
{
    return requested == OpenFileRequestSize ? FirstLayoutSize : requested;
}

// The dialog appends a default extension, not a pattern: "*.wav" gives "wav".
std::string Extension(const std::string& pattern)
{
    const std::size_t dot = pattern.rfind('.');
    return dot == std::string::npos ? pattern : pattern.substr(dot + 1);
}

// The dialog may write up to the stated length into a buffer, never beyond its end.
DWORD WritableLength(const std::string& buffer, std::uint32_t stated)
{
    return static_cast<DWORD>(std::min<std::size_t>(stated, buffer.size()));
}

}  // namespace

int WinFileDialog::GetOpenFileNameA(OpenFileRequest& request)
{
    std::string file = request.lpstrFile;
    std::string fileTitle = request.lpstrFileTitle;
    const std::string defaultExtension = Extension(request.lpstrDefExt);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = StructSize(request.lStructSize);
    dialog.hwndOwner = reinterpret_cast<HWND>(request.hwndOwner);
    dialog.hInstance = reinterpret_cast<HINSTANCE>(request.hInstance);
    dialog.lpstrFilter = request.lpstrFilter.c_str();
    dialog.nMaxCustFilter = request.nMaxCustFilter;
    dialog.nFilterIndex = request.nFilterIndex;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = WritableLength(file, request.nMaxFile);
    dialog.lpstrFileTitle = fileTitle.data();
    dialog.nMaxFileTitle = WritableLength(fileTitle, request.nMaxFileTitle);
    dialog.lpstrInitialDir = request.lpstrInitialDir.c_str();
    dialog.lpstrTitle = request.lpstrTitle.c_str();
    dialog.Flags = request.Flags;
    dialog.nFileOffset = request.nFileOffset;
    dialog.nFileExtension = request.nFileExtension;
    dialog.lpstrDefExt = defaultExtension.c_str();
    dialog.lCustData = request.lCustData;

    const BOOL chosen = ::GetOpenFileNameA(&dialog);
    request.lpstrFile = std::move(file);
    request.lpstrFileTitle = std::move(fileTitle);
    request.nFileOffset = dialog.nFileOffset;
    request.nFileExtension = dialog.nFileExtension;
    return chosen;
}

}  // namespace clavitone
