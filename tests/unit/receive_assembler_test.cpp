// How the receive loop turns reads into inbound queue entries.
#include <gtest/gtest.h>

#include "net/receive_assembler.h"

namespace {

std::vector<std::string> Feed(std::initializer_list<std::string_view> reads,
                              std::size_t maxCarry = 1 << 20) {
    ReceiveAssembler assembler;
    std::vector<std::string> pushed;
    std::string entry;
    for (std::string_view read : reads) {
        switch (AcceptRead(assembler, read, entry, maxCarry)) {
            case ReadOutcome::Complete:
                pushed.push_back(entry);
                break;
            case ReadOutcome::Overflow:
                pushed.push_back("<overflow>");
                break;
            case ReadOutcome::Carried:
                break;
        }
    }
    return pushed;
}

using Entries = std::vector<std::string>;

TEST(ReceiveAssembler, PushesOnlyReadsThatEndOnAMessageBoundary) {
    struct Case {
        const char* note;
        std::vector<std::string_view> reads;
        Entries entries;
    } cases[] = {
        {"split message", {"5,15,", "!"}, {"5,15,!"}},
        {"boundary inside a read waits", {"5,15,!6,1", "7,0,!"}, {"5,15,!6,17,0,!"}},
        {"lone bang", {"!"}, {"!"}},
        {"two entries", {"1,15,0,!", "2,15,0,!"}, {"1,15,0,!", "2,15,0,!"}},
        {"never ends", {"1,21,a", "b", "c"}, {}},
        {"zero byte ends the text but the read still ends on a boundary",
         {std::string_view("1,15,\0xx!", 9)},
         {"1,15,"}},
        {"zero byte inside a carried read", {std::string_view("ab\0c", 4), "d,!"}, {"abd,!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        ReceiveAssembler assembler;
        Entries pushed;
        std::string entry;
        for (std::string_view read : c.reads)
            if (AcceptRead(assembler, read, entry, 1 << 20) == ReadOutcome::Complete)
                pushed.push_back(entry);
        EXPECT_EQ(pushed, c.entries);
    }
}

TEST(ReceiveAssembler, GivesUpWhenTheCarryOverWouldPassItsLimit) {
    EXPECT_EQ(Feed({"12345", "678"}, 8), Entries{});
    EXPECT_EQ(Feed({"12345", "6789"}, 8), Entries{"<overflow>"});
    // A read that completes the message is never refused, whatever its size.
    EXPECT_EQ(Feed({"12345", "678!"}, 8), Entries{"12345678!"});
}

}  // namespace
