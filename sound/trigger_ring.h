// The hand-over from the key path to the render thread: a fixed ring of
// (slot, pan) written by one thread and read by one other, with no lock, no
// allocation and no wait on either side.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace clavitone {

struct KeyTrigger {
    int slot = 0;
    float pan = 0.0f;  // -1 left to 1 right
};

class TriggerRing {
public:
    static constexpr std::size_t Capacity = 64;  // far more keys than one render period can bring

    // Key path only. False when full: the key is dropped rather than waited for.
    bool Push(KeyTrigger trigger)
    {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head - tail_.load(std::memory_order_acquire) == Capacity)
            return false;
        items_[head % Capacity] = trigger;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    // Render thread only.
    bool Pop(KeyTrigger& trigger)
    {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire))
            return false;
        trigger = items_[tail % Capacity];
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Render thread only.
    bool Empty() const { return tail_.load(std::memory_order_relaxed) == head_.load(std::memory_order_acquire); }

    // Render thread only, or while none runs: forgets every queued trigger.
    void Clear() { tail_.store(head_.load(std::memory_order_acquire), std::memory_order_release); }

private:
    std::array<KeyTrigger, Capacity> items_{};
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};

}  // namespace clavitone
