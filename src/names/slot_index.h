// The first slot of each zone identifier among a list's zones, found by
// hashing instead of a scan of the list: a list of 200 zones looked up once
// per line of a 200-line file costs 200 probes, not 40,000 comparisons.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

class SlotIndex {
public:
    static constexpr std::uint16_t kNone = 0xFFFF;

    SlotIndex() noexcept {
        for (std::uint16_t &slot : slots_) slot = kNone;
    }

    // Keeps the first slot given for an identifier.
    void Add(std::uint16_t id, std::uint16_t slot) noexcept {
        std::size_t b = Bucket(id);
        for (; slots_[b] != kNone; b = (b + 1) % kBuckets) {
            if (ids_[b] == id) return;
        }
        ids_[b] = id;
        slots_[b] = slot;
    }

    std::uint16_t Find(std::uint16_t id) const noexcept {
        for (std::size_t b = Bucket(id); slots_[b] != kNone; b = (b + 1) % kBuckets) {
            if (ids_[b] == id) return slots_[b];
        }
        return kNone;
    }

private:
    // At most TZ_MAX_ZONES entries, so the table stays under half full.
    static constexpr std::size_t kBuckets = 512;
    static std::size_t Bucket(std::uint16_t id) noexcept { return ((id * 40503u) >> 7) % kBuckets; }

    std::uint16_t ids_[kBuckets];
    std::uint16_t slots_[kBuckets];
};

}  // namespace kelvane
