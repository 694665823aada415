#include "sound/key_variants.h"

namespace clavitone {

std::size_t PickVariation(std::size_t count, std::size_t last, std::uint32_t random)
{
    if (count < 2)
        return 0;
    if (last >= count)
        return random % count;
    // One of the others, each as likely: skip over the last one.
    const std::size_t pick = random % (count - 1);
    return pick >= last ? pick + 1 : pick;
}

void KeyVariants::Set(int code, std::vector<std::string> morePress, std::vector<std::string> release)
{
    if (Pool* press = Find(code, KeyMotion::Press))
        *press = {std::move(morePress), NotYet};
    if (Pool* up = Find(code, KeyMotion::Release))
        *up = {std::move(release), NotYet};
}

std::span<const std::string> KeyVariants::Paths(int code, KeyMotion motion) const
{
    const Pool* pool = Find(code, motion);
    return pool ? std::span<const std::string>(pool->paths) : std::span<const std::string>();
}

std::size_t KeyVariants::Pick(int code, KeyMotion motion, std::size_t count, std::uint32_t random)
{
    Pool* pool = Find(code, motion);
    if (!pool)
        return 0;
    pool->last = PickVariation(count, pool->last, random);
    return pool->last;
}

KeyVariants::Pool* KeyVariants::Find(int code, KeyMotion motion)
{
    return const_cast<Pool*>(static_cast<const KeyVariants*>(this)->Find(code, motion));
}

const KeyVariants::Pool* KeyVariants::Find(int code, KeyMotion motion) const
{
    if (code < 0 || code >= SlotCount)
        return nullptr;
    return &pools_[static_cast<std::size_t>(code)][motion == KeyMotion::Press ? 0 : 1];
}

}  // namespace clavitone
