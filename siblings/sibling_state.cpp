// The sibling programs' picture of their room or table, kept from the hub's relays.
#include "siblings/sibling_state.h"

#include <algorithm>

#include "net/text_convert.h"
#include "net/wire.h"

namespace {

constexpr std::size_t kMaxShownLines = 400;

std::int32_t Item(const std::vector<std::string_view>& items, std::size_t index) {
    return index < items.size() ? TextToInt(items[index]) : 0;
}

template <class Map, class Value>
void Put(Map& map, std::int32_t key, Value value) {
    auto it = map.find(key);
    if (it != map.end()) {
        it->second = std::move(value);
    } else if (map.size() < kSiblingListLimit) {
        map.emplace(key, std::move(value));
    }
}

// Presences and seats: a known id keeps its first entry, as the hub's lists do.
template <class Map, class Value>
void Add(Map& map, std::int32_t key, Value value) {
    if (map.size() < kSiblingListLimit) map.emplace(key, std::move(value));
}

void Remember(std::deque<std::string>& lines, std::string line) {
    lines.push_back(std::move(line));
    while (lines.size() > kSiblingRecentLines)
        lines.pop_front();
}

// "<a>,<b>" short notices: the text before the last comma and the number after it.
std::pair<std::string_view, std::int32_t> Pair(std::string_view payload) {
    std::size_t comma = payload.rfind(',');
    if (comma == std::string_view::npos) return {payload, 0};
    return {payload.substr(0, comma), TextToInt(payload.substr(comma + 1))};
}

void DropPlayerPlaces(SiblingState& state, std::int32_t player) {
    std::erase_if(state.presences, [&](const auto& p) { return p.second == player; });
    std::erase_if(state.seats, [&](const auto& s) { return s.second.player == player; });
}

std::string NameOf(const SiblingState& state, std::int32_t player) {
    if (player == 0) return "(free)";
    auto it = state.players.find(player);
    if (it == state.players.end() || it->second.name.empty()) return "#" + IntToText(player);
    return it->second.name;
}

const char* StatusText(std::int32_t status) {
    switch (status) {
        case 0:
            return "gone";
        case 1:
            return "shown offline";
        case 2:
            return "do not disturb";
        case 3:
            return "away";
        case 4:
            return "online";
        default:
            return "status unknown";
    }
}

// "<player>:<Base64 text>" or "<player>:<die>:<die>" from the server's own relays.
std::string ChatText(const SiblingState& state, std::uint32_t code, std::string_view payload) {
    std::vector<std::string_view> items = SplitItems(payload);
    std::string who = NameOf(state, Item(items, 0));
    if (code == kDiceRelay) {
        return who + " rolls " + IntToText(Item(items, 1)) + "-" + IntToText(Item(items, 2));
    }
    return who + ": " + Base64Decode(items.size() > 1 ? items[1] : std::string_view());
}

std::string AnswerText(std::string_view payload) {
    std::vector<std::string_view> items = SplitItems(payload);
    std::int32_t result = Item(items, 1);
    const char* meaning = result == 0   ? "already open"
                          : result == 1 ? "could not be opened"
                          : result == 2 ? "opened"
                                        : "answer unknown";
    return "table " + IntToText(Item(items, 0)) + " " + meaning;
}

// One table: its players, whether it plays, its length and stake (the development
// server's meaning of values 2 to 7), and whether its window is open.
std::string TableText(const SiblingState& state, std::int32_t id,
                      const std::vector<std::int32_t>& values) {
    auto value = [&](std::size_t number) {  // value number 2..16 of the table record
        return number - 2 < values.size() ? values[number - 2] : 0;
    };
    std::string text = IntToText(id) + ": " + NameOf(state, value(5)) + " - " +
                       NameOf(state, value(6)) + (value(2) ? ", playing" : ", waiting") + ", " +
                       IntToText(value(3)) + " points, stake " + IntToText(value(4));
    // In a room window the relayed record ends with the table window's open flag.
    if (state.kind == SiblingKind::Room && values.size() >= 16 && values[15] == 1)
        text += " [window open]";
    return text;
}

// Who sits at one table, in seat order.
std::string SeatNames(const SiblingState& state, std::int32_t table) {
    std::string names;
    for (const auto& [id, seat] : state.seats) {
        if (seat.table != table) continue;
        if (!names.empty()) names += ", ";
        names += NameOf(state, seat.player);
    }
    return names;
}

// Who sits at each table, in seat order: one pass over the seats for the whole room, as
// a room may hold many thousands of tables and seats.
std::map<std::int32_t, std::string> SeatNamesByTable(const SiblingState& state) {
    std::map<std::int32_t, std::string> names;
    for (const auto& [id, seat] : state.seats) {
        std::string& line = names[seat.table];
        if (!line.empty()) line += ", ";
        line += NameOf(state, seat.player);
    }
    return names;
}

std::string Counts(const SiblingState& state) {
    int friends = 0, ignored = 0;
    for (const auto& [id, contact] : state.contacts) {
        friends += contact.relation == 0;
        ignored += contact.relation == 2;
    }
    return "Players online: " + std::to_string(state.players.size()) +
           ", contacts: " + std::to_string(state.contacts.size()) + " (" + std::to_string(friends) +
           " friends, " + std::to_string(ignored) + " ignored)";
}

void DescribeRoom(const SiblingState& state, std::vector<std::string>& lines) {
    lines.push_back("Room " + IntToText(state.id) + ": " + state.roomName + ", state " +
                    state.roomState);
    lines.push_back(Counts(state));
    lines.push_back("In the room (" + std::to_string(state.presences.size()) + "):");
    for (const auto& [presence, player] : state.presences) {
        auto known = state.players.find(player);
        lines.push_back("  " + NameOf(state, player) + ", " +
                        StatusText(known == state.players.end() ? -1 : known->second.status));
    }
    lines.push_back("Tables (" + std::to_string(state.tables.size()) + "), seats (" +
                    std::to_string(state.seats.size()) + "):");
    const std::map<std::int32_t, std::string> seated = SeatNamesByTable(state);
    for (const auto& [id, values] : state.tables) {
        lines.push_back("  " + TableText(state, id, values));
        auto names = seated.find(id);
        if (names != seated.end()) lines.push_back("    seats: " + names->second);
    }
}

void DescribeBoard(const SiblingState& state, std::vector<std::string>& lines) {
    lines.push_back("Table " + IntToText(state.id) + " in room " + IntToText(state.roomId));
    auto table = state.tables.find(state.id);
    lines.push_back(table == state.tables.end() ? "No table values yet"
                                                : TableText(state, state.id, table->second));
    lines.push_back("At the table (" + std::to_string(state.seats.size()) +
                    "): " + SeatNames(state, state.id));
    lines.push_back(Counts(state));
}

void DescribeSettings(const SiblingState& state, std::vector<std::string>& lines) {
    static const struct {
        std::int32_t code;
        const char* name;
    } kNames[] = {{9, "language"},   {10, "sound"},   {11, "save"},   {12, "timestamp"},
                  {13, "enterexit"}, {33, "answers"}, {34, "result"}, {39, "font changes"}};
    std::string text;
    for (const auto& entry : kNames) {
        auto it = state.settings.find(entry.code);
        if (it == state.settings.end()) continue;
        text +=
            (text.empty() ? "" : ", ") + std::string(entry.name) + " " + std::to_string(it->second);
    }
    if (!text.empty()) lines.push_back("From the hub: " + text);
}

}  // namespace

SiblingState StartState(SiblingKind kind, const SiblingIdentity& identity) {
    SiblingState state;
    state.kind = kind;
    state.id = identity.id;
    state.roomId = identity.roomId;
    state.roomName = identity.roomName;
    state.roomState = identity.roomState;
    state.partner = identity.partner;
    return state;
}

void ApplyRelay(SiblingState& state, std::uint32_t code, std::string_view payload) {
    bool room = state.kind == SiblingKind::Room;
    switch (code) {
        case 21:
            for (std::string_view record : SplitRecords(payload)) {
                std::vector<std::string_view> items = SplitItems(record);
                std::string name(items.size() > 1 ? items[1] : std::string_view());
                Put(state.players, Item(items, 0),
                    SiblingPlayer{std::move(name), Item(items, 2), Item(items, 3)});
            }
            return;
        case 22: {
            std::int32_t player = TextToInt(payload);
            state.players.erase(player);
            DropPlayerPlaces(state, player);
            return;
        }
        case 17: {
            auto [player, status] = Pair(payload);
            std::int32_t id = TextToInt(player);
            auto it = state.players.find(id);
            if (it != state.players.end()) it->second.status = status;
            if (status == 0) DropPlayerPlaces(state, id);
            return;
        }
        case 31: {
            auto [name, roomState] = Pair(payload);
            state.roomName = name;
            state.roomState = IntToText(roomState);
            return;
        }
        case 32:
            for (std::string_view record : SplitRecords(payload)) {
                std::vector<std::string_view> items = SplitItems(record);
                Add(state.presences, Item(items, 0), Item(items, 1));
            }
            return;
        case 38: {
            // The hub tells table windows of the player's seats, not the room window.
            auto presence = state.presences.find(TextToInt(payload));
            if (presence == state.presences.end()) return;
            std::int32_t player = presence->second;
            state.presences.erase(presence);
            std::erase_if(state.seats, [&](const auto& s) { return s.second.player == player; });
            return;
        }
        case 51:
            for (std::string_view record : SplitRecords(payload)) {
                std::vector<std::string_view> items = SplitItems(record);
                Put(state.contacts, Item(items, 0), SiblingContact{Item(items, 1), Item(items, 2)});
            }
            return;
        case 53: {
            auto [contact, relation] = Pair(payload);
            auto it = state.contacts.find(TextToInt(contact));
            if (it != state.contacts.end()) it->second.relation = relation;
            return;
        }
        case 54:
            state.contacts.erase(TextToInt(payload));
            return;
        case 71:
            for (std::string_view record : SplitRecords(payload)) {
                std::vector<std::string_view> items = SplitItems(record);
                std::vector<std::int32_t> values;
                for (std::size_t i = 1; i < items.size() && i <= 16; ++i)
                    values.push_back(TextToInt(items[i]));
                Put(state.tables, Item(items, 0), std::move(values));
            }
            return;
        case 72:
            // Room windows get "<seat>:<table>:<player>;", table windows "<seat>:<player>;".
            for (std::string_view record : SplitRecords(payload)) {
                std::vector<std::string_view> items = SplitItems(record);
                SiblingSeat seat = room ? SiblingSeat{Item(items, 1), Item(items, 2)}
                                        : SiblingSeat{state.id, Item(items, 1)};
                Add(state.seats, Item(items, 0), seat);
            }
            return;
        case 73: {
            std::int32_t table = TextToInt(payload);
            state.tables.erase(table);
            std::erase_if(state.seats, [&](const auto& s) { return s.second.table == table; });
            return;
        }
        case 112:
            state.seats.erase(TextToInt(payload));
            return;
        case 39:
            state.lastAnswer = AnswerText(payload);
            return;
        case kRoomChatRelay:
        case kTableChatRelay:
        case kDiceRelay:
            Remember(state.chat, ChatText(state, code, payload));
            return;
        default:
            Remember(state.notes, "relay " + std::to_string(code) + ": " + std::string(payload));
            return;
    }
}

void ApplyNotification(SiblingState& state, std::uint32_t code, std::int64_t value) {
    if (code == 38 && state.kind == SiblingKind::Room) {
        // A table window of this room has gone: the table's open flag is the last value.
        auto table = state.tables.find(static_cast<std::int32_t>(value));
        if (table != state.tables.end() && table->second.size() >= 16) table->second[15] = 0;
        return;
    }
    if (code == 39) value = state.settings[39] + 1;
    if (state.settings.count(code) || state.settings.size() < 64) state.settings[code] = value;
}

std::string ChatMessage(const SiblingState& state, std::string_view utf8) {
    if (utf8.empty()) return {};
    if (state.kind == SiblingKind::Chat) {
        if (state.partner.empty()) return {};
        return "61," + Base64Encode(state.partner) + "," + Base64Encode(utf8) + ",!";
    }
    const char* type = state.kind == SiblingKind::Room    ? "120,"
                       : state.kind == SiblingKind::Board ? "121,"
                                                          : nullptr;
    if (!type) return {};
    return type + IntToText(state.id) + "," + Base64Encode(utf8) + ",!";
}

std::string JoinAnswer(const SiblingState& state, int answer) {
    if (state.kind != SiblingKind::Join) return {};
    return IntToText(state.id) + ":" + IntToText(answer);
}

std::vector<std::string> DescribeState(const SiblingState& state) {
    std::vector<std::string> lines;
    if (state.kind == SiblingKind::Room) DescribeRoom(state, lines);
    if (state.kind == SiblingKind::Board) DescribeBoard(state, lines);
    DescribeSettings(state, lines);
    if (!state.lastAnswer.empty()) lines.push_back("Last answer: " + state.lastAnswer);
    if (!state.chat.empty()) lines.push_back("Chat:");
    for (const std::string& line : state.chat)
        lines.push_back("  " + line);
    if (!state.notes.empty()) lines.push_back("Texts:");
    for (const std::string& line : state.notes)
        lines.push_back("  " + line);
    if (lines.size() > kMaxShownLines) {
        std::size_t more = lines.size() - kMaxShownLines;
        lines.resize(kMaxShownLines);
        lines.push_back("... and " + std::to_string(more) + " lines more");
    }
    return lines;
}
