#include "schemes/scheme_names.h"

#include <algorithm>

#include "platform/registry_names.h"

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

}  // namespace clavitone
