#include "platform/registry_names.h"

#include <algorithm>
#include <string>

namespace clavitone {

namespace {

TextComparison* windowsComparison = nullptr;

// Windows-1252: A-Z and the accented capitals from 0xC0 (bar the times sign)
// pair with their small letters 0x20 above; four more pairs sit in 0x80-0x9F.
unsigned char FoldCase(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:  // S with caron
    case 0x8C:  // OE
    case 0x8E:  // Z with caron
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:  // Y with diaeresis
        return 0xFF;
    default:
        return c;
    }
}

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b)
{
    if (windowsComparison)
        return windowsComparison->CompareStringOrdinal(std::string(a), std::string(b), true) == CompareEqual;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
    });
}

void UseTextComparison(TextComparison* comparison)
{
    windowsComparison = comparison;
}

}  // namespace clavitone
