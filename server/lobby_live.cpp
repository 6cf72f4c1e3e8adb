// Changes of a connection's lobby commanded by the control channel or a scenario.
#include "server/lobby_live.h"

#include <algorithm>
#include <initializer_list>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_edits.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

using namespace LiveEdits;

std::string MessageText(std::initializer_list<std::string_view> fields) {
    std::string text;
    for (std::string_view field : fields) {
        text += field;
        text += ',';
    }
    return text + "!";
}

LobbyChange FailedChange(std::string error) {
    LobbyChange change;
    change.error = std::move(error);
    return change;
}

LobbyChange MessageChange(std::string message, std::string note) {
    LobbyChange change;
    change.messages.push_back(std::move(message));
    change.note = std::move(note);
    return change;
}

LiveLobby StartLiveLobby(const Lobby& lobby, std::int32_t ownPlayerId) {
    LiveLobby live;
    live.lobby = lobby;
    live.contacts = ContactsOf(lobby, ownPlayerId);
    live.ownPlayerId = ownPlayerId;
    live.nextPlayerId = kFirstJoinedPlayerId;
    live.nextPresenceId = live.nextTableId = live.nextSeatId = live.nextContactId = 1;
    for (const PlayerEntry& p : lobby.players)
        live.nextPlayerId = std::max(live.nextPlayerId, p.id + 1);
    for (const PresenceEntry& p : lobby.presences)
        live.nextPresenceId = std::max(live.nextPresenceId, p.id + 1);
    for (const TableEntry& t : lobby.tables)
        live.nextTableId = std::max(live.nextTableId, t.values[0] + 1);
    for (const SeatEntry& s : lobby.seats)
        live.nextSeatId = std::max(live.nextSeatId, s.id + 1);
    for (const ContactEntry& c : live.contacts)
        live.nextContactId = std::max(live.nextContactId, c.id + 1);
    live.nextJoinId = 1;
    live.randomState = 0x3C6EF372u ^ static_cast<std::uint32_t>(ownPlayerId);
    return live;
}

std::vector<std::string> CurrentLobbyMessages(const LiveLobby& live) {
    return LobbyMessages(live.lobby, live.contacts);
}

LobbyChange ApplyLobbyCommand(LiveLobby& live, const LobbyCommand& command) {
    auto n = [&](std::size_t i) -> std::int32_t {
        return i < command.numbers.size() ? static_cast<std::int32_t>(command.numbers[i]) : 0;
    };
    switch (command.verb) {
        case LobbyVerb::Random: {
            LobbyChange all;
            std::int32_t count = command.numbers.empty() ? 1 : n(0);
            for (std::int32_t i = 0; i < count; ++i) {
                LobbyChange one = RandomLobbyChange(live);
                if (!all.note.empty()) all.note += "; ";
                all.note += one.error.empty() ? one.note : one.error;
                Append(all, std::move(one));
            }
            return all;
        }
        case LobbyVerb::Every:
            return FailedChange("handled by the session");
        case LobbyVerb::PlayerIn:
            return PlayerIn(live, n(0), n(1), command.text);
        case LobbyVerb::PlayerOut:
            return PlayerOut(live, n(0));
        case LobbyVerb::Status:
            return SetStatus(live, n(0), n(1));
        case LobbyVerb::Enter:
            return Enter(live, n(0), n(1));
        case LobbyVerb::Leave:
            return RemovePresence(live, n(0), n(1));
        case LobbyVerb::RoomState:
            return SetRoomState(live, n(0), n(1));
        case LobbyVerb::RoomAdd:
            return AddRoom(live, n(0), n(1), n(2), command.text);
        case LobbyVerb::RoomRemove:
            return RemoveRoom(live, n(0));
        case LobbyVerb::TableOpen:
            return OpenTable(live, n(0), n(1), n(2), n(3));
        case LobbyVerb::TableJoin:
            return JoinTable(live, n(0), n(1));
        case LobbyVerb::SeatLeave:
            return LeaveSeat(live, n(0));
        case LobbyVerb::TableClose:
            return CloseTableCommand(live, n(0));
        case LobbyVerb::Contact:
            return SetContact(live, n(0), n(1));
        case LobbyVerb::ContactRemove:
            return RemoveContact(live, n(0));
        case LobbyVerb::RoomText:
            return RelayText(MSG_ROOM_RELAY, n(0), n(1), command.text);
        case LobbyVerb::TableText:
            return RelayText(MSG_TABLE_RELAY, n(0), n(1), command.text);
        case LobbyVerb::JoinRequest:
            return AskToJoin(live, n(0), n(1), n(2));
        case LobbyVerb::JoinCount:
            return JoinAnswerCount(live, n(0), n(1));
        case LobbyVerb::JoinResult:
            return JoinResult(live, n(0), n(1));
        case LobbyVerb::Private:
            return PrivateMessageFrom(live, n(0), command.text);
        case LobbyVerb::Ignores:
            return SetIgnoring(live, n(0), n(1) != 0);
    }
    return FailedChange("unknown lobby command");
}
