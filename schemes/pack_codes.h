// Which of our keys a pack key code stands for, and which sound a key gets
// when the pack leaves it out.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string_view>

namespace clavitone {

// A pack names keys by scan code: plain keys by their set-1 code, extended
// keys as 0x0E00 + code, the arrows as 0xE000 + code. Left and right keys
// are one key of ours, as everywhere in the program.
struct PackKeyCode {
    int packCode;
    int code;        // the virtual-key code of our key button
    bool rightSide;  // the second key of a pair: its sound is used when the first has none
};

std::span<const PackKeyCode> PackKeyCodes();

// Our key for a pack code; nullopt for keys we have no button for (the numeric keypad).
std::optional<PackKeyCode> FindPackKeyCode(int packCode);

// The pack code of a key as the newer layout names it (browsers' names:
// "KeyA", "Digit1", "ShiftLeft", "ArrowUp", "Numpad7"...); nullopt for a
// name no keyboard of ours knows. Keypad names have codes, but no button.
std::optional<int> PackCodeOfKeyName(std::string_view name);

// The pack's keys as our keys: our code -> the pack code that defines it,
// the left key of a pair before the right one. Unknown codes are dropped.
std::map<int, int> OurKeys(const std::set<int>& packCodes);

// Where each key of a scheme takes its sound from: our code -> the pack code
// whose sound it plays. A key the pack leaves out takes a letter's sound
// (Enter and Space have no kin; any key's sound beats silence), or the first
// key's when the pack has no letter. Keys in silent stay out of the result.
std::map<int, int> SoundSources(const std::map<int, int>& sounding, const std::set<int>& silent);

}  // namespace clavitone
