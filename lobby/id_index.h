// Where the records of one lobby list stand, by id, kept in step with the list so that
// the handlers find a record without walking the list: the initial lobby (tens of
// thousands of records, each looked up before it is added) loads in linear time.
//
// Each record gets a stamp that grows along the list; the index maps an id to the stamp
// of the first record with that id and to how many records carry it. A position is found
// again by a binary search of the stamps, so removing a record shifts no index entries.
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
        std::uint32_t firstStamp = 0;  // stamp of the first record with this id
        std::uint32_t count = 0;       // records with this id
    };
    std::unordered_map<std::int32_t, Entry> entries;
    std::vector<std::uint32_t> stamps;  // one per record, strictly increasing
    std::uint32_t nextStamp = 0;
};

template <class Record, class IdOf>
void IndexRebuild(IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    index.entries.clear();
    index.entries.reserve(list.size());
    index.stamps.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto stamp = static_cast<std::uint32_t>(i);
        index.stamps[i] = stamp;
        IdIndex::Entry& entry = index.entries[idOf(list[i])];
        if (entry.count++ == 0) entry.firstStamp = stamp;
    }
    index.nextStamp = static_cast<std::uint32_t>(list.size());
}

template <class Record, class IdOf>
void IndexInStep(IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    if (index.stamps.size() != list.size()) IndexRebuild(index, list, idOf);
}

inline std::size_t IndexPosition(const IdIndex& index, std::uint32_t stamp) {
    auto at = std::lower_bound(index.stamps.begin(), index.stamps.end(), stamp);
    return static_cast<std::size_t>(at - index.stamps.begin());
}

// Position of the first record with `id`, or kNotFound.
template <class Record, class IdOf>
std::size_t IndexFirst(IdIndex& index, const std::vector<Record>& list, IdOf idOf,
                       std::int32_t id) {
    IndexInStep(index, list, idOf);
    auto found = index.entries.find(id);
    if (found == index.entries.end()) return kNotFound;
    std::size_t at = IndexPosition(index, found->second.firstStamp);
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
    if (first == kNotFound || index.entries[id].count == 1) return first;
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
    if (index.entries[id].count == 1) return positions;
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
    IdIndex::Entry& entry = index.entries[id];
    if (entry.count++ == 0) entry.firstStamp = stamp;
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
        const std::int32_t id = idOf(list[i]);
        auto found = index.entries.find(id);
        if (found == index.entries.end()) continue;
        if (--found->second.count == 0)
            index.entries.erase(found);
        else if (found->second.firstStamp == index.stamps[i])
            firstGone.push_back(id);
    }
    const std::size_t removed = list.size() - kept;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
    index.stamps.resize(kept);
    for (std::int32_t id : firstGone) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (idOf(list[i]) == id) {
                index.entries[id].firstStamp = index.stamps[i];
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
    auto found = index.entries.find(id);
    if (found == index.entries.end()) return;
    if (--found->second.count == 0) {
        index.entries.erase(found);
    } else if (found->second.firstStamp == stamp) {
        for (std::size_t i = position; i < list.size(); ++i) {
            if (idOf(list[i]) == id) {
                found->second.firstStamp = index.stamps[i];
                break;
            }
        }
    }
}

// Whether the index is exactly what indexing the list afresh would give (stamps aside):
// the lookups heal a stale index, so the tests ask this to see that none was left stale.
template <class Record, class IdOf>
bool IndexExact(const IdIndex& index, const std::vector<Record>& list, IdOf idOf) {
    if (index.stamps.size() != list.size()) return false;
    if (!std::is_sorted(index.stamps.begin(), index.stamps.end()) ||
        std::adjacent_find(index.stamps.begin(), index.stamps.end()) != index.stamps.end())
        return false;
    std::unordered_map<std::int32_t, IdIndex::Entry> expected;
    for (std::size_t i = 0; i < list.size(); ++i) {
        IdIndex::Entry& entry = expected[idOf(list[i])];
        if (entry.count++ == 0) entry.firstStamp = index.stamps[i];
    }
    if (expected.size() != index.entries.size()) return false;
    for (const auto& [id, entry] : expected) {
        auto found = index.entries.find(id);
        if (found == index.entries.end() || found->second.count != entry.count ||
            found->second.firstStamp != entry.firstStamp)
            return false;
    }
    return true;
}
