// Deterministic generator of the demo lobby. Uses its own small random generator, not the
// standard distributions, whose results differ between library versions.
#include "server/lobby_data.h"

#include <set>

#include "server/accounts.h"

namespace {

constexpr int kGeneratedPlayers = 300;
constexpr std::int32_t kFirstGeneratedPlayerId = 2001;
constexpr std::int32_t kFirstPresenceId = 7001;
constexpr std::int32_t kFirstTableId = 5001;
constexpr std::int32_t kFirstSeatId = 9001;

struct Random {
    std::uint32_t state;
    std::uint32_t Next() {
        // xorshift32
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    bool Percent(int p) { return Below(100) < p; }
};

const char* const kNameStems[] = {
    "Jürgen",  "Łukasz",    "Małgosia", "Grzegorz",  "Zofia",    "Paweł",   "Käthe",    "Björn",
    "Günther", "Ściborek",  "Żaneta",   "Agnieszka", "Krzysiek", "Jörg",    "Ulrike",   "Weißwurst",
    "Marco",   "Giulia",    "Alessio",  "Chiara",    "Tavla",    "Nardy",   "Gammon",   "Blitz",
    "Doppel",  "Würfel",    "Pasch",    "Bearoff",   "Primer",   "Anchor",  "Pipcount", "Cube",
    "Mike",    "Sarah",     "Tom",      "Anna",      "Kevin",    "Lisa",    "Oliver",   "Emma",
    "Stefan",  "Monika",    "Dariusz",  "Bożena",    "Wojtek",   "Jędrzej", "Ola",      "Kasia",
    "Luca",    "Francesca", "Dimitri",  "Eleni",     "Yusuf",    "Ayşe",    "Lars",     "Ingrid",
    "Fuchs",   "Bär",       "Wilk",     "Sokół",     "Falke",    "Lupo",    "Orso",     "Tiger",
};

const char* const kNameSuffixes[] = {
    "",     "",        "_pl", "_de", "_it", "77",  "88", "1972", "1985", "2001",
    "_pro", "_gammon", "XL",  "_xx", "99",  "_bg", "_k", "42",   "_neu", "_stary",
};

struct RoomDefinition {
    const char* name;
    std::int32_t moneyKind;
    std::int32_t state;
};

const RoomDefinition kRooms[] = {
    {"Cash Lounge", 1, kRoomOpen},
    {"High Rollers", 1, kRoomOpen},
    {"Backgammon Masters", 1, kRoomOpen},
    {"VIP Salon", 1, kRoomLocked},
    {"Play Money Arena", 2, kRoomOpen},
    {"Anfänger-Ecke", 2, kRoomOpen},
    {"Weekend Tavla", 2, kRoomOpen},
    {"Sala Italiana", 2, kRoomOpen},
    {"Free Practice", 3, kRoomOpen},
    {"Übungsraum", 3, kRoomOpen},
    {"Pokój dla początkujących", 3, kRoomOpen},
    {"Night Owls", 3, kRoomOpen},
};

std::string MakeName(Random& random, std::set<std::string>& taken) {
    std::string name = kNameStems[random.Below(std::size(kNameStems))];
    name += kNameSuffixes[random.Below(std::size(kNameSuffixes))];
    while (!taken.insert(name).second)
        name += static_cast<char>('0' + random.Below(10));
    return name;
}

std::int32_t RandomStatus(Random& random) {
    int roll = random.Below(100);
    if (roll < 55) return 4;
    if (roll < 75) return 3;
    if (roll < 90) return 2;
    return 1;
}

void AddPlayers(Lobby& lobby, Random& random) {
    std::set<std::string> taken;
    for (const Account& account : Accounts()) {
        taken.insert(account.user);
        std::int32_t status = account.loginResult == 5 ? 4 : 1;
        lobby.players.push_back({account.playerId, account.user, 1500, status});
    }
    for (int i = 0; i < kGeneratedPlayers; ++i) {
        std::int32_t rating = 1200 + random.Below(1000);
        lobby.players.push_back(
            {kFirstGeneratedPlayerId + i, MakeName(random, taken), rating, RandomStatus(random)});
    }
}

void AddRooms(Lobby& lobby) {
    std::int32_t id = 1;
    for (const RoomDefinition& room : kRooms) {
        lobby.rooms.push_back({id++, room.name, room.moneyKind, room.state});
    }
}

// Generated players who are not shown as offline sit in one room, some in two; nobody is
// in the locked room, and the demo accounts start in none (the client enters rooms).
void AddPresences(Lobby& lobby, Random& random) {
    std::vector<std::int32_t> openRooms;
    for (const RoomEntry& room : lobby.rooms) {
        if (room.state != kRoomLocked) openRooms.push_back(room.id);
    }
    std::int32_t id = kFirstPresenceId;
    for (const PlayerEntry& player : lobby.players) {
        if (player.id < kFirstGeneratedPlayerId || player.status == 1) continue;
        if (!random.Percent(80)) continue;
        std::int32_t first = openRooms[random.Below(openRooms.size())];
        lobby.presences.push_back({id++, first, player.id});
        if (random.Percent(15)) {
            std::int32_t second = openRooms[random.Below(openRooms.size())];
            if (second != first) lobby.presences.push_back({id++, second, player.id});
        }
    }
}

std::int32_t StakeFor(std::int32_t moneyKind, Random& random) {
    static const std::int32_t real[] = {1, 2, 5, 10, 25};
    static const std::int32_t play[] = {100, 500, 1000, 5000};
    if (moneyKind == 1) return real[random.Below(std::size(real))];
    if (moneyKind == 2) return play[random.Below(std::size(play))];
    return 0;
}

// Tables of one room from the players present there: each seated player sits at one
// table; watchers are present players who are not seated.
void AddTablesOfRoom(Lobby& lobby, const RoomEntry& room, Random& random, std::int32_t& tableId,
                     std::int32_t& seatId) {
    std::vector<std::int32_t> present;
    for (const PresenceEntry& presence : lobby.presences) {
        if (presence.roomId == room.id) present.push_back(presence.playerId);
    }
    std::size_t next = 0;
    static const std::int32_t lengths[] = {1, 3, 5, 7, 11};
    while (next + 1 < present.size() && present.size() - next > 3) {
        std::array<std::int32_t, 17> v{};
        bool full = random.Percent(70);
        v[0] = tableId++;
        v[1] = room.id;
        v[2] = full ? 1 : 0;
        v[3] = lengths[random.Below(std::size(lengths))];
        v[4] = StakeFor(room.moneyKind, random);
        v[5] = present[next++];
        v[6] = full ? present[next++] : 0;
        v[7] = 15 + 15 * random.Below(4);
        v[8] = full ? random.Below(v[3]) : 0;
        v[9] = full ? random.Below(v[3]) : 0;
        v[10] = random.Percent(10) ? 1 : 0;
        v[11] = random.Percent(20) ? 1500 : 0;
        int watchers = random.Below(3);
        if (watchers > static_cast<int>(present.size() - next) - 2) watchers = 0;
        v[12] = watchers;
        lobby.seats.push_back({seatId++, room.id, v[0], v[5]});
        if (v[6] != 0) lobby.seats.push_back({seatId++, room.id, v[0], v[6]});
        for (int w = 0; w < watchers; ++w) {
            lobby.seats.push_back({seatId++, room.id, v[0], present[next++]});
        }
        lobby.tables.push_back({v, 0});
    }
}

}  // namespace

Lobby GenerateLobby() {
    Random random{0x7A5B1C3Du};
    Lobby lobby;
    AddPlayers(lobby, random);
    AddRooms(lobby);
    AddPresences(lobby, random);
    std::int32_t tableId = kFirstTableId, seatId = kFirstSeatId;
    for (const RoomEntry& room : lobby.rooms) {
        AddTablesOfRoom(lobby, room, random, tableId, seatId);
    }
    return lobby;
}

const Lobby& DemoLobby() {
    static const Lobby lobby = GenerateLobby();
    return lobby;
}

std::vector<ContactEntry> ContactsOf(const Lobby& lobby, std::int32_t playerId) {
    constexpr int kFriends = 6, kPlain = 7;
    Random random{0x51ED2701u ^ static_cast<std::uint32_t>(playerId) * 2654435761u};
    random.Next();
    std::vector<ContactEntry> contacts;
    std::set<std::int32_t> chosen{playerId};
    std::int32_t id = (playerId % 1000) * 100 + 1;
    while (contacts.size() < kFriends + kPlain + 1 && chosen.size() < lobby.players.size()) {
        const PlayerEntry& other = lobby.players[random.Below(lobby.players.size())];
        if (!chosen.insert(other.id).second) continue;
        int n = static_cast<int>(contacts.size());
        std::int32_t relation = n < kFriends ? 0 : n < kFriends + kPlain ? 1 : 2;
        contacts.push_back({id++, other.id, relation});
    }
    return contacts;
}
