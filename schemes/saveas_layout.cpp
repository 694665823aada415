#include "schemes/saveas_layout.h"

namespace clavitone {

namespace {

Control MakeControl(std::string name, ControlKind kind, std::string caption, TwipRect rect, int tabIndex)
{
    Control control;
    control.id = {std::move(name), NoIndex};
    control.kind = kind;
    control.caption = std::move(caption);
    control.rect = rect;
    control.tabIndex = tabIndex;
    return control;
}

}  // namespace

FormModel MakeSaveasForm()
{
    FormModel form;
    form.name = "frmSaveas";
    form.caption = "Save scheme as";
    form.clientWidth = 5490;
    form.clientHeight = 1365;
    // No icon: the dialog is a tool window without one.

    // The name box comes first in the tab order, so it has the focus on opening.
    form.controls.push_back(
        MakeControl("lblSave", ControlKind::Label, "Save this sound scheme as:", {180, 180, 5175, 255}, 1));
    form.controls.push_back(MakeControl("txtSave", ControlKind::TextBox, {}, {180, 420, 5175, 315}, 0));
    form.controls.push_back(MakeControl("cmdSaveOk", ControlKind::CommandButton, "OK", {2520, 900, 1395, 315}, 2));
    form.controls.push_back(MakeControl("cmdCancel", ControlKind::CommandButton, "Cancel", {4020, 900, 1335, 315}, 3));
    form("txtSave").maxLength = SchemeNameMaxLength;
    return form;
}

}  // namespace clavitone
