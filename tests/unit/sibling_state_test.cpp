// What the development sibling programs make of what no hub test sends them: command
// lines with commas inside their texts, oversized lists and a table window's chat line.
// Their test modes and test commands are the end-to-end tests' own input.
#include <gtest/gtest.h>

#include <algorithm>

#include "net/text_convert.h"
#include "siblings/sibling_fields.h"
#include "siblings/sibling_state.h"

namespace {

TEST(SiblingFields, CommasInsideTextsStayInTheText) {
    struct Case {
        SiblingKind kind;
        const wchar_t* arguments;
        const char* title;
        std::vector<std::string> lines;
    } cases[] = {
        {SiblingKind::Room,
         L" ,?,73,2,1,0,1,0,555,12,North, East,1,130,140,0,QzpcY2ZnXGNvbmZpZy5kYXQ=,",
         "Room 12 - North, East",
         {"room id 12", "room name North, East", "money kind 1", "window x 130", "window y 140",
          "room state 0", "config.dat path C:\\cfg\\config.dat"}},
        // Player B's name arrives as its UTF-8 bytes widened one to one.
        {SiblingKind::Join,
         L" ,?,73,2,1,1,12,0,9,7,555,Ann, Jr,556,Zo\u00c3\u00ab,1,3,5,7,1",
         "Join 9 - Ann, Jr / Zo\xC3\xAB",
         {"join id 9", "player A name Ann, Jr", "player B id 556", "player B name Zo\xC3\xAB",
          "A is own player 1", "room kind 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::vector<std::string> values = FieldValues(c.kind, c.arguments);
        EXPECT_EQ(IdentityOf(c.kind, values).title, c.title);
        std::vector<std::string> shown = DescribeFields(c.kind, values);
        for (const std::string& line : c.lines)
            EXPECT_NE(std::find(shown.begin(), shown.end(), line), shown.end()) << line;
    }
}

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
