// The preferences window frmPref as laid out for the user: every control with
// its name, index, container, caption, geometry in twips, font and tab index.
#pragma once

#include <array>
#include <string_view>

#include "ui/control_model.h"

namespace clavitone {

// One key button of the keyboard picture. A button shows either a caption or a
// picture (the resource name of a 32 x 32 icon).
struct KeyButtonLayout {
    int code;                 // chkSound index: the virtual-key code, or 216-218 for the right-hand modifiers
    std::string_view caption;
    std::string_view picture;
    int left;
    int top;
    int width;
    int height;
    bool bold;
};

inline constexpr int KeyButtonCount = 86;

// The window's controls, by the names its layout gives them; control arrays
// take their index beside the name.
enum class PrefControl {
    chkSound,    // the key buttons, indexed by code
    chkLaunch,
    picOptions,  // the panel that muting disables
    Frame,
    Combo,       // the scheme list
    Command,     // 0 " Minimize", 1 "Save as...", 2 "Delete scheme", 3 "Options..."
    Label,       // 0 above the path box, 1 beside the release box
    Text,        // 0 the path box, 1 the release box
    cmdBrowse,   // 0 "Find sound", 1 "Find release"
    cmdImport,
    pichook,     // receives the tray icon's mouse messages
    imgDefault,
    Line1,
    Line2,
    Line3,
    Line4,
    mnuDummy,    // the tray menu's hidden parent
    mnuPopUp,    // the tray menu's entries
};

std::string_view ControlName(PrefControl id);

// The keyboard picture, row by row from the top, each row left to right, with
// the four arrow keys as one block at the end: this is also the tab order of
// the buttons (tab indices 1 to 86).
extern const std::array<KeyButtonLayout, KeyButtonCount> KeyboardLayout;

// The whole window in its initial state: all key buttons released, the path
// box empty, chkLaunch ticked, the popup menu entries unticked.
FormModel MakePrefForm();

}  // namespace clavitone
