// The contacts window's display list, context menu, add check and contact sound.
#include <gtest/gtest.h>

#include "lobby/contact_online.h"
#include "tests/unit/lobby_fixture.h"
#include "ui/contacts_list.h"

namespace {

class ContactsList : public LobbyTest {
protected:
    void SetUp() override {
        LobbyTest::SetUp();
        ClearContactRows();
    }
    void TearDown() override {
        ClearContactRows();
        LobbyTest::TearDown();
    }
    static void Player(std::int32_t id, const wchar_t* name, std::int32_t status) {
        AddPlayer({id, name, 0, status});
    }
    static std::vector<std::int32_t> ShownIds() {
        std::vector<std::int32_t> ids;
        for (const ContactRow& row : contactRows)
            ids.push_back(row.contactId);
        return ids;
    }
};

TEST_F(ContactsList, NamesCompareWithAsciiLettersLoweredOnly) {
    struct Case {
        const wchar_t *a, *b;
        bool less;
    } cases[] = {
        {L"anna", L"Bert", true},
        {L"Bert", L"anna", false},
        {L"ANNA", L"anna", false},
        {L"anna", L"ANNA", false},
        {L"Ann", L"anna", true},
        {L"anna", L"Ann", false},
        {L"_x", L"Zed", true},           // 'z' (0x7a) after '_' (0x5f) only once lowered
        {L"\u00c4x", L"\u00e4x", true},  // no lowering outside ASCII: 0xC4 < 0xE4
        {L"", L"a", true},
        {L"a", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContactNameLess(c.a, c.b), c.less) << '"' << c.a << "\" < \"" << c.b << '"';
}

TEST_F(ContactsList, RebuildJoinsPlayersSkipsMissingAndIgnoredAndSortsBothWays) {
    Player(1, L"delta", 4);
    Player(2, L"Alpha", 1);
    Player(3, L"charlie", 3);
    Player(4, L"bravo", 4);
    AddContact({11, 1, 1});
    AddContact({12, 2, 0});
    AddContact({13, 3, 2});
    AddContact({14, 4, 1});
    AddContact({15, 99, 0});  // no such player held

    struct Case {
        int sortOrder, shownIgnored;
        std::vector<std::int32_t> ids;
    } cases[] = {
        {1, 1, {12, 14, 11, 13}},  // friends, plain by name, ignored
        {0, 1, {14, 11, 13, 12}},  // online by name, away, shown offline
        {1, 0, {12, 14, 11}},
        {0, 0, {14, 11, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "sort " << c.sortOrder << " ignored " << c.shownIgnored);
        SetContactSortOrder(c.sortOrder);
        SetShowIgnored(c.shownIgnored);
        RebuildContactRows();
        EXPECT_EQ(ShownIds(), c.ids);
    }
    const ContactRow& row = contactRows[0];  // 14, the last case
    EXPECT_EQ(row.playerId, 4);
    EXPECT_EQ(row.name, L"bravo");
    EXPECT_EQ(row.relation, 1);
    EXPECT_EQ(row.presence, 4);
}

TEST_F(ContactsList, SelectionStaysWhileListedAndClearsWhenGone) {
    Player(1, L"ann", 4);
    Player(2, L"bob", 4);
    AddContact({11, 1, 0});
    AddContact({12, 2, 2});
    SetSelectedContact(12);
    RebuildContactRows();
    EXPECT_EQ(selectedContactId, 12);
    SetShowIgnored(0);
    RebuildContactRows();
    EXPECT_EQ(selectedContactId, 0) << "hidden with the ignored contacts";
    SetSelectedContact(11);
    RemoveContactAt(0);
    RebuildContactRows();
    EXPECT_EQ(selectedContactId, 0) << "relation removed";
}

TEST_F(ContactsList, PagesAndRowsUnderThePointer) {
    EXPECT_EQ(ContactsPage(0), 0);
    EXPECT_EQ(ContactsPage(16), 0);
    EXPECT_EQ(ContactsPage(17), 1);
    EXPECT_EQ(ContactsPage(355), 20);
    for (int i = 0; i < 5; ++i) {
        Player(i + 1, L"p", 4);
        AddContact({i + 10, i + 1, 1});
    }
    RebuildContactRows();
    struct Case {
        int y, scroll, row;
    } cases[] = {{0, 0, 0}, {16, 0, 0}, {17, 0, 1},  {68, 0, 4}, {85, 0, -1},
                 {0, 3, 3}, {17, 3, 4}, {34, 3, -1}, {-1, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ContactRowAt(c.y, c.scroll), c.row) << c.y << " " << c.scroll;
}

TEST_F(ContactsList, ContextMenuRowsByPointerHeight) {
    struct Case {
        int y, row;
    } cases[] = {{0, CONTEXT_NONE},
                 {22, CONTEXT_NONE},
                 {23, CONTEXT_PRIVATE_MESSAGE},
                 {43, CONTEXT_PRIVATE_MESSAGE},
                 {44, CONTEXT_FRIENDS},
                 {64, CONTEXT_FRIENDS},
                 {65, CONTEXT_IGNORE},
                 {85, CONTEXT_IGNORE},
                 {86, CONTEXT_DELETE},
                 {106, CONTEXT_DELETE},
                 {107, CONTEXT_NONE}};
    for (const auto& c : cases)
        EXPECT_EQ(ContextMenuRowAt(c.y), c.row) << c.y;
}

TEST_F(ContactsList, ContextMenuStaysInsideTheWindow) {
    // Window 100,50 .. 400,450.
    struct Case {
        int px, py, x, y;
    } cases[] = {
        {150, 100, 148, 98},   // pointer less 2
        {390, 100, 200, 98},   // right - 200
        {150, 440, 148, 300},  // bottom - 150
        {101, 51, 100, 50},    // not left of or above the window
        {395, 445, 200, 300},
    };
    for (const auto& c : cases) {
        const MenuPlace place = PlaceContextMenu(c.px, c.py, 100, 50, 400, 450);
        EXPECT_EQ(place.x, c.x) << c.px << "," << c.py;
        EXPECT_EQ(place.y, c.y) << c.px << "," << c.py;
    }
    // A window narrower than the menu: the left edge wins.
    const MenuPlace narrow = PlaceContextMenu(150, 100, 100, 50, 250, 150);
    EXPECT_EQ(narrow.x, 100);
    EXPECT_EQ(narrow.y, 50);
}

TEST_F(ContactsList, ContextMenuRowsDependOnPresenceAndRelation) {
    language = 1;
    struct Case {
        std::int32_t relation, presence;
        const wchar_t *message, *friends, *ignore;
    } cases[] = {
        {0, 4, L"Send private message", L"Remove from friends", L"Add to ignored"},
        {1, 3, L"Send private message", L"Add to friends", L"Add to ignored"},
        {2, 2, L"", L"Add to friends", L"Remove from ignored"},
        {1, 0, L"", L"Add to friends", L"Add to ignored"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.relation << " " << c.presence);
        const ContextMenuTexts texts = ContextMenuTextsFor({7, 8, L"zoe", c.relation, c.presence});
        EXPECT_EQ(texts.name, L"zoe");
        EXPECT_EQ(texts.privateMessage, c.message);
        EXPECT_EQ(texts.friends, c.friends);
        EXPECT_EQ(texts.ignore, c.ignore);
        EXPECT_EQ(texts.remove, L"Delete contact");
    }
}

TEST_F(ContactsList, ContextMenuClicksSendWithoutChangingTheModel) {
    AddContact({7, 8, 0});
    struct Case {
        int row;
        std::int32_t relation, presence;
        const char* message;
        bool chat;
    } cases[] = {
        {CONTEXT_FRIENDS, 0, 4, "53,7:1,!", false}, {CONTEXT_FRIENDS, 1, 4, "53,7:0,!", false},
        {CONTEXT_FRIENDS, 2, 4, "53,7:0,!", false}, {CONTEXT_IGNORE, 2, 4, "53,7:1,!", false},
        {CONTEXT_IGNORE, 0, 4, "53,7:2,!", false},  {CONTEXT_IGNORE, 1, 4, "53,7:2,!", false},
        {CONTEXT_DELETE, 1, 4, "54,7,!", false},    {CONTEXT_PRIVATE_MESSAGE, 1, 3, "", true},
        {CONTEXT_PRIVATE_MESSAGE, 1, 2, "", false}, {CONTEXT_NONE, 1, 4, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " " << c.relation << " " << c.presence);
        const ContextMenuAction action =
            ContextMenuClick(c.row, {7, 8, L"x", c.relation, c.presence});
        EXPECT_EQ(action.message, c.message);
        EXPECT_EQ(action.openChat, c.chat);
    }
    EXPECT_EQ(contactRelations[0].relation, 0);
}

TEST_F(ContactsList, AddNeedsThreeCharactersAndFailuresNameTheirCause) {
    EXPECT_EQ(AddContactMessage(L""), "");
    EXPECT_EQ(AddContactMessage(L"ab"), "");
    EXPECT_EQ(AddContactMessage(L"abc"), "52,YWJj,!");
    language = 1;
    EXPECT_EQ(Text(AddContactFailureText(2)), L"Can not add contact.\r\nEntry already exist.");
    for (int code : {0, 1, 3, -5})
        EXPECT_EQ(Text(AddContactFailureText(code)),
                  L"Cannot add contact.\r\nNickname doesn\u00b4t exist.");
    EXPECT_EQ(CallsOf("52,2,"), Lines{"add contact failure 2"});
    language = 2;
    EXPECT_EQ(Text(TextId::SystemMessageTitle), L"Tavlora - System Nachricht");
}

TEST_F(ContactsList, ContactComingOnlineIsReadBeforeTheModelChanges) {
    Player(1, L"ann", 3);
    Player(2, L"bob", 4);
    Player(3, L"cid", 1);
    Player(4, L"dan", 1);
    AddContact({11, 1, 0});
    AddContact({12, 2, 1});
    AddContact({13, 3, 2});
    struct Case {
        std::int32_t player, status;
        bool online;
    } cases[] = {
        {1, 4, true},    // friend, away -> online
        {1, 3, false},   // not to online
        {2, 4, false},   // already online
        {3, 4, false},   // ignored
        {4, 4, false},   // not a contact
        {99, 4, false},  // no such player, no such contact
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContactComesOnline(c.player, c.status), c.online) << c.player;

    lobbyCalls.clear();
    for (const char* message : {"17,1,4,", "17,2,4,", "17,3,4,", "17,1,4,"})
        Deliver(message);
    EXPECT_EQ(LobbyCallsStartingWith("contact online").size(), 1u)
        << "only the friend, only its first change";
}

}  // namespace
