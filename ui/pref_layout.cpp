#include "ui/pref_layout.h"

#include "ui/control_row.h"

namespace clavitone {

namespace {

// Row tops of the keyboard picture.
constexpr int Row1 = 960;
constexpr int Row2 = 1500;
constexpr int Row3 = 1920;
constexpr int Row4 = 2340;
constexpr int Row5 = 2760;
constexpr int Row6 = 3180;

constexpr int Key = 375;  // a standard key is square
constexpr int Nav = 390;  // the navigation block above the arrows is a little larger

}  // namespace

// The arrow keys are one block in the tab order: Up follows right Ctrl,
// although it sits a row higher.
const std::array<KeyButtonLayout, KeyButtonCount> KeyboardLayout{{
    {27, "Esc", {}, 120, Row1, Key, Key, false},
    {112, "F1", {}, 660, Row1, Key, Key, false},
    {113, "F2", {}, 1080, Row1, Key, Key, false},
    {114, "F3", {}, 1500, Row1, Key, Key, false},
    {115, "F4", {}, 1920, Row1, Key, Key, false},
    {116, "F5", {}, 2640, Row1, Key, Key, false},
    {117, "F6", {}, 3060, Row1, Key, Key, false},
    {118, "F7", {}, 3480, Row1, Key, Key, false},
    {119, "F8", {}, 3900, Row1, Key, Key, false},
    {120, "F9", {}, 4740, Row1, Key, Key, false},
    {121, "F10", {}, 5160, Row1, Key, Key, false},
    {122, "F11", {}, 5580, Row1, Key, Key, false},
    {123, "F12", {}, 6000, Row1, Key, Key, false},
    {44, {}, "KEY_MONITOR", 6540, Row1, Nav, Nav, false},
    {145, {}, "KEY_PADLOCK", 6960, Row1, Nav, Nav, false},
    {19, {}, "KEY_PAUSE", 7380, Row1, Nav, Nav, false},

    {192, "`", {}, 120, Row2, Key, Key, false},
    {49, "1", {}, 540, Row2, Key, Key, false},
    {50, "2", {}, 960, Row2, Key, Key, false},
    {51, "3", {}, 1380, Row2, Key, Key, false},
    {52, "4", {}, 1800, Row2, Key, Key, false},
    {53, "5", {}, 2220, Row2, Key, Key, false},
    {54, "6", {}, 2640, Row2, Key, Key, false},
    {55, "7", {}, 3060, Row2, Key, Key, false},
    {56, "8", {}, 3480, Row2, Key, Key, false},
    {57, "9", {}, 3900, Row2, Key, Key, false},
    {48, "0", {}, 4320, Row2, Key, Key, false},
    {189, "-", {}, 4740, Row2, Key, Key, false},
    {187, "+", {}, 5160, Row2, Key, Key, false},
    {220, "\\", {}, 5580, Row2, Key, Key, false},
    {8, {}, "KEY_LEFT", 6000, Row2, Key, Key, false},
    {45, "Ins", {}, 6540, Row2, Nav, Nav, false},
    {36, {}, "KEY_HOME", 6960, Row2, Nav, Nav, false},
    {33, {}, "KEY_PAGEUP", 7380, Row2, Nav, Nav, false},

    {9, "Tab", {}, 120, Row3, 795, Key, true},
    {81, "Q", {}, 960, Row3, Key, Key, true},
    {87, "W", {}, 1380, Row3, Key, Key, true},
    {69, "E", {}, 1800, Row3, Key, Key, true},
    {82, "R", {}, 2220, Row3, Key, Key, true},
    {84, "T", {}, 2640, Row3, Key, Key, true},
    {89, "Y", {}, 3060, Row3, Key, Key, true},
    {85, "U", {}, 3480, Row3, Key, Key, true},
    {73, "I", {}, 3900, Row3, Key, Key, true},
    {79, "O", {}, 4320, Row3, Key, Key, true},
    {80, "P", {}, 4740, Row3, Key, Key, true},
    {219, "[", {}, 5160, Row3, 600, Key, false},
    {221, "]", {}, 5820, Row3, 540, Key, false},
    {46, "Del", {}, 6540, Row3, Nav, Nav, false},
    {35, "End", {}, 6960, Row3, Nav, Nav, false},
    {34, {}, "KEY_PAGEDOWN", 7380, Row3, Nav, Nav, false},

    {20, "Caps Lock", {}, 120, Row4, 915, Key, false},
    {65, "A", {}, 1080, Row4, Key, Key, true},
    {83, "S", {}, 1500, Row4, Key, Key, true},
    {68, "D", {}, 1920, Row4, Key, Key, true},
    {70, "F", {}, 2340, Row4, Key, Key, true},
    {71, "G", {}, 2760, Row4, Key, Key, true},
    {72, "H", {}, 3180, Row4, Key, Key, true},
    {74, "J", {}, 3600, Row4, Key, Key, true},
    {75, "K", {}, 4020, Row4, Key, Key, true},
    {76, "L", {}, 4440, Row4, Key, Key, true},
    {186, ";", {}, 4860, Row4, Key, Key, false},
    {222, "\"", {}, 5280, Row4, Key, Key, false},
    {13, "Enter", {}, 5700, Row4, 675, Key, true},

    {16, "Shift", {}, 120, Row5, 1155, Key, false},
    {90, "Z", {}, 1320, Row5, Key, Key, true},
    {88, "X", {}, 1740, Row5, Key, Key, true},
    {67, "C", {}, 2160, Row5, Key, Key, true},
    {86, "V", {}, 2580, Row5, Key, Key, true},
    {66, "B", {}, 3000, Row5, Key, Key, true},
    {78, "N", {}, 3420, Row5, Key, Key, true},
    {77, "M", {}, 3840, Row5, Key, Key, true},
    {188, "<", {}, 4260, Row5, Key, Key, false},
    {190, ">", {}, 4680, Row5, Key, Key, false},
    {191, "/", {}, 5100, Row5, Key, Key, false},
    {216, "Shift", {}, 5520, Row5, 855, Key, false},

    {17, "Ctrl", {}, 120, Row6, 615, Key, false},
    {92, {}, "KEY_WINDOWS", 780, Row6, 555, Key, false},
    {18, "Alt", {}, 1380, Row6, 435, Key, false},
    {32, "Space Bar", {}, 1860, Row6, 2655, Key, true},
    {218, "Alt", {}, 4560, Row6, 435, Key, false},
    {93, "Menu", {}, 5040, Row6, 615, Key, false},
    {217, "Ctrl", {}, 5700, Row6, 675, Key, false},
    {38, {}, "KEY_UP", 6960, Row5, Key, Key, false},
    {37, {}, "KEY_LEFT", 6540, Row6, Key, Key, false},
    {40, {}, "KEY_DOWN", 6960, Row6, Key, Key, false},
    {39, {}, "KEY_RIGHT", 7380, Row6, Key, Key, false},
}};

namespace {

constexpr int FirstKeyTabIndex = 1;
constexpr int ReleaseRowBottom = 5310 + 330;
constexpr int BottomMargin = 120;

// Every control except the key buttons, the lines and the menu.
constexpr ControlRow ControlRows[] = {
    {"chkLaunch", NoIndex, ControlKind::CheckBox, OnWindow, NoIndex,
     "&Automatically launch the application at start up", {}, {180, 4860, 4800, 255}, 96},
    {"picOptions", 0, ControlKind::PictureBox, OnWindow, NoIndex, {}, {}, {0, 0, 8100, 4845}, 88},
    {"Frame", 0, ControlKind::Frame, "picOptions", 0, {}, {}, {60, 60, 7935, 4695}, 89},
    {"Combo", 0, ControlKind::ComboList, "Frame", 0, {}, {}, {180, 300, 3000, 315}, 93},
    {"Command", 1, ControlKind::CommandButton, "Frame", 0, "&Save as...", {}, {3420, 300, 1380, 330}, 94},
    {"Command", 2, ControlKind::CommandButton, "Frame", 0, "&Delete scheme", {}, {4980, 300, 1380, 330}, 95},
    // In the free end of the scheme row, over the navigation keys, and last in
    // the tab order. It sits on the window, outside the panel that muting
    // disables, so that the mute hotkey can be changed while muted.
    {"Command", 3, ControlKind::CommandButton, OnWindow, NoIndex, "&Options...", {}, {6600, 360, 1235, 330}, 97},
    {"Label", 0, ControlKind::Label, "Frame", 0, "Path to sound", {}, {120, 3960, 3135, 195}, 92},
    {"Text", 0, ControlKind::TextBox, "Frame", 0, {}, {}, {120, 4200, 6240, 330}, 90},
    {"cmdBrowse", 0, ControlKind::CommandButton, "Frame", 0, "&Find sound", {}, {6540, 4200, 1235, 330}, 91},
    // pichook and the images lie right of the client area: present, never seen.
    {"pichook", NoIndex, ControlKind::PictureBox, OnWindow, NoIndex, {}, {}, {8880, 720, 855, 555}, 87},
    {"Command", 0, ControlKind::CommandButton, OnWindow, NoIndex, " &Minimize", {}, {6660, 4860, 1335, 315}, 0},
    // In the free space left of " Minimize", outside picOptions(0): like
    // chkLaunch it stays usable while sounds are off.
    {"cmdImport", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&Import pack...", {},
     {5160, 4860, 1380, 315}, 98},
    // The selected key's release sound, in a row the window grew for it below
    // the bottom row; its box and button line up with the path box and
    // "Find sound" above, and come last in the tab order.
    {"Label", 1, ControlKind::Label, OnWindow, NoIndex, "Release sound", {}, {180, 5378, 1380, 195}, 99},
    {"Text", 1, ControlKind::TextBox, OnWindow, NoIndex, {}, {}, {1620, 5310, 4800, 330}, 100},
    {"cmdBrowse", 1, ControlKind::CommandButton, OnWindow, NoIndex, "Find release", {}, {6600, 5310, 1235, 330}, 101},
    {"imgDefault", 0, ControlKind::Image, OnWindow, NoIndex, {}, "TRAYON", {8880, 120, 480, 480}, -1},
    {"imgDefault", 1, ControlKind::Image, OnWindow, NoIndex, {}, "TRAYOFF", {9600, 120, 480, 480}, -1},
};

// Two etched separators across the frame: a dark line with a light one below it.
struct LineRow {
    std::string_view name;
    SystemColor color;
    int top;
};

constexpr int LineLeft = 15;
constexpr int LineWidth = 7905;

constexpr LineRow LineRows[] = {
    {"Line4", SystemColor::ButtonShadow, 720},
    {"Line3", SystemColor::Highlight3D, 735},
    {"Line2", SystemColor::ButtonShadow, 3825},
    {"Line1", SystemColor::Highlight3D, 3840},
};

// The tray menu hangs below a hidden top-level entry. The indices are the
// ones mnuPopUp_Click receives, gaps included.
constexpr std::string_view MenuParentCaption = "PopUp Menu";

struct MenuRow {
    int index;
    std::string_view caption;
};

constexpr MenuRow MenuRows[] = {
    {1, "&Mute"}, {2, "&Preferences"}, {3, "&Help"}, {4, "&About"}, {5, "-"}, {7, "-"}, {8, "E&xit Program"},
};

constexpr int Ticked = 1;

Control MakeKeyButton(const KeyButtonLayout& key, int tabIndex)
{
    Control control;
    control.id = {PrefControl::chkSound, key.code};
    control.kind = ControlKind::KeyButton;
    control.container = ControlName(PrefControl::Frame);
    control.containerIndex = 0;
    control.caption = key.caption;
    control.picture = key.picture;
    control.rect = {key.left, key.top, key.width, key.height};
    control.tabIndex = tabIndex;
    control.bold = key.bold;
    return control;
}

Control MakeLine(const LineRow& row)
{
    Control control;
    control.id = {std::string(row.name), NoIndex};
    control.kind = ControlKind::Line;
    control.container = ControlName(PrefControl::Frame);
    control.containerIndex = 0;
    control.rect = {LineLeft, row.top, LineWidth, 0};
    control.lineColor = row.color;
    return control;
}

Control MakeMenuItem(std::string_view name, int index, std::string_view container, std::string_view caption)
{
    Control control;
    control.id = {std::string(name), index};
    control.kind = ControlKind::MenuItem;
    control.container = container;
    control.caption = caption;
    return control;
}

}  // namespace

std::string_view ControlName(PrefControl id)
{
    switch (id) {
    case PrefControl::chkSound: return "chkSound";
    case PrefControl::chkLaunch: return "chkLaunch";
    case PrefControl::picOptions: return "picOptions";
    case PrefControl::Frame: return "Frame";
    case PrefControl::Combo: return "Combo";
    case PrefControl::Command: return "Command";
    case PrefControl::Label: return "Label";
    case PrefControl::Text: return "Text";
    case PrefControl::cmdBrowse: return "cmdBrowse";
    case PrefControl::cmdImport: return "cmdImport";
    case PrefControl::pichook: return "pichook";
    case PrefControl::imgDefault: return "imgDefault";
    case PrefControl::Line1: return "Line1";
    case PrefControl::Line2: return "Line2";
    case PrefControl::Line3: return "Line3";
    case PrefControl::Line4: return "Line4";
    case PrefControl::mnuDummy: return "mnuDummy";
    case PrefControl::mnuPopUp: return "mnuPopUp";
    }
    return {};
}

FormModel MakePrefForm()
{
    FormModel form;
    form.name = "frmPref";
    form.caption = "Clavitone Preferences";
    form.clientWidth = 8055;
    form.clientHeight = ReleaseRowBottom + BottomMargin;
    form.icon = "APPICON";

    auto& controls = form.controls;
    controls.reserve(std::size(ControlRows) + KeyboardLayout.size() + std::size(LineRows) + 1 + std::size(MenuRows));
    for (const ControlRow& row : ControlRows)
        controls.push_back(MakeControl(row));
    int tabIndex = FirstKeyTabIndex;
    for (const KeyButtonLayout& key : KeyboardLayout)
        controls.push_back(MakeKeyButton(key, tabIndex++));
    for (const LineRow& row : LineRows)
        controls.push_back(MakeLine(row));

    const std::string_view menu = ControlName(PrefControl::mnuDummy);
    Control& parent = controls.emplace_back(MakeMenuItem(menu, NoIndex, OnWindow, MenuParentCaption));
    parent.visible = false;
    for (const MenuRow& row : MenuRows)
        controls.push_back(MakeMenuItem(ControlName(PrefControl::mnuPopUp), row.index, menu, row.caption));

    form(PrefControl::chkLaunch).value = Ticked;
    return form;
}

}  // namespace clavitone
