// Open-addressing hash map from packed keys to their score, with flags that tell whether the
// key has been merged into the main array, and whether the search has scored it completely (every
// child of it is held too), as it has every key that it inserted itself.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "table/packed_key.h"

namespace table {

class KeyIndex {
  public:
    struct Slot {
        PackedKey code;
        int32_t score;
        bool merged;
        bool complete;
    };

    KeyIndex() { Clear(); }

    const Slot* Find(PackedKey code) const {
        for (size_t i = Home(code);; i = (i + 1) & mask) {
            const Slot& slot = slots[i];
            if (slot.code == code) {
                return &slot;
            }
            if (slot.code == kEmpty) {
                return nullptr;
            }
        }
    }
    Slot* Find(PackedKey code) {
        return const_cast<Slot*>(static_cast<const KeyIndex*>(this)->Find(code));
    }

    // Adds a key that is not in the map yet.
    void Add(PackedKey code, int32_t score, bool merged, bool complete) {
        if ((count + 1) * 2 > slots.size()) {
            Grow();
        }
        Place(Slot{code, score, merged, complete});
        ++count;
    }

    // Makes room for `keys` keys in all without growing again.
    void Reserve(size_t keys) {
        while (keys * 2 > slots.size()) {
            Grow();
        }
    }

    void Clear() {
        slots.assign(kInitialSlots, Slot{kEmpty, 0, false, false});
        mask = kInitialSlots - 1;
        shift = 64 - std::countr_zero(kInitialSlots);
        count = 0;
    }

    size_t Size() const { return count; }

  private:
    static constexpr PackedKey kEmpty = ~PackedKey{0};  // length 15 never packs
    static constexpr size_t kInitialSlots = 1024;

    // The top bits of the product depend on every bit of the code (the low bits of a product
    // ignore the high bits of its factors, where the shortest rows' counts sit).
    size_t Home(PackedKey code) const {
        return static_cast<size_t>(((code ^ (code >> 29)) * 0x9E3779B97F4A7C15ull) >> shift);
    }
    void Place(const Slot& slot) {
        size_t i = Home(slot.code);
        while (slots[i].code != kEmpty) {
            i = (i + 1) & mask;
        }
        slots[i] = slot;
    }
    void Grow() {
        std::vector<Slot> old(slots.size() * 2, Slot{kEmpty, 0, false, false});
        old.swap(slots);
        mask = slots.size() - 1;
        shift = 64 - std::countr_zero(slots.size());
        for (const Slot& slot : old) {
            if (slot.code != kEmpty) {
                Place(slot);
            }
        }
    }

    std::vector<Slot> slots;
    size_t mask = 0;
    int shift = 0;
    size_t count = 0;
};

}  // namespace table
