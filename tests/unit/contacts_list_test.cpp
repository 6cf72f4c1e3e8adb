// The contacts window's display list, context menu, menu bar marks, add failures and
// contact sound.
#include <gtest/gtest.h>

#include "lobby/contact_online.h"
#include "tests/unit/lobby_fixture.h"
#include "ui/contacts_list.h"
#include "ui/contacts_menu.h"

namespace {

class ContactsList : public LobbyTest {
protected:
    void SetUp() override {
        LobbyTest::SetUp();
        ClearContactRows();
    }
    // Players 1 delta online, 2 Alpha shown offline, 3 charlie away, 4 bravo online;
    // contacts 11 (1, plain), 12 (2, friend), 13 (3, ignored), 14 (4, plain), 15 (no player).
    static void Fill() {
        for (PlayerRecord player : {PlayerRecord{1, L"delta", 0, 4},
                                    {2, L"Alpha", 0, 1},
                                    {3, L"charlie", 0, 3},
                                    {4, L"bravo", 0, 4}})
            AddPlayer(player);
        for (ContactRecord contact :
             {ContactRecord{11, 1, 1}, {12, 2, 0}, {13, 3, 2}, {14, 4, 1}, {15, 99, 0}})
            AddContact(contact);
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

// The selection stays while its contact is listed, in either order; hidden or removed, it
// goes. bravo (14) and delta (11) share presence and relation: their names order them.
TEST_F(ContactsList, TheSelectionStaysWhileItsContactIsListed) {
    Fill();
    SetSelectedContact(13);
    const struct {
        int sortOrder, shownIgnored;
        int selected, rowOf13, rowOf14, rowOf11;
    } cases[] = {{1, 1, 13, 3, 1, 2}, {0, 1, 13, 2, 0, 1}, {1, 0, 0, -1, 1, 2}};
    for (const auto& c : cases) {
        SetSetting(kContactSortOrderKey, c.sortOrder);
        SetSetting(kShowIgnoredKey, c.shownIgnored);
        RebuildContactRows();
        EXPECT_EQ(
            (std::vector{selectedContactId, ContactRowOf(13), ContactRowOf(14), ContactRowOf(11)}),
            (std::vector{c.selected, c.rowOf13, c.rowOf14, c.rowOf11}))
            << c.sortOrder << " " << c.shownIgnored;
    }
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
    const struct {
        int top, bottom, row;  // the band of menu client y showing the row
    } bands[] = {{0, 22, CONTEXT_NONE},     {23, 43, CONTEXT_PRIVATE_MESSAGE},
                 {44, 64, CONTEXT_FRIENDS}, {65, 85, CONTEXT_IGNORE},
                 {86, 106, CONTEXT_DELETE}, {107, 107, CONTEXT_NONE}};
    for (const auto& band : bands)
        EXPECT_EQ((std::pair{ContextMenuRowAt(band.top), ContextMenuRowAt(band.bottom)}),
                  (std::pair{band.row, band.row}))
            << band.top;
}

TEST_F(ContactsList, ContextMenuStaysInsideTheWindow) {
    // Window 100,50 .. right,bottom.
    const struct {
        int px, py, right, bottom, x, y;
    } cases[] = {
        {150, 100, 400, 450, 148, 98},   // pointer less 2
        {390, 100, 400, 450, 200, 98},   // right - 200
        {150, 440, 400, 450, 148, 300},  // bottom - 150
        {101, 51, 400, 450, 100, 50},    // not left of or above the window
        {150, 100, 250, 150, 100, 50},   // too narrow and low: the top left edge wins
    };
    for (const auto& c : cases) {
        const MenuPlace place = PlaceContextMenu(c.px, c.py, 100, 50, c.right, c.bottom);
        EXPECT_EQ((std::pair{place.x, place.y}), (std::pair{c.x, c.y})) << c.px << "," << c.py;
    }
}

// Per row of the menu: its texts, and what a click on it does (the message queued, "chat").
TEST_F(ContactsList, ContextMenuRowsAndClicksDependOnPresenceAndRelation) {
    SetSetting(kLanguageKey, 1);
    AddContact({7, 8, 0});
    const struct {
        std::int32_t relation, presence;
        const char* texts;
    } cases[] = {
        {0, 4,
         "Send private message|Remove from friends|Add to ignored|Delete contact|"
         "chat|53,7:1,!|53,7:2,!|54,7,!||"},
        {2, 2, "|Add to friends|Remove from ignored|Delete contact||53,7:0,!|53,7:1,!|54,7,!||"},
        {1, 0, "|Add to friends|Add to ignored|Delete contact||53,7:0,!|53,7:2,!|54,7,!||"}};
    for (const auto& c : cases) {
        const ContactRow contact{7, 8, L"zoe", c.relation, c.presence};
        const ContextMenuTexts t = ContextMenuTextsFor(contact);
        std::string texts = Utf8FromWide(t.privateMessage + L"|" + t.friends + L"|" + t.ignore +
                                         L"|" + t.remove + L"|");
        for (int row : {CONTEXT_PRIVATE_MESSAGE, CONTEXT_FRIENDS, CONTEXT_IGNORE, CONTEXT_DELETE,
                        CONTEXT_NONE}) {
            const bool chat = ContextMenuClick(row, contact);
            for (const std::string& message : DrainOutboundQueue())
                texts += message;
            texts += std::string(chat ? "chat" : "") + "|";
        }
        EXPECT_EQ(Utf8FromWide(t.name) + " " + texts, std::string("zoe ") + c.texts)
            << c.relation << " " << c.presence;
    }
    EXPECT_EQ(ContactRelations()[0].relation, 0) << "the model waits for the server";
}

// What only the end of the add dialog and the friends' sound meet at their bounds: an entry
// already there, codes never seen; a player already online, not a contact or not listed.
TEST_F(ContactsList, AddFailuresAndContactsComingOnlineAtTheirBounds) {
    SetSetting(kLanguageKey, 1);
    EXPECT_EQ(Text(AddContactFailureText(2)), L"Can not add contact.\r\nEntry already exist.");
    for (int code : {0, 3, -5})
        EXPECT_EQ(Text(AddContactFailureText(code)),
                  L"Cannot add contact.\r\nNickname doesn\u00b4t exist.");
    EXPECT_EQ(CallsOf("52,2,"), Lines{"add contact failure 2"});
    Fill();
    AddPlayer({5, L"echo", 0, 1});
    for (auto [player, status] : {std::pair{1, 4}, {2, 3}, {5, 4}, {98, 4}})
        EXPECT_FALSE(ContactComesOnline(player, status)) << player << " " << status;
    for (const char* message : {"17,2,4,", "17,1,4,", "17,3,4,", "17,2,4,"})
        Deliver(message);
    EXPECT_EQ(LobbyCallsStartingWith("contact online").size(), 1u)
        << "only the friend, only its first change";
}

// Per item (options, status items from shown offline to online): its check mark.
TEST_F(ContactsList, MenuMarksFollowTheOptionsAndTheOwnPresence) {
    const auto Marks = [] {
        std::string marks;
        for (int command :
             {CONTACTS_FOREGROUND, CONTACTS_HIDE_IGNORED, CONTACTS_SORT_ONLINE,
              CONTACTS_SORT_FRIENDS, CONTACTS_STATUS_SHOWN_OFFLINE, CONTACTS_STATUS_DO_NOT_DISTURB,
              CONTACTS_STATUS_AWAY, CONTACTS_STATUS_ONLINE, CONTACTS_CLOSE})
            marks += ContactsMenuChecked(command) ? '1' : '0';
        return marks;
    };
    const char* expected[] = {"100100000", "100110000", "100101000", "100100100", "100100010"};
    for (int presence = PRESENCE_NOT_CONNECTED; presence <= PRESENCE_ONLINE; ++presence) {
        SetOwnPresence(presence);
        EXPECT_EQ(Marks(), expected[presence]) << presence;
    }
}

}  // namespace
