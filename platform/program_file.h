// What the program knows of its own file, from the module path Windows reports.
#pragma once

#include <string>
#include <string_view>

namespace clavitone {

// The folder without a trailing "\", except for a drive's root ("C:\").
std::string ProgramFolder(std::string_view modulePath);
// The file name without its folder and extension.
std::string ProgramName(std::string_view modulePath);

}  // namespace clavitone
