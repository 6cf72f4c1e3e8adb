// How reads become inbound entries, how the traffic threads report their end, and what
// the connection log writes of them.
#include <gtest/gtest.h>

#include "net/connection_log.h"
#include "net/link.h"
#include "net/notification_codes.h"
#include "net/receive_assembler.h"
#include "net/traffic.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

using Entries = std::vector<std::string>;

// What a run of reads pushes; a refused carry-over shows as "<overflow>".
Entries Feed(std::vector<std::string_view> reads, std::size_t maxCarry) {
    ReceiveAssembler assembler;
    Entries pushed;
    std::string entry;
    for (std::string_view read : reads) {
        const ReadOutcome outcome = AcceptRead(assembler, read, entry, maxCarry);
        if (outcome == ReadOutcome::Complete) pushed.push_back(entry);
        if (outcome == ReadOutcome::Overflow) pushed.push_back("<overflow>");
    }
    return pushed;
}

TEST(ReceiveAssembler, PushesOnlyReadsThatEndOnAMessageBoundary) {
    const struct {
        std::vector<std::string_view> reads;
        Entries entries;
        std::size_t maxCarry = 1 << 20;
    } cases[] = {
        {{"5,15,", "!"}, {"5,15,!"}},
        {{"5,15,!6,1", "7,0,!"}, {"5,15,!6,17,0,!"}},
        {{"!"}, {"!"}},
        {{"1,15,0,!", "2,15,0,!"}, {"1,15,0,!", "2,15,0,!"}},
        {{"1,21,a", "b", "c"}, {}},
        // A zero byte ends the text but the read still ends on a boundary.
        {{std::string_view("1,15,\0xx!", 9)}, {"1,15,"}},
        {{std::string_view("ab\0c", 4), "d,!"}, {"abd,!"}},
        {{"12345", "678"}, {}, 8},
        {{"12345", "6789"}, {"<overflow>"}, 8},
        // A read that completes the message is never refused, whatever its size.
        {{"12345", "678!"}, {"12345678!"}, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Feed(c.reads, c.maxCarry), c.entries) << c.reads[0];
}

// Also the sender that gives up after its last resend: the main window hears of each end.
TEST(Traffic, BothThreadsReportTheirEnd) {
    DropConnection();
    ClearPostedCodes();
    SenderThread();
    ReceiveLoop();
    EXPECT_EQ(PostedCodes(), (std::vector<int>{NC_CONNECTION_LOST, NC_CONNECTION_LOST}));
}

// Numbers, types and lengths only: nothing after the type reaches the log.
TEST(ConnectionLog, RecordsAMessageByNumberTypeAndLength) {
    const struct {
        std::string_view direction, message;
        int attempt;
        std::string record;
    } cases[] = {{"out", "3,11,ZGVtbyxkZW1vMTIzNA==,!", 0, "out 3 type 11 length 27"},
                 {"in", "4,61,2001,dHdpY2U=", 0, "in 4 type 61 length 19"},
                 {"resend", "5,32,5,!", 2, "resend 5 type 32 length 8 attempt 2"},
                 {"out", "2,9,!", 0, "out ack 9"},
                 {"in", "2,15,x", 0, "in 2 type 15 length 7"},
                 {"in", "secret", 0, "in 0 type 0 length 7"}};
    for (const auto& c : cases)
        EXPECT_EQ(WireRecord(c.direction, c.message, c.attempt), c.record);
    using namespace std::chrono;
    EXPECT_EQ(LogLine(sys_days{year{2026} / 12 / 7} + 17h + 4min + 1s + 23ms, "x"),
              "2026-12-07 17:04:01.023 x\r\n");
}

// Whole lines up to the cap; a full file is rotated first (0); an empty one takes any line.
TEST(ConnectionLog, WritesWholeLinesUpToTheCap) {
    const std::string huge(kConnectionLogCap + 9, 'x');
    const struct {
        std::uint64_t fileSize;
        std::string_view pending;
        std::size_t fit;
    } cases[] = {{0, "ab\r\ncd\r\n", 8},
                 {kConnectionLogCap - 4, "ab\r\ncd\r\n", 4},
                 {kConnectionLogCap - 3, "ab\r\n", 0},
                 {kConnectionLogCap + 1, "a", 0},
                 {0, huge, huge.size()},
                 {1, huge, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(LogBytesThatFit(c.fileSize, c.pending), c.fit) << c.fileSize;
}

// Off, nothing is kept; on, the writer is woken once per batch, and a batch that would
// pass the cap drops what follows and says so.
TEST(ConnectionLog, CollectsRecordsForTheWriterOnlyWhenOn) {
    static int wakes = 0;
    LogConnection("not kept");
    StartConnectionLog([] { ++wakes; });
    LogConnection("attempt ", 2);
    LogConnection("attempt ", 3, " done");
    const std::string taken = TakeConnectionLog();
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(taken.find("not kept"), std::string::npos);
    EXPECT_NE(taken.find(" attempt 2\r\n"), std::string::npos);
    EXPECT_NE(taken.find(" attempt 3 done\r\n"), std::string::npos);
    LogConnection(std::string(kConnectionLogCap / 2, 'x'));
    LogConnection(std::string(kConnectionLogCap / 2, 'y'));
    const std::string full = TakeConnectionLog();
    EXPECT_EQ(full.find('y'), std::string::npos);
    EXPECT_NE(full.find("1 records dropped"), std::string::npos);
    EXPECT_EQ(TakeConnectionLog(), "");
    StopConnectionLog();
}

}  // namespace
