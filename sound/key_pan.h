// Stereo placement of each key by where its button sits on the keyboard picture.
#pragma once

#include <array>
#include <span>

#include "sound/key_sound.h"

namespace clavitone {

struct KeyCentre {
    int code = 0;
    int x = 0;  // horizontal centre of the key's button, in any unit
};

using PanTable = std::array<float, KeySoundTable::SlotCount>;

// The leftmost key to the left, the rightmost to the right, linearly between;
// codes without a button stay in the centre.
PanTable KeyPanTable(std::span<const KeyCentre> centres);

}  // namespace clavitone
