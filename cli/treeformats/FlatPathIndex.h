#pragma once

#include "common/core/CaseFold.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Entries of a caller's list by path, without regard to letter case, in one flat table of
// slots (open addressing). The import of a large dump looks a path up for nearly every topic:
// a slot keeps the entry's hash, so that most lookups read one slot and one key and the table
// grows without reading keys, and no entry costs an allocation of its own. KeyOf(entry) gives
// the path of an entry.
template <class TKeyOf>
class TFlatPathIndex {
public:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    explicit TFlatPathIndex(TKeyOf keyOf) : KeyOf(keyOf), Slots(MinimumSlots) {}

    std::size_t Find(std::u16string_view path) const
    {
        const std::size_t hash = HashIgnoringCase(path);
        for (std::size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            const TSlot& at = Slots[slot];
            if (at.Entry == 0)
                return None;
            if (at.Hash == hash && SameTextIgnoringCase(KeyOf(at.Entry - 1), path))
                return at.Entry - 1;
        }
    }

    // Adds the entry under its path, unless an entry of that path is there: then that
    // entry's number comes back and nothing changes. None when the entry was added.
    std::size_t Insert(std::size_t entry)
    {
        if ((Count + 1) * 2 > Slots.size())
            Grow();
        const std::u16string_view path = KeyOf(entry);
        const std::size_t hash = HashIgnoringCase(path);
        for (std::size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            TSlot& at = Slots[slot];
            if (at.Entry == 0) {
                at = {hash, static_cast<std::uint32_t>(entry + 1)};
                ++Count;
                return None;
            }
            if (at.Hash == hash && SameTextIgnoringCase(KeyOf(at.Entry - 1), path))
                return at.Entry - 1;
        }
    }

private:
    static constexpr std::size_t MinimumSlots = 1024;

    struct TSlot {
        std::size_t Hash = 0;
        // The entry's number plus one; 0 for an empty slot.
        std::uint32_t Entry = 0;
    };

    TKeyOf KeyOf;
    std::vector<TSlot> Slots;
    std::size_t Count = 0;

    std::size_t Mask() const { return Slots.size() - 1; }

    void Grow()
    {
        std::vector<TSlot> old(Slots.size() * 2);
        old.swap(Slots);
        for (const TSlot& at : old) {
            if (at.Entry == 0)
                continue;
            std::size_t slot = at.Hash & Mask();
            while (Slots[slot].Entry != 0)
                slot = (slot + 1) & Mask();
            Slots[slot] = at;
        }
    }
};
