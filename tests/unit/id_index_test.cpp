// The id index answers every lookup as a walk of its list would, through appends,
// removals (single and by condition), duplicates and changes made behind its back.
#include <gtest/gtest.h>

#include <random>

#include "lobby/id_index.h"

namespace {

struct Item {
    std::int32_t id = 0;
    int serial = 0;
};

std::int32_t IdOf(const Item& item) {
    return item.id;
}

std::size_t WalkFirst(const std::vector<Item>& list, std::int32_t id) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id) return i;
    return kNotFound;
}

std::size_t WalkLast(const std::vector<Item>& list, std::int32_t id) {
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i].id == id) return i;
    return kNotFound;
}

std::vector<std::size_t> WalkEvery(const std::vector<Item>& list, std::int32_t id) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id) positions.push_back(i);
    return positions;
}

void ExpectSameAsWalk(IdIndex& index, const std::vector<Item>& list, int idRange) {
    for (std::int32_t id = -1; id <= idRange; ++id) {
        SCOPED_TRACE(id);
        ASSERT_EQ(IndexFirst(index, list, IdOf, id), WalkFirst(list, id));
        ASSERT_EQ(IndexLast(index, list, IdOf, id), WalkLast(list, id));
        ASSERT_EQ(IndexEvery(index, list, IdOf, id), WalkEvery(list, id));
    }
}

TEST(IdIndex, RandomChangesLeaveEveryLookupAsAWalkWouldAnswer) {
    for (int idRange : {5, 40, 1000}) {  // many duplicates, some, almost none
        SCOPED_TRACE(idRange);
        std::mt19937 random(static_cast<unsigned>(idRange));
        std::vector<Item> list;
        IdIndex index;
        int serial = 0;
        for (int step = 0; step < 3000; ++step) {
            const int what = static_cast<int>(random() % 10);
            const auto id = static_cast<std::int32_t>(random() % static_cast<unsigned>(idRange));
            if (what < 5) {
                IndexAppend(index, list, IdOf, Item{id, serial++});
            } else if (what < 7 && !list.empty()) {
                IndexRemoveAt(index, list, IdOf, random() % list.size());
            } else if (what < 8) {
                const int modulus = 2 + static_cast<int>(random() % 5);
                IndexRemoveIf(index, list, IdOf,
                              [&](const Item& item) { return item.serial % modulus == 0; });
            } else if (what < 9) {
                IndexRemoveIf(index, list, IdOf, [&](const Item& item) { return item.id == id; });
            } else {
                // Reordered in place, as the room list's sort does.
                std::shuffle(list.begin(), list.end(), random);
                IndexRebuild(index, list, IdOf);
            }
            ASSERT_TRUE(IndexExact(index, list, IdOf)) << "step " << step;
            if (step % 50 == 0) ExpectSameAsWalk(index, list, idRange);
        }
        ExpectSameAsWalk(index, list, idRange);
    }
}

TEST(IdIndex, RemovalsKeepTheOrderOfTheRest) {
    std::vector<Item> list;
    IdIndex index;
    for (int i = 0; i < 8; ++i)
        IndexAppend(index, list, IdOf, Item{i % 3, i});
    IndexRemoveIf(index, list, IdOf, [](const Item& item) { return item.serial % 3 == 1; });
    IndexRemoveAt(index, list, IdOf, 0);
    std::vector<int> serials;
    for (const Item& item : list)
        serials.push_back(item.serial);
    EXPECT_EQ(serials, (std::vector<int>{2, 3, 5, 6}));
}

TEST(IdIndex, AListChangedBehindItsBackIsIndexedAgain) {
    std::vector<Item> list;
    IdIndex index;
    IndexAppend(index, list, IdOf, Item{4, 0});
    list.clear();
    EXPECT_EQ(IndexFirst(index, list, IdOf, 4), kNotFound);
    list.push_back(Item{7, 1});
    list.push_back(Item{7, 2});
    EXPECT_EQ(IndexFirst(index, list, IdOf, 7), 0u);
    EXPECT_EQ(IndexLast(index, list, IdOf, 7), 1u);
    list[0].id = 9;  // same size: found out when the answer does not match
    EXPECT_EQ(IndexFirst(index, list, IdOf, 7), 1u);
    EXPECT_EQ(IndexFirst(index, list, IdOf, 9), 0u);
}

}  // namespace
