// What the development sibling programs make of what no hub test sends them: oversized
// lists and a table window's chat line. Their test modes and test commands are the
// end-to-end tests' own input.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "siblings/sibling_state.h"

namespace {

SiblingState Room() {
    SiblingIdentity identity;
    identity.id = 5;
    identity.roomId = 5;
    identity.roomName = "Play Money Arena";
    identity.roomState = "1";
    return StartState(SiblingKind::Room, identity);
}

TEST(SiblingState, ListsStayBoundedAndKnownEntriesStillChange) {
    SiblingState room = Room();
    ApplyRelay(room, 71, "8:1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19:20;");
    EXPECT_EQ(room.tables[8].size(), 16u) << "a long record keeps values 2 to 16 and the flag";
    std::string many;
    for (std::size_t i = 0; i < kSiblingListLimit + 10; ++i)
        many += std::to_string(i + 1) + ":p:1:4;";
    ApplyRelay(room, 21, many);
    EXPECT_EQ(room.players.size(), kSiblingListLimit);
    ApplyRelay(room, 21, "1:renamed:1:4;");
    EXPECT_EQ(room.players[1].name, "renamed");
    for (int i = 0; i < 100; ++i)
        ApplyRelay(room, 120, "1:YQ==");
    EXPECT_EQ(room.chat.size(), kSiblingRecentLines);
    EXPECT_LE(DescribeState(room).size(), 401u);
}

TEST(SiblingChat, ATableWindowSendsItsChatLineAndAJoinWindowHasNone) {
    SiblingIdentity table;
    table.id = 5001;
    EXPECT_EQ(ChatMessage(StartState(SiblingKind::Board, table), "gg, wp"),
              "121,5001," + Base64Encode("gg, wp") + ",!");
    EXPECT_EQ(ChatMessage(Room(), ""), "");
    EXPECT_EQ(ChatMessage(StartState(SiblingKind::Join, table), "hi"), "");
}

}  // namespace
