// The names the details area and the file dialog give the keys.
#pragma once

#include <string>
#include <string_view>

namespace clavitone {

// A key button's display name: a fixed name for the keys that show a picture,
// for Ins, Del and the right-hand modifiers, otherwise the button's caption.
std::string KeyDisplayName(int code, std::string_view caption);

}  // namespace clavitone
