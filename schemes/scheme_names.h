// What names mean to the scheme commands: the current scheme, the two
// schemes that come with the program, and when two names are one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_model.h"
#include "ui/pref_layout.h"

namespace clavitone {

// The scheme list Combo(0) of frmPref; its selected entry is the current scheme.
inline Control& SchemeListBox(FormModel& pref)
{
    return pref(PrefControl::Combo, 0);
}

// Empty while nothing is selected. Read afresh wherever a settings key is built.
inline const std::string& CurrentSchemeName(FormModel& pref)
{
    return SchemeListBox(pref).text;
}

// Recognised by their exact spelling only: "typewriter" is the user's own.
bool IsBuiltInScheme(std::string_view name);

// The registry ignores letter case in value names, in every alphabet, so two
// names that differ only in case would share their per-key values.
bool SameSchemeName(std::string_view a, std::string_view b);

// Two different names whose per-key values would share value names: one is
// the other with "-EnableSound" after it, so that one's path keys are the
// other's state keys ("Mine-EnableSound_#65" is both).
bool SchemeNamesCollide(std::string_view a, std::string_view b);

// The first listed scheme whose values a scheme of this name would overwrite.
std::optional<std::string> CollidingScheme(std::string_view name, const std::vector<std::string>& schemes);

// Why a name that collides with the scheme other cannot be used.
std::string CollisionMessage(std::string_view name, std::string_view other);

}  // namespace clavitone
