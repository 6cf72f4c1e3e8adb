// Where the records of one lobby list stand, by id, kept in step with the list so that
// the handlers find a record without walking the list: the initial lobby (tens of
// thousands of records, each looked up before it is added) loads in linear time.
//
// Each record gets a stamp that grows along the list; the index maps an id to the stamp
// of the first record with that id and to how many records carry it. A position is found
// again from the place the record had when last seen or, after removals before it, by a
// binary search of the stamps, so removing a record rewrites no index entries.
// Lookups answer exactly as a walk of the list would: the first match, the last match,
// or every match (ids are unique in practice; a duplicate falls back to a walk).
//
// A list must change only through these functions, or be cleared: a list whose size no
// longer matches its index is indexed again before the next use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

struct IdIndex {
    struct Entry {
        std::int32_t id = 0;
        std::uint32_t count = 0;       // records with this id; 0: a free slot
        std::uint32_t firstStamp = 0;  // stamp of the first record with this id
        // Where that record stood when last seen: right until a removal before it, and
        // then put right by the next search.
        std::uint32_t place = 0;
    };
    // Open addressing with linear probing in a power-of-two table at most 3/4 full: one
    // memory access per lookup in the usual case.
    std::vector<Entry> slots;
    std::size_t used = 0;
    std::vector<std::uint32_t> stamps;  // one per record, strictly increasing
    std::uint32_t nextStamp = 0;
};

// --- The table of entries ---

inline std::size_t IndexHome(const IdIndex& index, std::int32_t id) {
    std::uint32_t hash = static_cast<std::uint32_t>(id) * 0x9E3779B1u;
    hash ^= hash >> 15;
    return hash & (index.slots.size() - 1);
}

inline IdIndex::Entry* IndexEntry(IdIndex& index, std::int32_t id) {
    if (index.slots.empty()) return nullptr;
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t at = IndexHome(index, id);; at = (at + 1) & mask) {
        IdIndex::Entry& slot = index.slots[at];
        if (slot.count == 0) return nullptr;
        if (slot.id == id) return &slot;
    }
}

inline void IndexMakeRoom(IdIndex& index, std::size_t wanted) {
    std::size_t capacity = index.slots.empty() ? 16 : index.slots.size();
    while (wanted * 4 > capacity * 3)
        capacity *= 2;
    if (capacity == index.slots.size()) return;
    std::vector<IdIndex::Entry> old(capacity);
    old.swap(index.slots);
    const std::size_t mask = capacity - 1;
    for (const IdIndex::Entry& entry : old) {
        if (entry.count == 0) continue;
        std::size_t at = IndexHome(index, entry.id);
        while (index.slots[at].count != 0)
            at = (at + 1) & mask;
        index.slots[at] = entry;
    }
}

// The entry of `id`, made (with count 0) when there is none.
inline IdIndex::Entry& IndexEntryFor(IdIndex& index, std::int32_t id) {
    if (IdIndex::Entry* found = IndexEntry(index, id)) return *found;
    IndexMakeRoom(index, index.used + 1);
    const std::size_t mask = index.slots.size() - 1;
    std::size_t at = IndexHome(index, id);
    while (index.slots[at].count != 0)
        at = (at + 1) & mask;
    ++index.used;
    index.slots[at] = IdIndex::Entry{id, 0, 0, 0};
    return index.slots[at];
}

// Frees the slot of an entry whose count went to 0, moving back the entries after it that
// would otherwise no longer be found.
inline void IndexFree(IdIndex& index, IdIndex::Entry& entry) {
    const std::size_t mask = index.slots.size() - 1;
    std::size_t hole = static_cast<std::size_t>(&entry - index.slots.data());
    index.slots[hole].count = 0;
    --index.used;
    for (std::size_t at = (hole + 1) & mask; index.slots[at].count != 0; at = (at + 1) & mask) {
        const std::size_t home = IndexHome(index, index.slots[at].id);
        // The entry may fill the hole when its home does not lie after the hole on the way
        // round to it.
        if (((at - home) & mask) >= ((at - hole) & mask)) {
            index.slots[hole] = index.slots[at];
            index.slots[at].count = 0;
            hole = at;
        }
    }
}

// --- Keeping the index in step with its list ---

template <class Record, class IdOf>
void IndexRebuild(IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    index.slots.clear();
    index.used = 0;
    IndexMakeRoom(index, list.size());
    index.stamps.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto stamp = static_cast<std::uint32_t>(i);
        index.stamps[i] = stamp;
        IdIndex::Entry& entry = IndexEntryFor(index, idOf(list[i]));
        if (entry.count++ == 0) {
            entry.firstStamp = stamp;
            entry.place = stamp;
        }
    }
    index.nextStamp = static_cast<std::uint32_t>(list.size());
}

template <class Record, class IdOf>
void IndexInStep(IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    if (index.stamps.size() != list.size()) IndexRebuild(index, list, idOf);
}

// Where the first record of an entry stands now.
inline std::size_t IndexPosition(const IdIndex& index, IdIndex::Entry& entry) {
    if (entry.place < index.stamps.size() && index.stamps[entry.place] == entry.firstStamp)
        return entry.place;
    auto at = std::lower_bound(index.stamps.begin(), index.stamps.end(), entry.firstStamp);
    entry.place = static_cast<std::uint32_t>(at - index.stamps.begin());
    return entry.place;
}

// Position of the first record with `id`, or kNotFound.
template <class Record, class IdOf>
std::size_t IndexFirst(IdIndex& index, const std::vector<Record>& list, IdOf idOf,
                       std::int32_t id) {
    IndexInStep(index, list, idOf);
    IdIndex::Entry* entry = IndexEntry(index, id);
    if (entry == nullptr) return kNotFound;
    std::size_t at = IndexPosition(index, *entry);
    if (at < list.size() && idOf(list[at]) == id) return at;
    // Changed behind the index's back: answer as the walk would, and index again.
    IndexRebuild(index, list, idOf);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (idOf(list[i]) == id) return i;
    return kNotFound;
}

// Position of the last record with `id`, or kNotFound.
template <class Record, class IdOf>
std::size_t IndexLast(IdIndex& index, const std::vector<Record>& list, IdOf idOf, std::int32_t id) {
    std::size_t first = IndexFirst(index, list, idOf, id);
    if (first == kNotFound || IndexEntry(index, id)->count == 1) return first;
    for (std::size_t i = list.size(); i-- > first;)
        if (idOf(list[i]) == id) return i;
    return first;
}

// Positions of every record with `id`, in list order.
template <class Record, class IdOf>
std::vector<std::size_t> IndexEvery(IdIndex& index, const std::vector<Record>& list, IdOf idOf,
                                    std::int32_t id) {
    std::vector<std::size_t> positions;
    std::size_t first = IndexFirst(index, list, idOf, id);
    if (first == kNotFound) return positions;
    positions.push_back(first);
    if (IndexEntry(index, id)->count == 1) return positions;
    for (std::size_t i = first + 1; i < list.size(); ++i)
        if (idOf(list[i]) == id) positions.push_back(i);
    return positions;
}

template <class Record, class IdOf>
void IndexAppend(IdIndex& index, std::vector<Record>& list, IdOf idOf, Record record) {
    IndexInStep(index, list, idOf);
    if (index.nextStamp == std::numeric_limits<std::uint32_t>::max())
        IndexRebuild(index, list, idOf);  // stamps used up: number them afresh
    const std::int32_t id = idOf(record);
    list.push_back(std::move(record));
    const std::uint32_t stamp = index.nextStamp++;
    index.stamps.push_back(stamp);
    IdIndex::Entry& entry = IndexEntryFor(index, id);
    if (entry.count++ == 0) {
        entry.firstStamp = stamp;
        entry.place = static_cast<std::uint32_t>(list.size() - 1);
    }
}

// Removes every record for which remove(record) holds, keeping the order of the rest
// (as removing them one by one from the end would). Returns how many went.
template <class Record, class IdOf, class Remove>
std::size_t IndexRemoveIf(IdIndex& index, std::vector<Record>& list, IdOf idOf, Remove remove) {
    IndexInStep(index, list, idOf);
    std::vector<std::int32_t> firstGone;  // ids whose first record went while others stay
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!remove(list[i])) {
            if (kept != i) {
                list[kept] = std::move(list[i]);
                index.stamps[kept] = index.stamps[i];
            }
            ++kept;
            continue;
        }
        IdIndex::Entry* entry = IndexEntry(index, idOf(list[i]));
        if (entry == nullptr) continue;
        if (--entry->count == 0)
            IndexFree(index, *entry);
        else if (entry->firstStamp == index.stamps[i])
            firstGone.push_back(entry->id);
    }
    const std::size_t removed = list.size() - kept;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
    index.stamps.resize(kept);
    for (std::int32_t id : firstGone) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (idOf(list[i]) == id) {
                IdIndex::Entry* entry = IndexEntry(index, id);
                entry->firstStamp = index.stamps[i];
                entry->place = static_cast<std::uint32_t>(i);
                break;
            }
        }
    }
    return removed;
}

// Removes the record at `position`.
template <class Record, class IdOf>
void IndexRemoveAt(IdIndex& index, std::vector<Record>& list, IdOf idOf, std::size_t position) {
    IndexInStep(index, list, idOf);
    if (position >= list.size()) return;
    const std::int32_t id = idOf(list[position]);
    const std::uint32_t stamp = index.stamps[position];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
    index.stamps.erase(index.stamps.begin() + static_cast<std::ptrdiff_t>(position));
    IdIndex::Entry* entry = IndexEntry(index, id);
    if (entry == nullptr) return;
    if (--entry->count == 0) {
        IndexFree(index, *entry);
    } else if (entry->firstStamp == stamp) {
        for (std::size_t i = position; i < list.size(); ++i) {
            if (idOf(list[i]) == id) {
                entry->firstStamp = index.stamps[i];
                entry->place = static_cast<std::uint32_t>(i);
                break;
            }
        }
    }
}

// Whether the index is exactly what indexing the list afresh would give (stamps and
// places aside): the lookups heal a stale index, so the tests ask this to see that none
// was left stale.
template <class Record, class IdOf>
bool IndexExact(IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    if (index.stamps.size() != list.size()) return false;
    if (!std::is_sorted(index.stamps.begin(), index.stamps.end()) ||
        std::adjacent_find(index.stamps.begin(), index.stamps.end()) != index.stamps.end())
        return false;
    std::unordered_map<std::int32_t, IdIndex::Entry> expected;
    for (std::size_t i = 0; i < list.size(); ++i) {
        IdIndex::Entry& entry = expected[idOf(list[i])];
        if (entry.count++ == 0) entry.firstStamp = index.stamps[i];
    }
    std::size_t stored = 0;
    for (const IdIndex::Entry& slot : index.slots)
        stored += slot.count != 0 ? 1 : 0;
    if (expected.size() != index.used || stored != index.used) return false;
    for (const auto& [id, entry] : expected) {
        const IdIndex::Entry* found = IndexEntry(index, id);
        if (found == nullptr || found->count != entry.count ||
            found->firstStamp != entry.firstStamp)
            return false;
    }
    return true;
}
