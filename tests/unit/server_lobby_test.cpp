// The demo lobby: every list message parses with the client's wire helpers, and the ids
// hang together (presences, tables, seats and contacts name rooms, tables and players
// that exist).
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/accounts.h"
#include "server/lobby_data.h"
#include "server/lobby_messages.h"

namespace {

constexpr std::int32_t kDemoPlayer = 1001;

// Records of every message of one type, each split into items, as the client splits them.
std::map<int, std::vector<std::vector<std::string>>> ParseLobby(std::int32_t own_player) {
    std::map<int, std::vector<std::vector<std::string>>> lists;
    for (const std::string& message : LobbyMessages(DemoLobby(), own_player)) {
        SCOPED_TRACE(message.substr(0, 40));
        EXPECT_EQ(message.find('!'), message.size() - 1);
        EXPECT_LE(message.size(), kListMessageBudget + 16);
        FieldList fields = SplitFields(std::string_view(message).substr(0, message.size() - 1));
        EXPECT_EQ(fields.size(), 2u);
        if (fields.size() != 2) continue;
        EXPECT_EQ(fields[1].back(), ';');
        auto& records = lists[TextToInt(fields[0])];
        for (std::string_view record : SplitRecords(fields[1])) {
            std::vector<std::string> items;
            for (std::string_view item : SplitItems(record))
                items.emplace_back(item);
            records.push_back(items);
        }
    }
    return lists;
}

std::int32_t Int(const std::string& item) {
    EXPECT_EQ(IntToText(TextToInt(item)), item) << "not a plain integer";
    return TextToInt(item);
}

TEST(ServerLobby, RecordsHaveTheClientsLayouts) {
    auto lists = ParseLobby(kDemoPlayer);
    struct Layout {
        int type;
        std::size_t items;
        std::size_t text_item;  // the one item that is not a number, or items
    } layouts[] = {{21, 4, 1}, {31, 4, 1}, {32, 3, 3}, {51, 3, 3}, {71, 18, 18}, {72, 4, 4}};
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.type);
        ASSERT_FALSE(lists[layout.type].empty());
        for (const auto& record : lists[layout.type]) {
            ASSERT_EQ(record.size(), layout.items);
            for (std::size_t i = 0; i < record.size(); ++i) {
                if (i != layout.text_item) Int(record[i]);
            }
            if (layout.text_item < record.size()) {
                const std::string& name = record[layout.text_item];
                EXPECT_FALSE(name.empty());
                EXPECT_EQ(WideFromUtf8(name).find(L'\xFFFD'), std::wstring::npos) << name;
            }
        }
    }
    EXPECT_EQ(lists.size(), 6u);
}

TEST(ServerLobby, IdsReferToExistingEntries) {
    auto lists = ParseLobby(kDemoPlayer);
    std::set<std::int32_t> players, rooms, presences, contacts, seats;
    std::map<std::int32_t, std::int32_t> table_room;
    for (const auto& r : lists[21])
        EXPECT_TRUE(players.insert(Int(r[0])).second) << r[0];
    for (const auto& r : lists[31])
        EXPECT_TRUE(rooms.insert(Int(r[0])).second) << r[0];
    for (const auto& r : lists[32]) {
        EXPECT_TRUE(presences.insert(Int(r[0])).second) << r[0];
        EXPECT_TRUE(rooms.count(Int(r[1]))) << r[1];
        EXPECT_TRUE(players.count(Int(r[2]))) << r[2];
    }
    for (const auto& r : lists[71]) {
        EXPECT_TRUE(table_room.emplace(Int(r[0]), Int(r[1])).second) << r[0];
        EXPECT_TRUE(rooms.count(Int(r[1]))) << r[1];
        EXPECT_TRUE(players.count(Int(r[5]))) << r[5];
        EXPECT_TRUE(Int(r[6]) == 0 || players.count(Int(r[6]))) << r[6];
        EXPECT_EQ(r[16], "0");
        EXPECT_EQ(r[17], "0");
    }
    for (const auto& r : lists[72]) {
        EXPECT_TRUE(seats.insert(Int(r[0])).second) << r[0];
        auto table = table_room.find(Int(r[2]));
        ASSERT_NE(table, table_room.end()) << r[2];
        EXPECT_EQ(table->second, Int(r[1])) << "seat " << r[0] << " in another room";
        EXPECT_TRUE(players.count(Int(r[3]))) << r[3];
    }
    std::map<std::int32_t, int> relations;
    for (const auto& r : lists[51]) {
        EXPECT_TRUE(contacts.insert(Int(r[0])).second) << r[0];
        EXPECT_TRUE(players.count(Int(r[1]))) << r[1];
        EXPECT_NE(Int(r[1]), kDemoPlayer);
        ++relations[Int(r[2])];
    }
    EXPECT_EQ(relations, (std::map<std::int32_t, int>{{0, 6}, {1, 7}, {2, 1}}));
    EXPECT_TRUE(players.count(kDemoPlayer));
}

TEST(ServerLobby, BelievableMix) {
    const Lobby& lobby = DemoLobby();
    EXPECT_GE(lobby.players.size(), 200u);
    EXPECT_LE(lobby.players.size(), 500u);
    std::map<std::int32_t, int> statuses, kinds;
    std::set<std::string> names;
    int non_ascii = 0;
    for (const PlayerEntry& p : lobby.players) {
        ++statuses[p.status];
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        if (WideFromUtf8(p.name).size() != p.name.size()) ++non_ascii;
    }
    EXPECT_EQ(statuses.size(), 4u);
    EXPECT_EQ(statuses.begin()->first, 1);
    EXPECT_GE(non_ascii, 10);
    int locked = 0;
    for (const RoomEntry& r : lobby.rooms) {
        ++kinds[r.money_kind];
        locked += r.state == kRoomLocked;
    }
    EXPECT_EQ(locked, 1);
    for (std::int32_t kind : {1, 2, 3})
        EXPECT_GE(kinds[kind], 2) << kind;
    // Every account's own player is listed with its user name.
    for (const Account& account : Accounts()) {
        bool listed = false;
        for (const PlayerEntry& p : lobby.players)
            listed |= p.id == account.player_id && p.name == account.user;
        EXPECT_TRUE(listed) << account.user;
    }
}

TEST(ServerLobby, SameDataEveryRun) {
    EXPECT_EQ(LobbyMessages(GenerateLobby(), kDemoPlayer), LobbyMessages(DemoLobby(), kDemoPlayer));
    EXPECT_NE(LobbyMessages(DemoLobby(), 1002), LobbyMessages(DemoLobby(), kDemoPlayer));
}

TEST(ServerLobby, LongListsSplitAtRecords) {
    std::vector<std::string> records(300, "12345:name:1:4");
    std::vector<std::string> messages = ListMessages(21, records);
    EXPECT_GT(messages.size(), 1u);
    std::size_t total = 0;
    for (const std::string& message : messages) {
        EXPECT_EQ(message.rfind("21,", 0), 0u);
        EXPECT_EQ(message.substr(message.size() - 3), ";,!");
        total += SplitRecords(SplitFields(message.substr(0, message.size() - 1))[1]).size();
    }
    EXPECT_EQ(total, 300u);
    EXPECT_TRUE(ListMessages(21, {}).empty());
}

}  // namespace
