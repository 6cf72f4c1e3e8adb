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
    // Players 1 delta online, 2 Alpha shown offline, 3 charlie away, 4 bravo online;
    // contacts 11 (1, plain), 12 (2, friend), 13 (3, ignored), 14 (4, plain), 15 (no player).
    static void Fill() {
        AddPlayer({1, L"delta", 0, 4});
        AddPlayer({2, L"Alpha", 0, 1});
        AddPlayer({3, L"charlie", 0, 3});
        AddPlayer({4, L"bravo", 0, 4});
        for (ContactRecord contact :
             {ContactRecord{11, 1, 1}, {12, 2, 0}, {13, 3, 2}, {14, 4, 1}, {15, 99, 0}})
            AddContact(contact);
    }
    static std::vector<std::int32_t> ShownIds() {
        std::vector<std::int32_t> ids;
        for (const ContactRow& row : contactRows)
            ids.push_back(row.contactId);
        return ids;
    }
};

TEST_F(ContactsList, NamesCompareWithAsciiLettersLoweredOnly) {
    const struct {
        const wchar_t *a, *b;
        bool less;
    } cases[] = {
        {L"anna", L"Bert", true},       {L"Bert", L"anna", false}, {L"ANNA", L"anna", false},
        {L"anna", L"ANNA", false},      {L"Ann", L"anna", true},   {L"anna", L"Ann", false},
        {L"_x", L"Zed", true},  // 'z' (0x7a) after '_' (0x5f) only once lowered
        {L"\u00c4x", L"\u00e4x", true}, {L"", L"a", true},         {L"a", L"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(ContactNameLess(c.a, c.b), c.less) << '"' << c.a << "\" < \"" << c.b << '"';
}

TEST_F(ContactsList, RebuildJoinsPlayersSkipsMissingAndIgnoredAndSortsBothWays) {
    Fill();
    const struct {
        int sortOrder, shownIgnored;
        std::vector<std::int32_t> ids;
    } cases[] = {
        {1, 1, {12, 14, 11, 13}},  // friends, plain by name, ignored
        {0, 1, {14, 11, 13, 12}},  // online by name, away, shown offline
        {1, 0, {12, 14, 11}},
        {0, 0, {14, 11, 12}},
    };
    for (const auto& c : cases) {
        SetContactSortOrder(c.sortOrder);
        SetShowIgnored(c.shownIgnored);
        RebuildContactRows();
        EXPECT_EQ(ShownIds(), c.ids) << c.sortOrder << " " << c.shownIgnored;
    }
    const ContactRow& row = contactRows[0];  // 14, the last case
    EXPECT_EQ((std::vector{row.playerId, row.relation, row.presence}), (std::vector{4, 1, 4}));
    EXPECT_EQ(row.name, L"bravo");
}

TEST_F(ContactsList, SelectionStaysWhileListedAndClearsWhenGone) {
    Fill();
    SetSelectedContact(13);
    RebuildContactRows();  // 12, 14, 11, 13: the row a contact is drawn on
    EXPECT_EQ(selectedContactId, 13);
    EXPECT_EQ((std::vector{ContactRowOf(12), ContactRowOf(13), ContactRowOf(15)}),
              (std::vector{0, 3, -1}));
    SetShowIgnored(0);
    RebuildContactRows();
    EXPECT_EQ(selectedContactId, 0) << "hidden with the ignored contacts";
    SetSelectedContact(11);
    RemoveContactAt(0);
    RebuildContactRows();
    EXPECT_EQ(selectedContactId, 0) << "relation removed";
}

TEST_F(ContactsList, PagesRowsAndContextMenuRowsUnderThePointer) {
    EXPECT_EQ((std::vector{ContactsPage(0), ContactsPage(16), ContactsPage(17), ContactsPage(355)}),
              (std::vector{0, 0, 1, 20}));
    Fill();
    AddPlayer({5, L"echo", 0, 4});
    AddContact({16, 5, 1});
    RebuildContactRows();
    const struct {
        int y, scroll, row;
    } rows[] = {{0, 0, 0}, {16, 0, 0}, {17, 0, 1},  {68, 0, 4}, {85, 0, -1},
                {0, 3, 3}, {17, 3, 4}, {34, 3, -1}, {-1, 0, -1}};
    for (const auto& c : rows)
        EXPECT_EQ(ContactRowAt(c.y, c.scroll), c.row) << c.y << " " << c.scroll;
    const int ys[] = {0, 22, 23, 43, 44, 64, 65, 85, 86, 106, 107};
    const int menuRows[] = {CONTEXT_NONE,
                            CONTEXT_NONE,
                            CONTEXT_PRIVATE_MESSAGE,
                            CONTEXT_PRIVATE_MESSAGE,
                            CONTEXT_FRIENDS,
                            CONTEXT_FRIENDS,
                            CONTEXT_IGNORE,
                            CONTEXT_IGNORE,
                            CONTEXT_DELETE,
                            CONTEXT_DELETE,
                            CONTEXT_NONE};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(ContextMenuRowAt(ys[i]), menuRows[i]) << ys[i];
}

TEST_F(ContactsList, ContextMenuStaysInsideTheWindow) {
    // Window 100,50 .. 400,450.
    const struct {
        int px, py, x, y;
    } cases[] = {
        {150, 100, 148, 98},   // pointer less 2
        {390, 100, 200, 98},   // right - 200
        {150, 440, 148, 300},  // bottom - 150
        {101, 51, 100, 50},    // not left of or above the window
    };
    for (const auto& c : cases) {
        const MenuPlace place = PlaceContextMenu(c.px, c.py, 100, 50, 400, 450);
        EXPECT_EQ((std::pair{place.x, place.y}), (std::pair{c.x, c.y})) << c.px << "," << c.py;
    }
    const MenuPlace narrow = PlaceContextMenu(150, 100, 100, 50, 250, 150);
    EXPECT_EQ((std::pair{narrow.x, narrow.y}), (std::pair{100, 50})) << "the left edge wins";
}

TEST_F(ContactsList, ContextMenuRowsAndClicksDependOnPresenceAndRelation) {
    language = 1;
    const struct {
        std::int32_t relation, presence;
        const wchar_t *message, *friends, *ignore;
    } texts[] = {
        {0, 4, L"Send private message", L"Remove from friends", L"Add to ignored"},
        {1, 3, L"Send private message", L"Add to friends", L"Add to ignored"},
        {2, 2, L"", L"Add to friends", L"Remove from ignored"},
        {1, 0, L"", L"Add to friends", L"Add to ignored"},
    };
    for (const auto& c : texts) {
        const ContextMenuTexts shown = ContextMenuTextsFor({7, 8, L"zoe", c.relation, c.presence});
        EXPECT_EQ(shown.name, L"zoe");
        EXPECT_EQ(shown.privateMessage, c.message) << c.relation << " " << c.presence;
        EXPECT_EQ(shown.friends, c.friends) << c.relation;
        EXPECT_EQ(shown.ignore, c.ignore) << c.relation;
        EXPECT_EQ(shown.remove, L"Delete contact");
    }
    AddContact({7, 8, 0});
    const struct {
        int row;
        std::int32_t relation, presence;
        const char* message;
        bool chat;
    } clicks[] = {
        {CONTEXT_FRIENDS, 0, 4, "53,7:1,!", false}, {CONTEXT_FRIENDS, 1, 4, "53,7:0,!", false},
        {CONTEXT_FRIENDS, 2, 4, "53,7:0,!", false}, {CONTEXT_IGNORE, 2, 4, "53,7:1,!", false},
        {CONTEXT_IGNORE, 0, 4, "53,7:2,!", false},  {CONTEXT_IGNORE, 1, 4, "53,7:2,!", false},
        {CONTEXT_DELETE, 1, 4, "54,7,!", false},    {CONTEXT_PRIVATE_MESSAGE, 1, 3, "", true},
        {CONTEXT_PRIVATE_MESSAGE, 1, 2, "", false}, {CONTEXT_NONE, 1, 4, "", false},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(testing::Message() << c.row << " " << c.relation << " " << c.presence);
        const ContextMenuAction action =
            ContextMenuClick(c.row, {7, 8, L"x", c.relation, c.presence});
        EXPECT_EQ(action.message, c.message);
        EXPECT_EQ(action.openChat, c.chat);
    }
    EXPECT_EQ(contactRelations[0].relation, 0) << "the model waits for the server";
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
}

TEST_F(ContactsList, ContactComingOnlineIsReadBeforeTheModelChanges) {
    Fill();
    players[1].status = 3;  // the friend away
    AddPlayer({5, L"echo", 0, 1});
    const struct {
        std::int32_t player, status;
        bool online;
    } cases[] = {{3, 4, false},  // ignored
                 {1, 4, false},  // already online
                 {2, 3, false},  // not to online
                 {2, 4, true},  {5, 4, false} /* not a contact */, {98, 4, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ContactComesOnline(c.player, c.status), c.online) << c.player;
    lobbyCalls.clear();
    for (const char* message : {"17,2,4,", "17,1,4,", "17,3,4,", "17,2,4,"})
        Deliver(message);
    EXPECT_EQ(LobbyCallsStartingWith("contact online").size(), 1u)
        << "only the friend, only its first change";
}

}  // namespace
