// The spatial grid that welding searches: for each occupied cell, the kept vectors in it.
// Cells live in an open-addressing hash table (linear probing, at most half full), and the
// vectors of one cell form a chain through their kept indices, newest first.
#pragma once

#include <cstdint>
#include <vector>

struct WeldCell {
    std::int64_t x, y, z;
    bool operator==(const WeldCell&) const = default;
};

class WeldGrid {
public:
    WeldGrid() : slots_(64) {}

    // The newest kept index in cell, or 0 when the cell is empty.
    std::uint32_t first(const WeldCell& cell) const { return slots_[find(cell)].head; }

    // The kept index after kept in its cell, or 0 at the end of the chain.
    std::uint32_t next(std::uint32_t kept) const { return next_[kept]; }

    // Adds kept index kept (one more than the last added) to cell.
    void insert(const WeldCell& cell, std::uint32_t kept) {
        if (2 * (used_ + 1) > slots_.size()) {
            grow();
        }
        Slot& slot = slots_[find(cell)];
        if (slot.head == 0) {
            slot.cell = cell;
            used_++;
        }
        next_.resize(std::size_t{kept} + 1, 0);
        next_[kept] = slot.head;
        slot.head = kept;
    }

private:
    struct Slot {
        WeldCell cell{};
        std::uint32_t head = 0; // 0: the slot is free
    };

    static std::uint64_t hash(const WeldCell& cell) {
        std::uint64_t h = static_cast<std::uint64_t>(cell.x) * 0x9e3779b97f4a7c15u;
        h ^= static_cast<std::uint64_t>(cell.y) * 0xc2b2ae3d27d4eb4fu;
        h ^= static_cast<std::uint64_t>(cell.z) * 0x165667b19e3779f9u;
        return h ^ (h >> 29);
    }

    // The slot that holds cell, or the free slot where it belongs.
    std::size_t find(const WeldCell& cell) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = hash(cell) & mask;
        while (slots_[i].head != 0 && !(slots_[i].cell == cell)) {
            i = (i + 1) & mask;
        }
        return i;
    }

    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.head != 0) {
                slots_[find(slot.cell)] = slot;
            }
        }
    }

    std::vector<Slot> slots_;
    std::vector<std::uint32_t> next_{0};
    std::size_t used_ = 0;
};
