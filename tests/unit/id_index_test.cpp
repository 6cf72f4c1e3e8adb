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

const auto IdOf = [](const Item& item) { return item.id; };

void ExpectSameAsWalk(IdIndex& index, const std::vector<Item>& list, std::int32_t id) {
    std::vector<std::size_t> every;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id) every.push_back(i);
    ASSERT_EQ(IndexFirst(index, list, IdOf, id), every.empty() ? kNotFound : every.front()) << id;
    ASSERT_EQ(IndexLast(index, list, IdOf, id), every.empty() ? kNotFound : every.back()) << id;
    ASSERT_EQ(IndexEvery(index, list, IdOf, id), every) << id;
}

TEST(IdIndex, RandomChangesLeaveEveryLookupAsAWalkWouldAnswer) {
    const struct {
        int idRange;  // many duplicates, some, almost none
        int steps;
        int appendsIn100;  // the rest: single removals, removals by id, by serial, sorts
    } cases[] = {{5, 3000, 50}, {40, 3000, 50}, {1000, 3000, 50}, {1 << 20, 30000, 90}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idRange);
        std::mt19937 random(static_cast<unsigned>(c.idRange));
        std::vector<Item> list;
        IdIndex index;
        int serial = 0;
        for (int step = 0; step <= c.steps; ++step) {
            const int what = static_cast<int>(random() % 100);
            const int rest = (what - c.appendsIn100) * 10 / (100 - c.appendsIn100);
            const auto id = static_cast<std::int32_t>(random() % static_cast<unsigned>(c.idRange));
            if (what < c.appendsIn100) {
                IndexAppend(index, list, IdOf, Item{id, serial++});
            } else if (rest < 5 && !list.empty()) {
                IndexRemoveAt(index, list, IdOf, random() % list.size());
            } else if (rest < 7) {
                IndexRemoveIf(index, list, IdOf, [&](const Item& item) { return item.id == id; });
            } else if (rest < 9) {
                const int modulus = 2 + static_cast<int>(random() % 50);
                IndexRemoveIf(index, list, IdOf,
                              [&](const Item& item) { return item.serial % modulus == 0; });
            } else {
                // Reordered in place, as the room list's sort does.
                std::shuffle(list.begin(), list.end(), random);
                IndexRebuild(index, list, IdOf);
            }
            if (c.idRange <= 1000 || step % 1000 == 0) {
                ASSERT_TRUE(IndexExact(index, list, IdOf)) << step;
            }
            if (step % 500 != 0) continue;
            // Every id of a small range, or some of the list and as many others of a large one.
            for (std::int32_t id = -1; c.idRange <= 1000 && id <= c.idRange; ++id)
                ExpectSameAsWalk(index, list, id);
            for (int i = 0; c.idRange > 1000 && i < 100 && !list.empty(); ++i) {
                ExpectSameAsWalk(index, list, list[random() % list.size()].id);
                ExpectSameAsWalk(index, list, static_cast<std::int32_t>(random() % (1u << 20)));
            }
        }
    }
}

TEST(IdIndex, ChangesBehindItsBackAreIndexedAgain) {
    std::vector<Item> list;
    IdIndex index;
    for (int i = 0; i < 8; ++i)
        IndexAppend(index, list, IdOf, Item{i % 3, i});
    list.clear();
    EXPECT_EQ(IndexFirst(index, list, IdOf, 2), kNotFound);
    list = {Item{7, 1}, Item{7, 2}};
    EXPECT_EQ(IndexFirst(index, list, IdOf, 7), 0u);
    EXPECT_EQ(IndexLast(index, list, IdOf, 7), 1u);
    list[0].id = 9;  // same size: found out when the answer does not match
    EXPECT_EQ(IndexFirst(index, list, IdOf, 7), 1u);
    EXPECT_EQ(IndexFirst(index, list, IdOf, 9), 0u);
}

}  // namespace
