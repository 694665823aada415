// Beyond a key's one press sound: further press sounds to pick from, and the
// sounds it plays when it is let go. Filled with the key sound table; read on
// every key event, so picking allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clavitone {

enum class KeyMotion : std::uint8_t { Press, Release };

// Which of count sounds plays: at random, and never the one played last
// (last >= count: none yet) when there are two or more.
std::size_t PickVariation(std::size_t count, std::size_t last, std::uint32_t random);

class KeyVariants {
public:
    static constexpr int SlotCount = 223;

    // morePress: sounds that take turns with the key's slot; release: what
    // plays on the way up. Codes without a slot are ignored.
    void Set(int code, std::vector<std::string> morePress, std::vector<std::string> release);
    void Clear(int code) { Set(code, {}, {}); }

    // Press: the further sounds only (the slot is the first of the pool).
    std::span<const std::string> Paths(int code, KeyMotion motion) const;

    // The sound of the pool to play now, as an index into a pool of
    // count sounds; remembered so that the next pick differs.
    std::size_t Pick(int code, KeyMotion motion, std::size_t count, std::uint32_t random);

private:
    static constexpr std::size_t NotYet = SIZE_MAX;
    struct Pool {
        std::vector<std::string> paths;
        std::size_t last = NotYet;
    };
    Pool* Find(int code, KeyMotion motion);
    const Pool* Find(int code, KeyMotion motion) const;

    std::array<std::array<Pool, 2>, SlotCount> pools_{};
};

}  // namespace clavitone
