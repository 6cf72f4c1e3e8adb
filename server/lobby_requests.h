// Join requests and private messages of the development lobby: what a game server sends
// when one player asks another to play at a table (type 101, settled by 103) and when
// players write to each other (type 61, or 62 when the message cannot be delivered).
#pragma once

#include <cstdint>
#include <string_view>

#include "server/lobby_live.h"

// Client message types of the development lobby beside 103 (the join window's answer,
// "103,<join id>:<answer>,!"): a room or table window asks to play at a table
// ("101,<table id>,!"), a conversation window sends a private message
// ("61,<Base64 of the addressee's nickname>,<Base64 of UTF-8>,!").
inline constexpr std::int32_t kClientJoinRequest = 101;
inline constexpr std::int32_t kClientPrivateMessage = 61;

// The answer that accepts a join request; any other answer declines it.
inline constexpr std::int32_t kJoinAccepted = 1;

// `asker` asks `asked` (0: the table's first player) to play at the table: type 101 with a
// new join id and an answer count of 0.
LobbyChange AskToJoin(LiveLobby& live, std::int32_t tableId, std::int32_t asker,
                      std::int32_t asked);
// Type 101 again for a pending request, with a positive answer count.
LobbyChange JoinAnswerCount(LiveLobby& live, std::int32_t joinId, std::int32_t count);
// Type 103 with the result; the request is settled.
LobbyChange JoinResult(LiveLobby& live, std::int32_t joinId, std::int32_t result);

// The logged-in player asks the first player of a table to play there; that player, a
// demo player, accepts at once: 101, then 103 with the accepting result and the seat.
LobbyChange ClientAsksToJoin(LiveLobby& live, std::int32_t tableId);
// The logged-in player's answer to a request: an accepted one seats the asker, any
// answer settles it. An unknown join id changes nothing.
LobbyChange ClientAnswersJoin(LiveLobby& live, std::int32_t joinId, std::int32_t answer);

// Type 61 from a player: the text as Base64 of its bytes.
LobbyChange PrivateMessageFrom(LiveLobby& live, std::int32_t player, std::string_view utf8);
// Whether the player ignores the logged-in player's private messages.
LobbyChange SetIgnoring(LiveLobby& live, std::int32_t player, bool on);
// A private message of the logged-in player: delivered (logged only), or type 62 with the
// reason it was not: 1 no player of that nickname, 2 offline or shown as offline, 3 do
// not disturb, 4 the addressee ignores the sender.
LobbyChange ClientSendsPrivate(LiveLobby& live, std::string_view nicknameUtf8,
                               std::string_view base64Text);
// A private message from the next online contact who is not ignored, in turn.
LobbyChange RandomPrivateMessage(LiveLobby& live);
