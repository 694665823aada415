// When the registry takes two value names for one: it ignores letter case,
// in every alphabet, not only A to Z.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace clavitone {

// Texts are bytes in the ANSI code page.
bool SameRegistryName(std::string_view a, std::string_view b);

// Windows' own comparison, for the code page the process runs in, in place of
// the portable one that knows the Western code page only. The code page is the
// process's, so is this choice; nullptr goes back to the portable comparison.
void UseTextComparison(TextComparison* comparison);

}  // namespace clavitone
