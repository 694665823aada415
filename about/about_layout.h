// The About window frmAbout as laid out for the user.
#pragma once

#include "ui/control_model.h"

namespace clavitone {

enum class AboutControl { Frame, picContainer, Label, lblVersion, Command };

std::string_view ControlName(AboutControl id);

// Positions of the command buttons in the array Command.
inline constexpr int AboutOk = 0;
inline constexpr int AboutMail = 1;
inline constexpr int AboutSite = 2;

// The whole window: the framed picture, name and link buttons, and "OK".
FormModel MakeAboutForm();

// The version line under the program's name, from the numbers of the
// executable's own version resource.
std::string VersionCaption(unsigned major, unsigned minor, unsigned build);

}  // namespace clavitone
