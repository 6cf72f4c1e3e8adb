// Record layouts and list messages of the lobby contents.
#include "server/lobby_messages.h"

#include "net/text_convert.h"
#include "net/wire.h"

namespace {

std::string Items(std::initializer_list<std::string_view> items) {
    std::string record;
    for (std::string_view item : items) {
        if (!record.empty()) record += ':';
        record += item;
    }
    return record;
}

template <class Entry, class Render>
std::vector<std::string> Records(const std::vector<Entry>& entries, Render render) {
    std::vector<std::string> records;
    records.reserve(entries.size());
    for (const Entry& entry : entries)
        records.push_back(render(entry));
    return records;
}

}  // namespace

std::string PlayerRecord(const PlayerEntry& p) {
    return Items({IntToText(p.id), p.name, IntToText(p.value), IntToText(p.status)});
}

std::string RoomRecord(const RoomEntry& r) {
    return Items({IntToText(r.id), r.name, IntToText(r.moneyKind), IntToText(r.state)});
}

std::string PresenceRecord(const PresenceEntry& e) {
    return Items({IntToText(e.id), IntToText(e.roomId), IntToText(e.playerId)});
}

std::string ContactRecord(const ContactEntry& c) {
    return Items({IntToText(c.id), IntToText(c.playerId), IntToText(c.relation)});
}

std::string TableRecord(const TableEntry& table) {
    std::string record;
    for (std::int32_t value : table.values)
        record += IntToText(value) + ":";
    record += IntToText(table.openingMark);
    return record;
}

std::string SeatRecord(const SeatEntry& s) {
    return Items(
        {IntToText(s.id), IntToText(s.roomId), IntToText(s.tableId), IntToText(s.playerId)});
}

std::vector<std::string> ListMessages(std::int32_t type, const std::vector<std::string>& records) {
    std::vector<std::string> messages;
    std::string field;
    auto flush = [&] {
        if (field.empty()) return;
        messages.push_back(IntToText(type) + "," + field + ",!");
        field.clear();
    };
    for (const std::string& record : records) {
        if (!field.empty() && field.size() + record.size() + 1 > kListMessageBudget) flush();
        field += record;
        field += ';';
    }
    flush();
    return messages;
}

std::vector<std::string> LobbyMessages(const Lobby& lobby, std::int32_t ownPlayerId) {
    return LobbyMessages(lobby, ContactsOf(lobby, ownPlayerId));
}

std::vector<std::string> LobbyMessages(const Lobby& lobby,
                                       const std::vector<ContactEntry>& contacts) {
    std::vector<std::string> messages;
    auto add = [&](std::int32_t type, const std::vector<std::string>& records) {
        for (std::string& message : ListMessages(type, records)) {
            messages.push_back(std::move(message));
        }
    };
    add(MSG_PLAYERS, Records(lobby.players, PlayerRecord));
    add(MSG_ROOMS, Records(lobby.rooms, RoomRecord));
    add(MSG_ROOM_PRESENCES, Records(lobby.presences, PresenceRecord));
    add(MSG_CONTACTS, Records(contacts, ContactRecord));
    add(MSG_TABLES, Records(lobby.tables, TableRecord));
    add(MSG_SEATS, Records(lobby.seats, SeatRecord));
    return messages;
}
