#include "options/options_window.h"

#include <algorithm>
#include <utility>

#include "options/options_layout.h"
#include "options/quiet_settings.h"
#include "settings/engine_settings.h"
#include "settings/hotkey_setting.h"

namespace clavitone {

namespace {

constexpr std::string_view MessageTitle = "Clavitone";
constexpr std::string_view HotkeyTaken =
    "The mute hotkey is not active: another program uses this key combination. Your other settings are saved.";

constexpr std::string_view ProgramsFilter{"Programs (*.exe)\0*.exe\0\0", 25};
constexpr std::string_view AddTitle = "Quiet while this program is in front";
constexpr std::string_view ProgramExtension = "exe";
constexpr std::uint32_t NoChangeDir = 0x8;  // the program's working folder stays as it is
constexpr std::size_t FileBufferSize = 512;

bool Ticked(const Control& box)
{
    return box.value != 0;
}

}  // namespace

OptionsWindow::OptionsWindow(OptionsServices services, MuteHotkeyHolder hotkey, FormModel& pref, FormModel& form)
    : services_(services), hotkey_(std::move(hotkey)), pref_(pref), form_(form)
{
    form_.clicked = [this](Control& control) {
        if (Is(control, OptionsControl::Ok))
            Ok();
        else if (Is(control, OptionsControl::Cancel))
            Cancel();
        else if (Is(control, OptionsControl::Add))
            AddProgram();
        else if (Is(control, OptionsControl::Remove))
            RemoveProgram();
        else if (Is(control, OptionsControl::Engine))
            EngineChosen(control.id.index);
        else if (Is(control, OptionsControl::Programs))
            ProgramSelected();
        else if (Is(control, OptionsControl::Volume))
            ShowVolume();
    };
    form_.closeRequested = [this] { Cancel(); };
}

bool OptionsWindow::Show(const std::string& engineStatus)
{
    stored_ = false;
    Fill(engineStatus);
    hotkey_.letGo();
    services_.windows.ShowModal(form_, pref_.hWnd);
    // After OK this is the hotkey just taken; otherwise the one held before.
    hotkey_.holdStored();
    return stored_;
}

void OptionsWindow::Fill(const std::string& engineStatus)
{
    SettingsStore& store = services_.store;
    const EngineSettings engine = ReadEngineSettings(store);
    form_.SetCaption(form_(OptionsControl::EngineStatus), engineStatus);
    form_.SetValue(form_(OptionsControl::Engine, engine.mixed ? MixedEngine : ClassicEngine), 1);
    form_.SetValue(form_(OptionsControl::Volume), engine.volume);
    ShowVolume();
    form_.SetValue(form_(OptionsControl::Stereo), engine.stereoKeys ? 1 : 0);
    EnableMixedControls(engine.mixed);

    form_.SetValue(form_(OptionsControl::MuteHotkey), ReadMuteHotkey(store));

    const QuietSettings quiet = ReadQuietSettings(store);
    form_.SetValue(form_(OptionsControl::Passwords), quiet.inPasswords ? 1 : 0);
    form_.ClearList(Programs());
    for (const std::string& program : quiet.programs)
        form_.AddItem(Programs(), program);
    EnableListButtons();
}

// A hotkey that another program holds is stored all the same, with every
// other setting: it works once that program lets it go, from the next start.
void OptionsWindow::Ok()
{
    SettingsStore& store = services_.store;
    const int typed = form_(OptionsControl::MuteHotkey).value;
    const int hotkey = DecodeHotkey(typed) ? typed : NoHotkey;
    const bool hotkeyActive = hotkey_.take(hotkey);
    SaveEngineSettings(store, {Ticked(form_(OptionsControl::Engine, MixedEngine)), form_(OptionsControl::Volume).value,
                               Ticked(form_(OptionsControl::Stereo))});
    SaveMuteHotkey(store, hotkey);
    SaveQuietSettings(store, {Programs().items, Ticked(form_(OptionsControl::Passwords))});
    stored_ = true;
    if (!hotkeyActive)
        services_.messages.MessageBoxA(form_.hWnd, std::string(HotkeyTaken), std::string(MessageTitle),
                                       MessageOkOnly | MessageExclamation);
    Hide();
}

void OptionsWindow::Cancel()
{
    Hide();
}

// The list keeps file names only: a program is known by its name wherever
// it is started from.
void OptionsWindow::AddProgram()
{
    OpenFileRequest request;
    request.lStructSize = OpenFileRequestSize;
    request.hwndOwner = form_.hWnd;
    request.lpstrFilter = std::string(ProgramsFilter);
    request.nFilterIndex = 1;
    request.lpstrFile.assign(FileBufferSize, '\0');
    request.nMaxFile = FileBufferSize - 1;
    request.lpstrTitle = std::string(AddTitle);
    request.Flags = OpenFileFileMustExist | OpenFilePathMustExist | OpenFileHideReadOnly | NoChangeDir;
    request.lpstrDefExt = std::string(ProgramExtension);
    if (services_.fileDialog.GetOpenFileNameA(request) == 0)
        return;

    const std::string name = ProgramFileName(request.lpstrFile.substr(0, request.lpstrFile.find('\0')));
    Control& list = Programs();
    const auto known = std::find_if(list.items.begin(), list.items.end(),
                                    [&](const std::string& item) { return SameProgramName(item, name); });
    if (known != list.items.end()) {
        form_.SetListIndex(list, static_cast<int>(known - list.items.begin()));
    } else if (!name.empty() && name.size() <= MaxProgramNameLength && list.items.size() < MaxQuietPrograms) {
        form_.AddItem(list, name);
        form_.SetListIndex(list, static_cast<int>(list.items.size()) - 1);
    }
    EnableListButtons();
}

// The entry that moves up into the removed one's place is selected, so that
// Remove can be pressed again. Removing the last one greys Remove: the focus
// goes to the list rather than stay on a button that cannot take keys.
void OptionsWindow::RemoveProgram()
{
    Control& list = Programs();
    const int position = list.listIndex;
    if (position < 0)
        return;
    form_.RemoveItem(list, position);
    form_.SetListIndex(list, std::min(position, static_cast<int>(list.items.size()) - 1));
    EnableListButtons();
    if (list.items.empty() && list.hWnd)
        services_.focus.SetFocus(list.hWnd);
}

void OptionsWindow::EngineChosen(int Index)
{
    EnableMixedControls(Index == MixedEngine);
}

void OptionsWindow::ProgramSelected()
{
    EnableListButtons();
}

// Volume and stereo belong to the mixed engine alone; they keep their values
// while greyed.
void OptionsWindow::EnableMixedControls(bool mixed)
{
    for (OptionsControl id : {OptionsControl::VolumeLabel, OptionsControl::Volume, OptionsControl::VolumeValue,
                              OptionsControl::Stereo})
        form_.SetEnabled(form_(id), mixed);
}

void OptionsWindow::ShowVolume()
{
    form_.SetCaption(form_(OptionsControl::VolumeValue), std::to_string(form_(OptionsControl::Volume).value) + "%");
}

void OptionsWindow::EnableListButtons()
{
    form_.SetEnabled(form_(OptionsControl::Add), Programs().items.size() < MaxQuietPrograms);
    form_.SetEnabled(form_(OptionsControl::Remove), Programs().listIndex >= 0);
}

void OptionsWindow::Hide()
{
    services_.windows.ShowWindow(form_.hWnd, WindowHide);
}

}  // namespace clavitone
