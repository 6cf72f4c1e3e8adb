// The edits every change of a connection's lobby is made of (commanded, random or the
// client's own): finding records, a player coming, going or changing presence, entering
// and leaving rooms, tables and seats, contacts and relay texts. Each gives the messages
// that tell the client, in order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/lobby_live.h"

namespace LiveEdits {

// Players who join later get ids from here on, so they never meet the generated ones.
constexpr std::int32_t kFirstJoinedPlayerId = 3001;
// The demo accounts' players are below this; random changes leave them alone.
constexpr std::int32_t kFirstGeneratedPlayerId = 2001;
constexpr std::int32_t kJoinedRating = 1500;
// No list of a live lobby grows past this, whatever a test or a long demo asks for.
constexpr std::size_t kListLimit = 100000;

template <class List, class Match>
auto* Find(List& list, Match match) {
    auto it = std::find_if(list.begin(), list.end(), match);
    return it == list.end() ? nullptr : &*it;
}

std::string Record(std::int32_t type, const std::string& record);
bool ValidName(std::string_view name);
bool IsBase64(std::string_view text);
PlayerEntry* FindPlayer(LiveLobby& live, std::int32_t id);
RoomEntry* FindRoom(LiveLobby& live, std::int32_t id);
TableEntry* FindTable(LiveLobby& live, std::int32_t id);
PresenceEntry* FindPresence(LiveLobby& live, std::int32_t room, std::int32_t player);
SeatEntry* FindSeat(LiveLobby& live, std::int32_t id);
ContactEntry* FindContact(LiveLobby& live, std::int32_t player);
bool Plays(const TableEntry& table, std::int32_t player);
bool SeatedAt(const LiveLobby& live, std::int32_t table, std::int32_t player);
bool PlaysInRoom(const LiveLobby& live, std::int32_t room, std::int32_t player);
// Removes a table and its seats: type 73, after which the client forgets both.
void CloseTable(LiveLobby& live, std::int32_t tableId, LobbyChange& change);
// The player's tables (in one room, or in every room when room is 0) close first: the
// client drops a player's seats but keeps the tables they played at.
void CloseTablesOf(LiveLobby& live, std::int32_t player, std::int32_t room, LobbyChange& change);
// What a log-off (and status 0) takes from a player besides the record: every table they
// play at, their presences and their seats.
void DropPlayerPlaces(LiveLobby& live, std::int32_t id, LobbyChange& change);
// The second player leaves: the table waits for an opponent again (type 71).
void FreeSecondSeat(TableEntry& table, LobbyChange& change);
LobbyChange AddPresence(LiveLobby& live, std::int32_t room, std::int32_t player);
LobbyChange RemovePresence(LiveLobby& live, std::int32_t room, std::int32_t player);
void Append(LobbyChange& into, LobbyChange&& more);
// Puts the player into the room first when they are not there yet.
LobbyChange EnsurePresent(LiveLobby& live, std::int32_t room, std::int32_t player);
LobbyChange PlayerIn(LiveLobby& live, std::int32_t id, std::int32_t status, std::string_view name);
LobbyChange PlayerOut(LiveLobby& live, std::int32_t id);
LobbyChange SetStatus(LiveLobby& live, std::int32_t id, std::int32_t status);
LobbyChange Enter(LiveLobby& live, std::int32_t roomId, std::int32_t player);
LobbyChange SetRoomState(LiveLobby& live, std::int32_t roomId, std::int32_t state);
LobbyChange AddRoom(LiveLobby& live, std::int32_t id, std::int32_t kind, std::int32_t state,
                    std::string_view name);
LobbyChange RemoveRoom(LiveLobby& live, std::int32_t id);
std::int32_t StakeFor(std::int32_t moneyKind);
SeatEntry AddSeat(LiveLobby& live, std::int32_t room, std::int32_t table, std::int32_t player);
LobbyChange OpenTable(LiveLobby& live, std::int32_t roomId, std::int32_t player,
                      std::int32_t opponent, std::int32_t mark);
LobbyChange JoinTable(LiveLobby& live, std::int32_t tableId, std::int32_t player);
LobbyChange LeaveSeat(LiveLobby& live, std::int32_t seatId);
LobbyChange CloseTableCommand(LiveLobby& live, std::int32_t tableId);
LobbyChange SetContact(LiveLobby& live, std::int32_t player, std::int32_t relation);
LobbyChange RemoveContact(LiveLobby& live, std::int32_t player);
LobbyChange RelayText(std::int32_t type, std::int32_t place, std::int32_t code,
                      std::string_view text);

}  // namespace LiveEdits
