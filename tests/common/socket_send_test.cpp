// SendAll over a stand-in for the per-call send that takes only part of what it is offered,
// as a busy socket may: the whole text must still go out, in order, and a failed call ends
// the attempt.
#include <gtest/gtest.h>

#include <string>

#include "net/socket_io.h"

namespace {

// Each call takes at most `piece` bytes; the call numbered `failAt` (from 1) returns
// `failResult` instead.
int piece = 0, failAt = 0, failResult = 0, calls = 0;
std::string delivered;

int TakePart(SocketHandle, const char* data, int size) {
    if (++calls == failAt) return failResult;
    const int taken = size < piece ? size : piece;
    delivered.append(data, static_cast<std::size_t>(taken));
    return taken;
}

TEST(SendAll, SendsWhatEachCallLeftOverAndStopsAtAFailure) {
    const std::string message = "12,99,a text longer than one piece,!";
    const struct {
        std::string text;
        int piece, failAt, failResult;
        bool whole;
        std::string delivered;
        int calls;
    } cases[] = {{message, 1000, 0, 0, true, message, 1},
                 {message, 3, 0, 0, true, message, 12},
                 {message, 1, 0, 0, true, message, 36},
                 {message, 5, 2, -1, false, "12,99", 2},
                 {message, 5, 3, 0, false, "12,99,a te", 3},  // nothing taken
                 {message, 5, 2, 1000, false, "12,99", 2},    // more taken than offered
                 {message, 5, 1, -1, false, "", 1},
                 {"", 5, 1, -1, true, "", 0}};  // nothing to send: no call
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.piece << " " << c.failAt << " " << c.failResult);
        piece = c.piece;
        failAt = c.failAt;
        failResult = c.failResult;
        delivered.clear();
        calls = 0;
        EXPECT_EQ(SendAll(kNoSocket, c.text, TakePart), c.whole);
        EXPECT_EQ(delivered, c.delivered);
        EXPECT_EQ(calls, c.calls);
    }
}

}  // namespace
