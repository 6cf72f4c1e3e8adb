// The contacts window's rebuild with 5,000 relations among 50,000 players: the join by
// player id, the sort in both orders, and with ignored contacts left out. Goal: under
// 5 ms a rebuild, since every presence change of a contact runs one on the main thread.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "lobby/lobby_state.h"
#include "settings/settings.h"
#include "ui/contacts_list.h"

namespace {

constexpr int kPlayers = 50000;
constexpr int kRelations = 5000;
constexpr int kFirstPlayerId = 100000;
constexpr int kFirstContactId = 500000;

// Mixed-case names of 4 to 15 letters, so the case-insensitive order has work to do.
std::wstring NameFor(std::mt19937& random) {
    std::uniform_int_distribution<int> length(4, 15), letter(0, 51);
    std::wstring name;
    for (int n = length(random); n > 0; --n) {
        const int c = letter(random);
        name += static_cast<wchar_t>(c < 26 ? L'a' + c : L'A' + (c - 26));
    }
    return name;
}

// The players in arrival order and the relations, a tenth of them to players not held.
void FillLobby() {
    ClearLobby();
    std::mt19937 random(5);
    std::uniform_int_distribution<int> status(0, 4), relation(0, 2), player(0, kPlayers * 11 / 10);
    for (int i = 0; i < kPlayers; ++i)
        AddPlayer({kFirstPlayerId + i, NameFor(random), 1500, status(random)});
    for (int i = 0; i < kRelations; ++i)
        AddContact({kFirstContactId + i, kFirstPlayerId + player(random), relation(random)});
}

void Rebuild(benchmark::State& state, int sortOrder, int shownIgnored) {
    FillLobby();
    SetSetting(kContactSortOrderKey, sortOrder);
    SetSetting(kShowIgnoredKey, shownIgnored);
    for (auto _ : state) {
        RebuildContactRows();
        benchmark::DoNotOptimize(contactRows.data());
    }
    state.counters["rows"] = static_cast<double>(contactRows.size());
    ClearContactRows();
    ClearLobby();
}

void BM_ContactsRebuildByPresence(benchmark::State& state) {
    Rebuild(state, 0, 1);
}
void BM_ContactsRebuildByRelation(benchmark::State& state) {
    Rebuild(state, 1, 1);
}
void BM_ContactsRebuildIgnoredHidden(benchmark::State& state) {
    Rebuild(state, 0, 0);
}

BENCHMARK(BM_ContactsRebuildByPresence)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactsRebuildByRelation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactsRebuildIgnoredHidden)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
