// Changes of a connection's lobby that the client asks for: entering and leaving rooms,
// contacts and its own presence.
#include "server/lobby_live.h"

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_edits.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

using namespace live_edits;

LobbyChange OwnPlayerEnters(LiveLobby& live, std::int32_t room_id) {
    if (!FindRoom(live, room_id)) return FailedChange("no such room");
    return AddPresence(live, room_id, live.own_player_id);
}

LobbyChange OwnPlayerLeaves(LiveLobby& live, std::int32_t room_id) {
    return RemovePresence(live, room_id, live.own_player_id);
}

LobbyChange ClientAddsContact(LiveLobby& live, std::string_view name_utf8) {
    const PlayerEntry* player = nullptr;
    for (const PlayerEntry& entry : live.lobby.players)
        if (entry.name == name_utf8 && entry.id != live.own_player_id) player = &entry;
    LobbyChange change;
    if (player == nullptr) {
        change.messages.push_back(MessageText({"52", "1"}));
        change.note = "add contact: no such nickname";
        return change;
    }
    if (FindContact(live, player->id)) {
        change.messages.push_back(MessageText({"52", "2"}));
        change.note = "add contact " + IntToText(player->id) + ": already listed";
        return change;
    }
    return SetContact(live, player->id, 1);
}

LobbyChange ClientSetsRelation(LiveLobby& live, std::int32_t contact_id, std::int32_t relation) {
    if (relation < 0 || relation > 2) return FailedChange("relation is 0, 1 or 2");
    ContactEntry* contact =
        Find(live.contacts, [&](const ContactEntry& c) { return c.id == contact_id; });
    if (contact) contact->relation = relation;
    LobbyChange change;
    change.messages.push_back(MessageText({"53", IntToText(contact_id), IntToText(relation)}));
    change.note = "contact " + IntToText(contact_id) + " relation " + IntToText(relation);
    return change;
}

LobbyChange ClientRemovesContact(LiveLobby& live, std::int32_t contact_id) {
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.id == contact_id; });
    LobbyChange change;
    change.messages.push_back(MessageText({"54", IntToText(contact_id)}));
    change.note = "contact " + IntToText(contact_id) + " removed";
    return change;
}

LobbyChange ClientSetsPresence(LiveLobby& live, std::int32_t status) {
    if (status < 1 || status > 4) return FailedChange("presence is 1 to 4");
    if (!FindPlayer(live, live.own_player_id)) {
        LobbyChange change;
        change.messages.push_back(
            MessageText({"17", IntToText(live.own_player_id), IntToText(status)}));
        change.note = "own presence " + IntToText(status);
        return change;
    }
    return SetStatus(live, live.own_player_id, status);
}
