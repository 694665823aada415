#include "prefs/sound_browse.h"

#include "settings/number_text.h"
#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view WavFiles = "*.wav";
constexpr std::string_view AllFiles = "*.*";
constexpr std::string_view FilesText = "Files";      // + the button's index
constexpr std::string_view AllFilesText = "All files";
constexpr std::string_view DialogTitle = "Find a sound for the button ";
constexpr std::string_view ReleaseDialogTitle = "Find a release sound for the button ";
constexpr std::int16_t ReleaseBox = 1;
// The dialog reads an empty description as the end of its filter list and
// would then list every file: without the installer's texts these stand in.
constexpr std::string_view PlainFilesText = "Sound files";
constexpr std::string_view PlainAllFilesText = "All files (*.*)";

constexpr std::size_t FileBufferSize = 512;
constexpr std::uint32_t FileBufferLimit = FileBufferSize - 1;  // the buffer always ends in a NUL
constexpr std::uint32_t FirstFilter = 1;

// The dialog's file buffer: the initial name, then NULs up to its full size.
std::string FileBuffer(const std::string& name)
{
    std::string buffer = name.substr(0, FileBufferLimit);
    buffer.resize(FileBufferSize, '\0');
    return buffer;
}

}  // namespace

SoundBrowse::SoundBrowse(FormModel& form, SettingsStore& store, Environment& environment, FileDialog& dialog,
                         const KeyDetails& details)
    : form_(form), store_(store), environment_(environment), dialog_(dialog), details_(details)
{
}

void SoundBrowse::cmdBrowse_Click(int Index)
{
    Control* path = form_.Find(PrefControl::Text, Index);
    if (!path)
        return;
    FollowPathBox(path->text);
    const std::string chosen = OpenFile(std::string(WavFiles), static_cast<std::int16_t>(Index), {});
    // Also after a cancel: the box gets its own text back and the change
    // rule stores the value it already had.
    form_.SetText(*path, chosen);
}

std::string SoundBrowse::OpenFile(const std::string& FileExtension, const std::int16_t& BrowseNumber,
                                  const std::string& fname)
{
    BrowseText[1] = GetLanguageText(store_, std::string(FilesText) + NumberText(BrowseNumber));
    if (BrowseText[1].empty())
        BrowseText[1] = std::string(PlainFilesText) + " (" + FileExtension + ")";
    BrowseText[2] = GetLanguageText(store_, AllFilesText);
    if (BrowseText[2].empty())
        BrowseText[2] = PlainAllFilesText;

    std::string filter;
    for (const std::string_view part : {std::string_view(BrowseText[1]), std::string_view(FileExtension),
                                        std::string_view(BrowseText[2]), AllFiles})
        filter.append(part).push_back('\0');
    filter.push_back('\0');

    OpenFileRequest request;
    request.lStructSize = OpenFileRequestSize;
    request.hwndOwner = form_.hWnd;
    request.lpstrFilter = std::move(filter);
    request.nFilterIndex = FirstFilter;
    request.lpstrFile = FileBuffer(fname);
    request.nMaxFile = FileBufferLimit;
    request.lpstrFileTitle = FileBuffer({});
    request.nMaxFileTitle = FileBufferLimit;
    request.lpstrInitialDir = BrowseText[0];
    request.lpstrTitle = std::string(BrowseNumber == ReleaseBox ? ReleaseDialogTitle : DialogTitle) + details_.SelectedKeyName;
    request.Flags = OpenFileFileMustExist | OpenFilePathMustExist | OpenFileHideReadOnly;
    request.lpstrDefExt = FileExtension;

    if (dialog_.GetOpenFileNameA(request) != 0)
        return request.lpstrFile.substr(0, request.lpstrFile.find('\0'));
    const Control* box = form_.Find(PrefControl::Text, BrowseNumber);
    return box ? box->text : std::string();
}

// The dialog opens in the folder of the file shown, or in the program's
// folder when the box shows no path; an empty box keeps the last folder.
void SoundBrowse::FollowPathBox(const std::string& path)
{
    if (path.empty())
        return;
    const std::size_t separator = path.rfind('\\');
    BrowseText[0] = separator == std::string::npos ? environment_.AppPath() : path.substr(0, separator + 1);
}

}  // namespace clavitone
