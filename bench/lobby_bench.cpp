// The initial lobby through dispatch into the lobby lists, at full size (2,000 rooms,
// 50,000 players, 10,000 tables, 40,000 seats, 40,000 presences) and at half of it: time
// and heap (peak during the load, and what the lists keep). Then one player's presence
// change at full size with a room window open, next to the cost of relaying it to that
// window alone. The sibling windows are the recording lobby port in its quiet mode.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "app/inbound_routes.h"
#include "lobby/lobby_state.h"
#include "lobby/room_list.h"
#include "lobby/relay.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/relay_codes.h"
#include "tests/unit/fakes/lobby_port_fake.h"

// --- Heap accounting: every allocation of the process passes here ---

namespace {
std::atomic<std::size_t> heapNow{0};
std::atomic<std::size_t> heapPeak{0};

void* Take(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    const std::size_t now = heapNow += malloc_usable_size(block);
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void Give(void* block) {
    if (block == nullptr) return;
    heapNow -= malloc_usable_size(block);
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) {
    return Take(size);
}
void* operator new[](std::size_t size) {
    return Take(size);
}
void operator delete(void* block) noexcept {
    Give(block);
}
void operator delete[](void* block) noexcept {
    Give(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Give(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Give(block);
}

namespace {

struct LobbySize {
    int rooms, players, tables, seats, presences;
};

constexpr LobbySize kFull{2000, 50000, 10000, 40000, 40000};
constexpr LobbySize kHalf{1000, 25000, 5000, 20000, 20000};
constexpr int kRecordsPerMessage = 200;
constexpr int kFirstPlayerId = 100000;

// The lobby a server sends after a login, in messages of up to 200 records, numbered.
std::string InitialLobby(const LobbySize& size) {
    std::mt19937 random(17);
    std::string stream;
    int seq = 0;
    auto list = [&](const char* type, int count, auto record) {
        for (int first = 0; first < count; first += kRecordsPerMessage) {
            stream += std::to_string(++seq) + "," + type + ",";
            for (int i = first; i < std::min(count, first + kRecordsPerMessage); ++i)
                stream += record(i) + ";";
            stream += ",!";
        }
    };
    auto player = [&] { return std::to_string(kFirstPlayerId + random() % size.players); };
    auto room = [&] { return std::to_string(1 + random() % size.rooms); };
    list("21", size.players, [&](int i) {
        return std::to_string(kFirstPlayerId + i) + ":Player" + std::to_string(i) + ":" +
               std::to_string(random() % 3000) + ":" + std::to_string(1 + random() % 4);
    });
    list("31", size.rooms, [&](int i) {
        return std::to_string(1 + i) + ":Room " + std::to_string(size.rooms - i) + ":" +
               std::to_string(1 + i % 3) + ":" + (i % 50 == 0 ? "2" : "0");
    });
    list("32", size.presences,
         [&](int i) { return std::to_string(1 + i) + ":" + room() + ":" + player(); });
    std::vector<int> tableRoom(static_cast<std::size_t>(size.tables));
    list("71", size.tables, [&](int i) {
        tableRoom[static_cast<std::size_t>(i)] = 1 + static_cast<int>(random() % size.rooms);
        std::string text = std::to_string(1 + i) + ":" + std::to_string(tableRoom[i]);
        for (int v = 2; v < 17; ++v) {
            text += ':';
            text += v == 5 || v == 6 ? player() : std::to_string(random() % 500);
        }
        return text + ":0";
    });
    list("72", size.seats, [&](int i) {
        const int table = static_cast<int>(random() % size.tables);
        return std::to_string(1 + i) + ":" + std::to_string(tableRoom[table]) + ":" +
               std::to_string(1 + table) + ":" + player();
    });
    return stream;
}

void Prepare() {
    InstallHubInboundRoutes();
    DropConnection();
    ResetLobbyPortFake();
    fakeLobbyQuiet = true;
    SetOwnPlayerId(1);
}

void InitialLobbyLoad(benchmark::State& state, const LobbySize& size) {
    const std::string stream = InitialLobby(size);
    Prepare();
    std::size_t peak = 0, kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearLobby();
        const std::size_t before = heapNow.load();
        heapPeak = before;
        state.ResumeTiming();
        DispatchEntry(stream);
        state.PauseTiming();
        peak = heapPeak.load() - before;
        kept = heapNow.load() - before;
        state.ResumeTiming();
    }
    state.counters["players"] = static_cast<double>(Players().size());
    state.counters["tables"] = static_cast<double>(Tables().size());
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["kept_MB"] = static_cast<double>(kept) / (1 << 20);
    state.counters["stream_MB"] = static_cast<double>(stream.size()) / (1 << 20);
    ClearLobby();
}
BENCHMARK_CAPTURE(InitialLobbyLoad, half, kHalf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InitialLobbyLoad, full, kFull)->Unit(benchmark::kMillisecond);

// The full lobby loaded once, with the window of room 1 open.
void LoadFullLobbyWithOneRoomWindow() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    Prepare();
    ClearLobby();
    DispatchEntry(InitialLobby(kFull));
    SetRoomWindowAt(FirstRoom(1), 700);
}

void PresenceChange(benchmark::State& state) {
    LoadFullLobbyWithOneRoomWindow();
    const std::string change[2] = {"1,17,125000,3,!", "2,17,125000,4,!"};
    std::size_t sent = fakeLobbyCallCount;
    int turn = 0;
    for (auto _ : state)
        DispatchEntry(change[turn++ & 1]);
    state.counters["port_calls_per_change"] =
        static_cast<double>(fakeLobbyCallCount - sent) / static_cast<double>(state.iterations());
}
BENCHMARK(PresenceChange)->Unit(benchmark::kMicrosecond);

void RelayToOneRoomWindow(benchmark::State& state) {
    LoadFullLobbyWithOneRoomWindow();
    for (auto _ : state)
        SendToRoomWindow(1, RELAY_PRESENCE, "125000,3");
}
BENCHMARK(RelayToOneRoomWindow)->Unit(benchmark::kMicrosecond);

// A click on the name head with the full lobby's 2,000 rooms: the whole list turns round
// each time (names A to Z, then Z to A), the view's index rebuilt with it.
void SortOnHeadClick(benchmark::State& state) {
    LoadFullLobbyWithOneRoomWindow();
    for (auto _ : state)
        ToggleRoomSort(1);
    state.counters["rooms"] = static_cast<double>(Rooms().size());
}
BENCHMARK(SortOnHeadClick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
