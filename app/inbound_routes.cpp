// Which handler takes each inbound message type: the one table that joins the protocol
// to the session and the lobby.
#include <iterator>

#include "app/inbound_routes.h"
#include "session/session.h"
#include "lobby/lobby_handlers.h"
#include "session/account.h"
#include "session/news.h"
#include "net/dispatch.h"
#include "net/text_convert.h"

namespace {

void OnLoginReplyMessage(const FieldList& fields) {
    OnLoginReply(TextToInt(FieldAt(fields, 2)));
}
void OnDoubleLoginMessage(const FieldList&) {
    OnDoubleLogin();
}
void OnInitialDataMessage(const FieldList&) {
    OnInitialDataComplete();
}
void OnAccountStatusMessage(const FieldList& fields) {
    OnAccountStatus(TextToInt(FieldAt(fields, 2)));
}

constexpr InboundRoute kRoutes[] = {
    {MSG_SERVER_CLOCK, OnServerClock, "server clock"},
    {MSG_LOGIN_REPLY, OnLoginReplyMessage, "login reply"},
    {MSG_DOUBLE_LOGIN, OnDoubleLoginMessage, "double login"},
    {MSG_ACCOUNT_DATA, OnAccountData, "account data"},
    {MSG_ACCOUNT_VALUES, OnAccountValues, "account values"},
    {MSG_INITIAL_DATA_COMPLETE, OnInitialDataMessage, "initial data complete"},
    {MSG_ACCOUNT_STATUS, OnAccountStatusMessage, "account status"},
    {MSG_PRESENCE, OnPresenceChange, "presence"},
    {MSG_PLAYERS, OnPlayers, "players"},
    {MSG_PLAYER_GONE, OnPlayerGone, "player gone"},
    {MSG_ROOMS, OnRooms, "rooms"},
    {MSG_ROOM_PRESENCES, OnRoomPresences, "room presences"},
    {MSG_ROOM_REMOVED, OnRoomRemoved, "room removed"},
    {MSG_ROOM_RELAY, OnRoomRelay, "room relay"},
    {MSG_ROOM_LEFT, OnRoomLeft, "room left"},
    {MSG_CONTACTS, OnContacts, "contacts"},
    {MSG_ADD_CONTACT_RESULT, OnAddContactResult, "add contact result"},
    {MSG_CONTACT_CHANGED, OnContactChanged, "contact changed"},
    {MSG_CONTACT_REMOVED, OnContactRemoved, "contact removed"},
    {MSG_PRIVATE_MESSAGE, OnPrivateMessage, "private message"},
    {MSG_UNDELIVERABLE, OnUndeliverable, "undeliverable"},
    {MSG_TABLES, OnTables, "tables"},
    {MSG_NEWS, OnNews, "news"},
    {MSG_SEATS, OnSeats, "seats"},
    {MSG_TABLE_REMOVED, OnTableRemoved, "table removed"},
    {MSG_JOIN_REQUEST, OnJoinRequest, "join request"},
    {MSG_JOIN_RESULT, OnJoinResult, "join result"},
    {MSG_SEAT_REMOVED, OnSeatRemoved, "seat removed"},
    {MSG_TABLE_RELAY, OnTableRelay, "table relay"},
};

static_assert(std::size(kRoutes) == 29, "every inbound type has its row");

}  // namespace

void InstallHubInboundRoutes() {
    InstallInboundRoutes(kRoutes);
}
