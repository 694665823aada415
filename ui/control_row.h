// One row of a window's layout table: a control as laid out, before the
// program gives it any run-time state.
#pragma once

#include <string_view>

#include "ui/control_model.h"

namespace clavitone {

// Container name of the controls that sit on the window itself.
inline constexpr std::string_view OnWindow{};

struct ControlRow {
    std::string_view name;
    int index;  // NoIndex for a control that is not a member of a control array
    ControlKind kind;
    std::string_view container;
    int containerIndex;
    std::string_view caption;
    std::string_view picture;
    TwipRect rect;
    int tabIndex;  // -1: not a tab stop
};

Control MakeControl(const ControlRow& row);

}  // namespace clavitone
