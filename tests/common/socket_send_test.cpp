// SendAll over a stand-in for the per-call send that takes only part of what it is offered,
// as a busy socket may: the whole text must still go out, in order, and a failed call ends
// the attempt.
#include <gtest/gtest.h>

#include <string>

#include "net/socket_io.h"

namespace {

// What the stand-in does: each call takes at most `piece` bytes; the call numbered
// `failAt` (from 1) returns `failResult` instead.
int piece = 0;
int failAt = 0;
int failResult = 0;
std::string delivered;
int calls = 0;

int TakePart(SocketHandle, const char* data, int size) {
    if (++calls == failAt) return failResult;
    const int taken = size < piece ? size : piece;
    delivered.append(data, static_cast<std::size_t>(taken));
    return taken;
}

TEST(SendAll, SendsWhatEachCallLeftOver) {
    const std::string message = "12,99,a text longer than one piece,!";
    struct Case {
        const char* note;
        int piece, failAt, failResult;
        bool whole;
        std::string delivered;
        int calls;
    } cases[] = {
        {"whole in one call", 1000, 0, 0, true, message, 1},
        {"three bytes a call", 3, 0, 0, true, message, 12},
        {"one byte a call", 1, 0, 0, true, message, 36},
        {"error on the second call", 5, 2, -1, false, "12,99", 2},
        {"nothing taken on the third call", 5, 3, 0, false, "12,99,a te", 3},
        {"more taken than offered", 5, 2, 1000, false, "12,99", 2},
        {"error on the first call", 5, 1, -1, false, "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        piece = c.piece;
        failAt = c.failAt;
        failResult = c.failResult;
        delivered.clear();
        calls = 0;
        EXPECT_EQ(SendAll(kNoSocket, message, TakePart), c.whole);
        EXPECT_EQ(delivered, c.delivered);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(SendAll, AnEmptyTextNeedsNoCall) {
    calls = 0;
    EXPECT_TRUE(SendAll(kNoSocket, "", TakePart));
    EXPECT_EQ(calls, 0);
}

}  // namespace
