#include "prefs/key_names.h"

#include <algorithm>
#include <array>

namespace clavitone {

namespace {

struct KeyName {
    int code;
    std::string_view name;
};

constexpr std::array<KeyName, 17> KeyNames{{
    {8, "BackSpace"},
    {19, "Pause Break"},
    {33, "Page Up"},
    {34, "Page Down"},
    {36, "Home"},
    {37, "Left Arrow"},
    {38, "Up Arrow"},
    {39, "Right Arrow"},
    {40, "Down Arrow"},
    {44, "Print Screen"},
    {45, "Insert"},
    {46, "Delete"},
    {92, "Windows"},
    {145, "Scroll Lock"},
    {216, "Shift"},
    {217, "Control"},
    {218, "Alt"},
}};

}  // namespace

std::string KeyDisplayName(int code, std::string_view caption)
{
    const auto named = std::find_if(KeyNames.begin(), KeyNames.end(), [code](const KeyName& k) { return k.code == code; });
    return std::string(named == KeyNames.end() ? caption : named->name);
}

}  // namespace clavitone
