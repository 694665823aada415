#include "schemes/scheme_names.h"

#include <algorithm>

namespace clavitone {

namespace {

constexpr std::string_view BuiltInSchemes[] = {"Typewriter", "Voice"};

// Letters outside ASCII are left as they are: their case pairs depend on the
// code page, and the names the program ships are plain ASCII.
char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsBuiltInScheme(std::string_view name)
{
    return std::find(std::begin(BuiltInSchemes), std::end(BuiltInSchemes), name) != std::end(BuiltInSchemes);
}

bool SameSchemeName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace clavitone
