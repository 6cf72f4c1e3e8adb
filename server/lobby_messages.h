// The lobby as the server sends it after an accepted login: the list messages 21, 31, 32,
// 51, 71 and 72 in the client's record layouts, long lists split over several messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "server/lobby_data.h"

// Records of one list message stay under this many bytes, so no message is huge.
inline constexpr std::size_t kListMessageBudget = 1400;

std::string PlayerRecord(const PlayerEntry& player);     // <id>:<name>:<value>:<status>
std::string RoomRecord(const RoomEntry& room);           // <id>:<name>:<money kind>:<state>
std::string PresenceRecord(const PresenceEntry& entry);  // <presence id>:<room id>:<player id>
std::string ContactRecord(const ContactEntry& contact);  // <contact id>:<player id>:<relation>
std::string TableRecord(const TableEntry& table);        // values 0..16, opening mark
std::string SeatRecord(const SeatEntry& seat);  // <seat id>:<room id>:<table id>:<player id>

// "<type>,<record>;<record>;...,!" texts (without sequence numbers), each holding as many
// whole records as fit the budget; none for an empty list.
std::vector<std::string> ListMessages(std::int32_t type, const std::vector<std::string>& records);

// Every list message of the lobby for the logged-in player, in the order 21, 31, 32, 51,
// 71, 72.
std::vector<std::string> LobbyMessages(const Lobby& lobby, std::int32_t ownPlayerId);
// The same with the given contact relations.
std::vector<std::string> LobbyMessages(const Lobby& lobby,
                                       const std::vector<ContactEntry>& contacts);
