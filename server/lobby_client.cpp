// Changes of a connection's lobby that the client asks for: entering and leaving rooms,
// contacts and its own presence.
#include "server/lobby_live.h"

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_edits.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

using namespace LiveEdits;

LobbyChange OwnPlayerEnters(LiveLobby& live, std::int32_t roomId) {
    if (!FindRoom(live, roomId)) return FailedChange("no such room");
    return AddPresence(live, roomId, live.ownPlayerId);
}

LobbyChange OwnPlayerLeaves(LiveLobby& live, std::int32_t roomId) {
    return RemovePresence(live, roomId, live.ownPlayerId);
}

LobbyChange ClientAddsContact(LiveLobby& live, std::string_view nameUtf8) {
    const PlayerEntry* player = nullptr;
    for (const PlayerEntry& entry : live.lobby.players)
        if (entry.name == nameUtf8 && entry.id != live.ownPlayerId) player = &entry;
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

LobbyChange ClientSetsRelation(LiveLobby& live, std::int32_t contactId, std::int32_t relation) {
    if (relation < 0 || relation > 2) return FailedChange("relation is 0, 1 or 2");
    ContactEntry* contact =
        Find(live.contacts, [&](const ContactEntry& c) { return c.id == contactId; });
    if (contact) contact->relation = relation;
    return MessageChange(MessageText({"53", IntToText(contactId), IntToText(relation)}),
                         "contact " + IntToText(contactId) + " relation " + IntToText(relation));
}

LobbyChange ClientRemovesContact(LiveLobby& live, std::int32_t contactId) {
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.id == contactId; });
    return MessageChange(MessageText({"54", IntToText(contactId)}),
                         "contact " + IntToText(contactId) + " removed");
}

LobbyChange ClientSetsPresence(LiveLobby& live, std::int32_t status) {
    if (status < 1 || status > 4) return FailedChange("presence is 1 to 4");
    if (!FindPlayer(live, live.ownPlayerId)) {
        return MessageChange(MessageText({"17", IntToText(live.ownPlayerId), IntToText(status)}),
                             "own presence " + IntToText(status));
    }
    return SetStatus(live, live.ownPlayerId, status);
}
