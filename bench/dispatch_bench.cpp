// Splitting and dispatching a large lobby stream, next to one memchr pass over the same
// bytes as the floor: the dispatch should stay within a small factor of it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "app/inbound_routes.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/text_convert.h"
#include "net/receive_assembler.h"
#include "net/traffic.h"
#include "tests/unit/fakes/lobby_port_fake.h"

namespace {

// About `bytes` of lobby traffic: players, rooms, presences, tables and seats in messages
// of a few hundred records, each numbered as the server numbers them.
std::string LobbyStream(std::size_t bytes) {
    std::mt19937 random(7);
    std::string stream;
    int seq = 1;
    while (stream.size() < bytes) {
        std::string message = std::to_string(seq++) + ",";
        switch (seq % 5) {
            case 0:
                message += "21,";
                for (int i = 0; i < 200; ++i)
                    message += std::to_string(random() % 100000) + ":Player" + std::to_string(i) +
                               ":" + std::to_string(random() % 3000) + ":" +
                               std::to_string(1 + random() % 4) + ";";
                break;
            case 1:
                message += "31,";
                for (int i = 0; i < 50; ++i)
                    message += std::to_string(i) + ":Room " + std::to_string(i) + ":" +
                               std::to_string(1 + i % 3) + ":0;";
                break;
            case 2:
                message += "71,";
                for (int i = 0; i < 100; ++i) {
                    for (int v = 0; v < 17; ++v)
                        message += std::to_string(random() % 5000) + ":";
                    message += "0;";
                }
                break;
            default:
                message += "72,";
                for (int i = 0; i < 200; ++i)
                    message += std::to_string(i) + ":" + std::to_string(i % 50) + ":" +
                               std::to_string(random() % 1000) + ":" +
                               std::to_string(random() % 100000) + ";";
                break;
        }
        stream += message + ",!";
    }
    return stream;
}

const std::string& Stream() {
    static const std::string stream = LobbyStream(8 << 20);
    return stream;
}

void MemchrPass(benchmark::State& state) {
    const std::string& stream = Stream();
    for (auto _ : state) {
        std::size_t messages = 0;
        const char* at = stream.data();
        const char* end = at + stream.size();
        while ((at = static_cast<const char*>(std::memchr(at, '!', end - at))) != nullptr) {
            ++messages;
            ++at;
        }
        benchmark::DoNotOptimize(messages);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(MemchrPass)->Unit(benchmark::kMillisecond);

void SplitAndDispatch(benchmark::State& state) {
    const std::string& stream = Stream();
    InstallHubInboundRoutes();
    DropConnection();       // the lobby handlers must not touch a connection
    fakeLobbyQuiet = true;  // the lobby lists fill; the windows they tell are only counted
    for (auto _ : state) {
        DispatchEntry(stream);
        benchmark::DoNotOptimize(pendingAcknowledgement.load());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(SplitAndDispatch)->Unit(benchmark::kMillisecond);

// The dispatch plus what the lobby handlers do with each list: records, items, numbers.
void DispatchAndParseRecords(benchmark::State& state) {
    const std::string& stream = Stream();
    InstallHubInboundRoutes();
    DropConnection();
    fakeLobbyQuiet = true;
    for (auto _ : state) {
        DispatchEntry(stream);
        std::int64_t sum = 0;
        FieldList fields;
        ForEachMessage(stream, [&](std::string_view message) {
            SplitFields(message, fields);
            ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
                ForEachPiece(record, ':', [&](std::string_view item) { sum += TextToInt(item); });
            });
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(DispatchAndParseRecords)->Unit(benchmark::kMillisecond);

// The receive loop's reassembly in 1000-byte reads, as they come off the socket.
void ReassembleReads(benchmark::State& state) {
    const std::string& stream = Stream();
    for (auto _ : state) {
        ReceiveAssembler assembler;
        std::string entry;
        std::size_t entries = 0;
        for (std::size_t at = 0; at < stream.size(); at += 1000) {
            std::string_view read(stream.data() + at,
                                  std::min<std::size_t>(1000, stream.size() - at));
            if (AcceptRead(assembler, read, entry, kMaxCarryOver) == ReadOutcome::Complete)
                ++entries;
        }
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(ReassembleReads)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
