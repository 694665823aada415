// The save dialog frmSaveas as laid out for the user.
#pragma once

#include "ui/control_model.h"

namespace clavitone {

enum class SaveasControl { lblSave, txtSave, cmdSaveOk, cmdCancel };

std::string_view ControlName(SaveasControl id);

// Longest scheme name the name box takes.
inline constexpr int SchemeNameMaxLength = 200;

// The dialog with its design texts; each opening replaces the title and the
// label with the "Language" texts.
FormModel MakeSaveasForm();

}  // namespace clavitone
