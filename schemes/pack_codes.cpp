#include "schemes/pack_codes.h"

#include <algorithm>

#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr int Extended = 0x0E00;
constexpr int Arrow = 0xE000;

constexpr PackKeyCode Table[] = {
    {14, 8, false}, {15, 9, false},                                               // Backspace, Tab
    {28, 13, false}, {Extended + 28, 13, true},                                   // Enter, keypad Enter
    {42, 16, false}, {54, 16, true},                                              // Shift
    {29, 17, false}, {Extended + 29, 17, true},                                   // Ctrl
    {56, 18, false}, {Extended + 56, 18, true},                                   // Alt
    {Extended + 69, 19, false}, {58, 20, false}, {1, 27, false}, {57, 32, false},  // Pause, Caps Lock, Esc, Space
    {Extended + 73, 33, false}, {Extended + 81, 34, false},                       // Page Up, Page Down
    {Extended + 79, 35, false}, {Extended + 71, 36, false},                       // End, Home
    {Arrow + 75, 37, false}, {Arrow + 72, 38, false}, {Arrow + 77, 39, false}, {Arrow + 80, 40, false},
    {Extended + 55, 44, false}, {Extended + 82, 45, false}, {Extended + 83, 46, false},  // Print Screen, Ins, Del
    {11, 48, false}, {2, 49, false}, {3, 50, false}, {4, 51, false}, {5, 52, false},     // 0 to 4
    {6, 53, false},  {7, 54, false}, {8, 55, false}, {9, 56, false}, {10, 57, false},    // 5 to 9
    {30, 65, false}, {48, 66, false}, {46, 67, false}, {32, 68, false}, {18, 69, false}, {33, 70, false},  // A-F
    {34, 71, false}, {35, 72, false}, {23, 73, false}, {36, 74, false}, {37, 75, false}, {38, 76, false},  // G-L
    {50, 77, false}, {49, 78, false}, {24, 79, false}, {25, 80, false}, {16, 81, false}, {19, 82, false},  // M-R
    {31, 83, false}, {20, 84, false}, {22, 85, false}, {47, 86, false}, {17, 87, false}, {45, 88, false},  // S-X
    {21, 89, false}, {44, 90, false},                                                                     // Y, Z
    {Extended + 91, 92, false}, {Extended + 92, 92, true}, {Extended + 93, 93, false},  // Windows, Menu
    {59, 112, false}, {60, 113, false}, {61, 114, false}, {62, 115, false}, {63, 116, false},  // F1-F5
    {64, 117, false}, {65, 118, false}, {66, 119, false}, {67, 120, false}, {68, 121, false},  // F6-F10
    {87, 122, false}, {88, 123, false}, {70, 145, false},                                     // F11, F12, Scroll Lock
    {39, 186, false}, {13, 187, false}, {51, 188, false}, {12, 189, false},  // ; = , -
    {52, 190, false}, {53, 191, false}, {41, 192, false},                    // . / `
    {26, 219, false}, {43, 220, false}, {27, 221, false}, {40, 222, false},  // [ \ ] '
};

struct PackKeyName {
    std::string_view name;
    int packCode;
};

constexpr PackKeyName Names[] = {
    {"Escape", 1}, {"Digit1", 2}, {"Digit2", 3}, {"Digit3", 4}, {"Digit4", 5}, {"Digit5", 6}, {"Digit6", 7},
    {"Digit7", 8}, {"Digit8", 9}, {"Digit9", 10}, {"Digit0", 11}, {"Minus", 12}, {"Equal", 13},
    {"Backspace", 14}, {"Tab", 15}, {"KeyQ", 16}, {"KeyW", 17}, {"KeyE", 18}, {"KeyR", 19}, {"KeyT", 20},
    {"KeyY", 21}, {"KeyU", 22}, {"KeyI", 23}, {"KeyO", 24}, {"KeyP", 25}, {"BracketLeft", 26},
    {"BracketRight", 27}, {"Enter", 28}, {"ControlLeft", 29}, {"KeyA", 30}, {"KeyS", 31}, {"KeyD", 32},
    {"KeyF", 33}, {"KeyG", 34}, {"KeyH", 35}, {"KeyJ", 36}, {"KeyK", 37}, {"KeyL", 38}, {"Semicolon", 39},
    {"Quote", 40}, {"Backquote", 41}, {"ShiftLeft", 42}, {"Backslash", 43}, {"KeyZ", 44}, {"KeyX", 45},
    {"KeyC", 46}, {"KeyV", 47}, {"KeyB", 48}, {"KeyN", 49}, {"KeyM", 50}, {"Comma", 51}, {"Period", 52},
    {"Slash", 53}, {"ShiftRight", 54}, {"NumpadMultiply", 55}, {"AltLeft", 56}, {"Space", 57},
    {"CapsLock", 58}, {"F1", 59}, {"F2", 60}, {"F3", 61}, {"F4", 62}, {"F5", 63}, {"F6", 64}, {"F7", 65},
    {"F8", 66}, {"F9", 67}, {"F10", 68}, {"NumLock", 69}, {"ScrollLock", 70}, {"Numpad7", 71},
    {"Numpad8", 72}, {"Numpad9", 73}, {"NumpadSubtract", 74}, {"Numpad4", 75}, {"Numpad5", 76},
    {"Numpad6", 77}, {"NumpadAdd", 78}, {"Numpad1", 79}, {"Numpad2", 80}, {"Numpad3", 81}, {"Numpad0", 82},
    {"NumpadDecimal", 83}, {"IntlBackslash", 86}, {"F11", 87}, {"F12", 88},
    {"NumpadEnter", Extended + 28}, {"ControlRight", Extended + 29}, {"NumpadDivide", Extended + 53},
    {"PrintScreen", Extended + 55}, {"AltRight", Extended + 56}, {"Pause", Extended + 69},
    {"Home", Extended + 71}, {"PageUp", Extended + 73}, {"End", Extended + 79}, {"PageDown", Extended + 81},
    {"Insert", Extended + 82}, {"Delete", Extended + 83}, {"MetaLeft", Extended + 91},
    {"MetaRight", Extended + 92}, {"ContextMenu", Extended + 93}, {"ArrowUp", Arrow + 72},
    {"ArrowLeft", Arrow + 75}, {"ArrowRight", Arrow + 77}, {"ArrowDown", Arrow + 80},
};

bool IsLetter(int code)
{
    return code >= 'A' && code <= 'Z';
}

// A letter's sound is the typical key sound of a pack: it stands in for
// letters, digits and punctuation, and for the rest when the pack has one.
int StandIn(const std::map<int, int>& sounding)
{
    const auto letter = sounding.lower_bound('A');
    if (letter != sounding.end() && IsLetter(letter->first))
        return letter->second;
    return sounding.begin()->second;
}

}  // namespace

std::span<const PackKeyCode> PackKeyCodes()
{
    return Table;
}

std::optional<PackKeyCode> FindPackKeyCode(int packCode)
{
    const auto found = std::find_if(std::begin(Table), std::end(Table),
                                    [packCode](const PackKeyCode& key) { return key.packCode == packCode; });
    if (found == std::end(Table))
        return std::nullopt;
    return *found;
}

std::optional<int> PackCodeOfKeyName(std::string_view name)
{
    const auto found =
        std::find_if(std::begin(Names), std::end(Names), [name](const PackKeyName& key) { return key.name == name; });
    if (found == std::end(Names))
        return std::nullopt;
    return found->packCode;
}

std::map<int, int> OurKeys(const std::set<int>& packCodes)
{
    std::map<int, int> keys;
    for (const int packCode : packCodes) {
        const auto key = FindPackKeyCode(packCode);
        if (!key)
            continue;
        if (!key->rightSide)
            keys.insert_or_assign(key->code, packCode);
        else
            keys.emplace(key->code, packCode);
    }
    return keys;
}

std::map<int, int> SoundSources(const std::map<int, int>& sounding, const std::set<int>& silent)
{
    std::map<int, int> sources;
    if (sounding.empty())
        return sources;
    const int standIn = StandIn(sounding);
    for (const KeyRange range : SchemeKeyCodes) {
        for (int code = range.first; code <= range.last; ++code) {
            if (silent.contains(code))
                continue;
            const auto own = sounding.find(code);
            sources.emplace(code, own != sounding.end() ? own->second : standIn);
        }
    }
    return sources;
}

}  // namespace clavitone
