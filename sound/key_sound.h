// The key sound table: what each virtual-key code plays.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "sound/key_variants.h"

namespace clavitone {

// Slots 0 to 222 by virtual-key code. A slot is unset until scheme loading or
// an edit fills it; an empty text is a key whose sound is switched off.
// Beside the slots: the keys' further press sounds and their release sounds.
class KeySoundTable {
public:
    static constexpr int SlotCount = 223;
    static_assert(SlotCount == KeyVariants::SlotCount);

    static constexpr bool HasSlot(int code) { return code >= 0 && code < SlotCount; }

    // Codes without a slot read as unset and are never stored.
    const std::optional<std::string>& operator[](int code) const
    {
        return HasSlot(code) ? slots_[static_cast<std::size_t>(code)] : unset_;
    }

    void Set(int code, std::string path)
    {
        if (HasSlot(code))
            slots_[static_cast<std::size_t>(code)] = std::move(path);
    }

    KeyVariants& Variants() { return variants_; }
    const KeyVariants& Variants() const { return variants_; }

private:
    std::array<std::optional<std::string>, SlotCount> slots_{};
    KeyVariants variants_;
    static inline const std::optional<std::string> unset_{};
};

}  // namespace clavitone
