// Join requests and private messages of the development lobby.
#include "server/lobby_requests.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

#include "net/text_convert.h"

namespace {

// Pending requests past this are refused: a script cannot grow the list without bound.
constexpr std::size_t kJoinLimit = 10000;

const PlayerEntry* FindPlayer(const LiveLobby& live, std::int32_t id) {
    auto it = std::find_if(live.lobby.players.begin(), live.lobby.players.end(),
                           [&](const PlayerEntry& p) { return p.id == id; });
    return it == live.lobby.players.end() ? nullptr : &*it;
}

const TableEntry* FindTable(const LiveLobby& live, std::int32_t id) {
    auto it = std::find_if(live.lobby.tables.begin(), live.lobby.tables.end(),
                           [&](const TableEntry& t) { return t.values[0] == id; });
    return it == live.lobby.tables.end() ? nullptr : &*it;
}

JoinEntry* FindJoin(LiveLobby& live, std::int32_t id) {
    auto it = std::find_if(live.joins.begin(), live.joins.end(),
                           [&](const JoinEntry& j) { return j.id == id; });
    return it == live.joins.end() ? nullptr : &*it;
}

void Forget(LiveLobby& live, std::int32_t joinId) {
    std::erase_if(live.joins, [&](const JoinEntry& j) { return j.id == joinId; });
}

std::string JoinMessage(const JoinEntry& join, std::int32_t count) {
    std::string items;
    for (std::int32_t item : {join.id, join.roomId, join.tableId, join.asker, join.asked, count}) {
        if (!items.empty()) items += ':';
        items += IntToText(item);
    }
    return MessageText({"101", items});
}

bool Ignores(const LiveLobby& live, std::int32_t player) {
    return std::find(live.ignoringOwn.begin(), live.ignoringOwn.end(), player) !=
           live.ignoringOwn.end();
}

// Statuses a private message does not reach: 0 gone, 1 shown as offline, 2 do not disturb.
std::int32_t UndeliverableReason(const LiveLobby& live, const PlayerEntry* to) {
    if (to == nullptr) return 1;
    if (to->status <= 1) return 2;
    if (to->status == 2) return 3;
    if (Ignores(live, to->id)) return 4;
    return 0;
}

const char* const kPrivateLines[] = {
    "Hi! Fancy a game?", "Hallo, spielen wir eine Partie?",   "Ciao! Giochiamo?",
    "Cześć! Zagramy?",   "Thanks for the game, well played.",
};

}  // namespace

LobbyChange AskToJoin(LiveLobby& live, std::int32_t tableId, std::int32_t asker,
                      std::int32_t asked) {
    const TableEntry* table = FindTable(live, tableId);
    if (!table) return FailedChange("no such table");
    if (asked == 0) asked = table->values[5];
    if (!FindPlayer(live, asker) || !FindPlayer(live, asked)) return FailedChange("no such player");
    if (asker == asked) return FailedChange("nobody asks themselves");
    if (live.joins.size() >= kJoinLimit) return FailedChange("too many open requests");
    JoinEntry join{live.nextJoinId++, table->values[1], tableId, asker, asked};
    live.joins.push_back(join);
    return MessageChange(JoinMessage(join, 0), "join request " + IntToText(join.id) + ": player " +
                                                   IntToText(asker) + " asks " + IntToText(asked) +
                                                   " at table " + IntToText(tableId));
}

LobbyChange JoinAnswerCount(LiveLobby& live, std::int32_t joinId, std::int32_t count) {
    const JoinEntry* join = FindJoin(live, joinId);
    if (!join) return FailedChange("no such join request");
    if (count <= 0) return FailedChange("an answer count is positive");
    LobbyChange change;
    change.messages.push_back(JoinMessage(*join, count));
    change.note = "join request " + IntToText(joinId) + ": answer count " + IntToText(count);
    // The client forgets the request on a positive count; so does the server.
    Forget(live, joinId);
    return change;
}

LobbyChange JoinResult(LiveLobby& live, std::int32_t joinId, std::int32_t result) {
    if (!FindJoin(live, joinId)) return FailedChange("no such join request");
    Forget(live, joinId);
    return MessageChange(MessageText({"103", IntToText(joinId), IntToText(result)}),
                         "join request " + IntToText(joinId) + ": result " + IntToText(result));
}

LobbyChange ClientAsksToJoin(LiveLobby& live, std::int32_t tableId) {
    const TableEntry* table = FindTable(live, tableId);
    if (!table) return FailedChange("no such table");
    const std::int32_t host = table->values[5];
    LobbyChange change = AskToJoin(live, tableId, live.ownPlayerId, host);
    if (!change.error.empty()) return change;
    const std::int32_t joinId = live.nextJoinId - 1;
    LobbyChange result = JoinResult(live, joinId, kJoinAccepted);
    for (std::string& message : result.messages)
        change.messages.push_back(std::move(message));
    LobbyChange seat =
        ApplyLobbyCommand(live, {LobbyVerb::TableJoin, {tableId, live.ownPlayerId}, {}});
    for (std::string& message : seat.messages)
        change.messages.push_back(std::move(message));
    change.note += "; accepted; " + (seat.error.empty() ? seat.note : seat.error);
    return change;
}

LobbyChange ClientAnswersJoin(LiveLobby& live, std::int32_t joinId, std::int32_t answer) {
    const JoinEntry* join = FindJoin(live, joinId);
    if (!join) return FailedChange("no such join request");
    const JoinEntry settled = *join;
    Forget(live, joinId);
    if (answer != kJoinAccepted) {
        LobbyChange change;
        change.note = "join request " + IntToText(joinId) + " declined";
        return change;
    }
    LobbyChange change =
        ApplyLobbyCommand(live, {LobbyVerb::TableJoin, {settled.tableId, settled.asker}, {}});
    change.note = "join request " + IntToText(joinId) +
                  " accepted: " + (change.error.empty() ? change.note : change.error);
    change.error.clear();  // the request is settled either way
    return change;
}

LobbyChange PrivateMessageFrom(LiveLobby& live, std::int32_t player, std::string_view utf8) {
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    return MessageChange(MessageText({"61", IntToText(player), Base64Encode(utf8)}),
                         "private message from " + IntToText(player));
}

LobbyChange SetIgnoring(LiveLobby& live, std::int32_t player, bool on) {
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    std::erase(live.ignoringOwn, player);
    if (on) live.ignoringOwn.push_back(player);
    LobbyChange change;
    change.note = "player " + IntToText(player) + (on ? " ignores" : " no longer ignores") +
                  " the logged-in player";
    return change;
}

LobbyChange ClientSendsPrivate(LiveLobby& live, std::string_view nicknameUtf8,
                               std::string_view base64Text) {
    const PlayerEntry* to = nullptr;
    for (const PlayerEntry& p : live.lobby.players)
        if (p.name == nicknameUtf8 && !to) to = &p;
    const std::int32_t reason = UndeliverableReason(live, to);
    LobbyChange change;
    if (reason == 0) {
        change.note = "private message to " + IntToText(to->id) + " delivered (" +
                      IntToText(static_cast<std::int32_t>(Base64Decode(base64Text).size())) +
                      " bytes)";
        return change;
    }
    change.messages.push_back(MessageText({"62", IntToText(reason), Base64Encode(nicknameUtf8)}));
    change.note = "private message not delivered: reason " + IntToText(reason);
    return change;
}

LobbyChange RandomPrivateMessage(LiveLobby& live) {
    std::vector<std::int32_t> writers;
    for (const ContactEntry& c : live.contacts) {
        const PlayerEntry* p = FindPlayer(live, c.playerId);
        if (c.relation != 2 && p && p->status >= 3) writers.push_back(p->id);
    }
    if (writers.empty()) return FailedChange("no contact online to write");
    const std::uint32_t turn = live.privateTurn++;
    return PrivateMessageFrom(live, writers[turn % writers.size()],
                              kPrivateLines[turn % std::size(kPrivateLines)]);
}
