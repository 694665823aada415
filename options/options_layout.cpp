#include "options/options_layout.h"

#include "settings/engine_settings.h"
#include "ui/control_row.h"

namespace clavitone {

namespace {

// Top to bottom as the settings are read: the engine and what only the mixed
// one does (indented below it), the hotkey, the two quiet rules, then OK and
// Cancel at the bottom right. Each label comes just before its control.
constexpr ControlRow ControlRows[] = {
    {"Engine", ClassicEngine, ControlKind::OptionButton, OnWindow, NoIndex, "&Classic (one sound at a time)", {},
     {180, 180, 5340, 255}, 0},
    {"Engine", MixedEngine, ControlKind::OptionButton, OnWindow, NoIndex, "&Mixed (sounds overlap)", {},
     {180, 480, 5340, 255}, 1},
    {"VolumeLabel", NoIndex, ControlKind::Label, OnWindow, NoIndex, "&Volume", {}, {420, 870, 840, 195}, 2},
    {"Volume", NoIndex, ControlKind::TrackBar, OnWindow, NoIndex, {}, {}, {1320, 780, 3540, 375}, 3},
    // The slider's value, always in sight rather than only while dragged.
    {"VolumeValue", NoIndex, ControlKind::Label, OnWindow, NoIndex, {}, {}, {4920, 870, 600, 195}, -1},
    {"Stereo", NoIndex, ControlKind::CheckBox, OnWindow, NoIndex, "&Stereo by key position", {},
     {420, 1230, 5100, 255}, 4},
    {"HotkeyLabel", NoIndex, ControlKind::Label, OnWindow, NoIndex, "Mute &hotkey", {}, {180, 1710, 1320, 195}, 5},
    {"MuteHotkey", NoIndex, ControlKind::HotkeyBox, OnWindow, NoIndex, {}, {}, {1560, 1650, 2400, 315}, 6},
    {"Passwords", NoIndex, ControlKind::CheckBox, OnWindow, NoIndex, "Quiet in &password fields", {},
     {180, 2130, 5340, 255}, 7},
    {"ProgramsLabel", NoIndex, ControlKind::Label, OnWindow, NoIndex, "Quiet &while these programs are in front", {},
     {180, 2550, 5340, 195}, 8},
    {"Programs", NoIndex, ControlKind::ListBox, OnWindow, NoIndex, {}, {}, {180, 2790, 3960, 1290}, 9},
    {"Add", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&Add...", {}, {4260, 2790, 1260, 315}, 10},
    {"Remove", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&Remove", {}, {4260, 3195, 1260, 315}, 11},
    {"Ok", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&OK", {}, {2880, 4380, 1260, 315}, 12},
    {"Cancel", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "Ca&ncel", {}, {4260, 4380, 1260, 315}, 13},
    // How keys are played right now and, after a failure, why: three lines
    // hold the longest reason.
    {"EngineStatus", NoIndex, ControlKind::Label, OnWindow, NoIndex, {}, {}, {180, 4815, 5340, 585}, -1},
};

}  // namespace

std::string_view ControlName(OptionsControl id)
{
    switch (id) {
    case OptionsControl::Engine: return "Engine";
    case OptionsControl::VolumeLabel: return "VolumeLabel";
    case OptionsControl::Volume: return "Volume";
    case OptionsControl::VolumeValue: return "VolumeValue";
    case OptionsControl::Stereo: return "Stereo";
    case OptionsControl::HotkeyLabel: return "HotkeyLabel";
    case OptionsControl::MuteHotkey: return "MuteHotkey";
    case OptionsControl::Passwords: return "Passwords";
    case OptionsControl::ProgramsLabel: return "ProgramsLabel";
    case OptionsControl::Programs: return "Programs";
    case OptionsControl::Add: return "Add";
    case OptionsControl::Remove: return "Remove";
    case OptionsControl::Ok: return "Ok";
    case OptionsControl::Cancel: return "Cancel";
    case OptionsControl::EngineStatus: return "EngineStatus";
    }
    return {};
}

FormModel MakeOptionsForm()
{
    FormModel form;
    form.name = "OptionsWindow";
    form.caption = "Clavitone Options";
    form.clientWidth = 5700;
    form.clientHeight = 5520;
    form.enterButton = ControlName(OptionsControl::Ok);
    form.escapeButton = ControlName(OptionsControl::Cancel);

    for (const ControlRow& row : ControlRows)
        form.controls.push_back(MakeControl(row));
    form(OptionsControl::Volume).maxValue = MaxVolume;
    return form;
}

}  // namespace clavitone
