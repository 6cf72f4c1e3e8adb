// How reads become inbound entries, and how the traffic threads report their end.
#include <gtest/gtest.h>

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
    isConnected = false;
    ClearPostedCodes();
    SenderThread();
    ReceiveLoop();
    EXPECT_EQ(PostedCodes(), (std::vector<int>{NC_CONNECTION_LOST, NC_CONNECTION_LOST}));
}

}  // namespace
