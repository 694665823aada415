#include "schemes/saveas_layout.h"

#include "ui/control_row.h"

namespace clavitone {

namespace {

// The name box comes first in the tab order, so it has the focus on opening.
constexpr ControlRow ControlRows[] = {
    {"lblSave", NoIndex, ControlKind::Label, OnWindow, NoIndex, "Save this sound scheme &as:", {}, {180, 180, 5175, 255}, 1},
    {"txtSave", NoIndex, ControlKind::TextBox, OnWindow, NoIndex, {}, {}, {180, 420, 5175, 315}, 0},
    {"cmdSaveOk", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&OK", {}, {2520, 900, 1395, 315}, 2},
    {"cmdCancel", NoIndex, ControlKind::CommandButton, OnWindow, NoIndex, "&Cancel", {}, {4020, 900, 1335, 315}, 3},
};

}  // namespace

std::string_view ControlName(SaveasControl id)
{
    switch (id) {
    case SaveasControl::lblSave: return "lblSave";
    case SaveasControl::txtSave: return "txtSave";
    case SaveasControl::cmdSaveOk: return "cmdSaveOk";
    case SaveasControl::cmdCancel: return "cmdCancel";
    }
    return {};
}

FormModel MakeSaveasForm()
{
    FormModel form;
    form.name = "frmSaveas";
    form.caption = "Save scheme as";
    form.clientWidth = 5490;
    form.clientHeight = 1365;
    // No icon: the dialog is a tool window without one.

    for (const ControlRow& row : ControlRows)
        form.controls.push_back(MakeControl(row));
    form(SaveasControl::txtSave).maxLength = SchemeNameMaxLength;
    form.enterButton = ControlName(SaveasControl::cmdSaveOk);
    form.escapeButton = ControlName(SaveasControl::cmdCancel);
    return form;
}

}  // namespace clavitone
