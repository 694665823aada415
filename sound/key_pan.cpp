#include "sound/key_pan.h"

#include <algorithm>

namespace clavitone {

namespace {

// Not quite to one side: a key sound in one ear only sounds wrong.
constexpr float Spread = 0.8f;

}  // namespace

PanTable KeyPanTable(std::span<const KeyCentre> centres)
{
    PanTable table{};
    if (centres.empty())
        return table;
    const auto [low, high] = std::minmax_element(centres.begin(), centres.end(),
                                                 [](const KeyCentre& a, const KeyCentre& b) { return a.x < b.x; });
    const float width = static_cast<float>(high->x - low->x);
    if (width <= 0.0f)
        return table;
    for (const KeyCentre& key : centres)
        if (KeySoundTable::HasSlot(key.code))
            table[static_cast<std::size_t>(key.code)] =
                Spread * (2.0f * static_cast<float>(key.x - low->x) / width - 1.0f);
    return table;
}

}  // namespace clavitone
