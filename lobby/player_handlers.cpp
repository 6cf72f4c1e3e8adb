// The players list and their online statuses, kept from the server's messages and relayed
// to the sibling windows; a player who goes takes their places in rooms, tables and joins.
#include "lobby/lobby_handlers.h"

#include <algorithm>

#include "lobby/contact_online.h"
#include "lobby/handler_helpers.h"
#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

namespace {

// The player's presences go, each taking one user from its room. Returns how many went;
// `usersChanged` tells whether a room's count changed.
std::size_t DropPresencesOfPlayer(std::int32_t playerId, bool& usersChanged) {
    usersChanged = false;
    return RemovePresencesWhere([&](const RoomPresenceRecord& presence) {
        if (presence.playerId != playerId) return false;
        const std::size_t room = FirstRoom(presence.roomId);
        if (room != kNotFound) {
            ChangeRoomUsersAt(room, -1);
            usersChanged = true;
        }
        return true;
    });
}

// What type 22 and type 17 with status 0 take away from a player besides the record.
std::size_t DropPlayerPlaces(std::int32_t playerId, bool& usersChanged) {
    const std::size_t presencesGone = DropPresencesOfPlayer(playerId, usersChanged);
    RemoveSeatsWhere([&](const SeatRecord& seat) { return seat.playerId == playerId; });
    DropJoinRequests([&](const JoinRecord& join) {
        return join.playerA == playerId || join.playerB == playerId;
    });
    return presencesGone;
}

bool IsContact(std::int32_t playerId) {
    const std::vector<ContactRecord>& contactRelations = ContactRelations();
    return std::any_of(contactRelations.begin(), contactRelations.end(),
                       [&](const ContactRecord& contact) { return contact.playerId == playerId; });
}

}  // namespace

void OnPresenceChange(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t playerId = NumberField(fields, 2);
    const std::int32_t status = NumberField(fields, 3);
    const bool contactOnline = ContactComesOnline(playerId, status);
    if (playerId == OwnPlayerId) {
        SetOwnPresence(status);
        LobbyShowOwnPresence();
    }
    const std::size_t at = FirstPlayer(playerId);
    if (at != kNotFound) SetPlayerStatusAt(at, status);
    std::size_t presencesGone = 0;
    if (status == 0) {
        bool usersChanged = false;
        presencesGone = DropPlayerPlaces(playerId, usersChanged);
    }
    LobbyRepaintMain();
    if (IsContact(playerId)) LobbyRefreshContacts();
    if (contactOnline) LobbyContactCameOnline();
    if (presencesGone > 0) RefreshRoomUsers();
    BroadcastToChildWindows(RELAY_PRESENCE, Pair(playerId, ',', status));
}

void OnPlayers(const FieldList& fields) {
    SiblingBatch batch;
    const std::vector<WindowRef> windows = OpenChildWindows();
    bool existingChanged = false;
    std::string relayed;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        using P = PlayerRecord;
        P player = ReadRecord(record, &P::id, &P::name, &P::value, &P::status);
        if (player.id == OwnPlayerId) {
            SetOwnDisplayName(player.name);
            LobbyShowOwnName();
        }
        if (PutPlayer(std::move(player))) existingChanged = true;
        if (windows.empty()) return;
        relayed.assign(record);
        relayed += ';';
        SendToWindows(windows, RELAY_PLAYERS, relayed);
    });
    LobbyRepaintMain();
    if (existingChanged) {
        RefreshRoomUsers();
        RefreshTournamentList();
        LobbyRefreshContacts();
    }
}

void OnPlayerGone(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t playerId = NumberField(fields, 2);
    RemovePlayerAt(FirstPlayer(playerId));
    const std::vector<ContactRecord>& contactRelations = ContactRelations();
    const auto contact =
        std::find_if(contactRelations.begin(), contactRelations.end(),
                     [&](const ContactRecord& relation) { return relation.playerId == playerId; });
    const bool contactRemoved = contact != contactRelations.end();
    if (contactRemoved)
        RemoveContactAt(static_cast<std::size_t>(contact - contactRelations.begin()));
    bool usersChanged = false;
    DropPlayerPlaces(playerId, usersChanged);
    RemoveTablesWhere([&](const TableRecord& table) {
        return table.values[5] == playerId || table.values[6] == playerId;
    });
    LobbyRepaintMain();
    if (contactRemoved) LobbyRefreshContacts();
    if (usersChanged) RefreshRoomUsers();
    BroadcastToChildWindows(RELAY_PLAYER_GONE, IntToText(playerId));
}
