#include "schemes/scheme_names.h"

#include <algorithm>

#include "platform/registry_names.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view BuiltInSchemes[] = {"Typewriter", "Voice"};

}  // namespace

bool IsBuiltInScheme(std::string_view name)
{
    return std::find(std::begin(BuiltInSchemes), std::end(BuiltInSchemes), name) != std::end(BuiltInSchemes);
}

bool SameSchemeName(std::string_view a, std::string_view b)
{
    return SameRegistryName(a, b);
}

bool SchemeNamesCollide(std::string_view a, std::string_view b)
{
    // Any code will do: the code is the same at the end of both keys.
    constexpr int AnyCode = 65;
    return SameRegistryName(PathKey(a, AnyCode), StateKey(b, AnyCode)) ||
           SameRegistryName(PathKey(b, AnyCode), StateKey(a, AnyCode));
}

std::optional<std::string> CollidingScheme(std::string_view name, const std::vector<std::string>& schemes)
{
    for (const std::string& scheme : schemes)
        if (SchemeNamesCollide(name, scheme))
            return scheme;
    return std::nullopt;
}

std::string CollisionMessage(std::string_view name, std::string_view other)
{
    std::string text = "The name \"";
    text.append(name).append("\" cannot be used: the settings of the scheme \"");
    text.append(other).append("\" are stored under the same names and would be overwritten.");
    return text;
}

}  // namespace clavitone
