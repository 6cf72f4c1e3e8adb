// How reads become inbound entries, and the receive loop and the sender as threads over
// real sockets (socket pairs standing in for the server's two connections).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "net/link.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/receive_assembler.h"
#include "net/sender_wakeup.h"
#include "net/socket_io_posix.h"
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

class TrafficTest : public ::testing::Test {
protected:
    int serverWrites = -1;  // the server's end of the inbound connection
    int serverReads = -1;   // the server's end of the outbound connection
    std::thread receiver, sender;

    void SetUp() override {
        int inbound[2], outbound[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, inbound), 0);
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, outbound), 0);
        serverWrites = inbound[0];
        serverReads = outbound[0];
        inboundConnection = HandleFromDescriptor(inbound[1]);
        outboundConnection = HandleFromDescriptor(outbound[1]);
        ClearPostedCodes();
        ClearOutbound();
        while (!PopInbound().empty()) {
        }
        pendingAcknowledgement = acknowledgedNumber = 0;
        isConnected = true;
        receiver = std::thread(ReceiveLoop);
        sender = std::thread(SenderThread);
    }
    void TearDown() override {
        isConnected = false;
        CloseConnectionPair();
        receiver.join();
        sender.join();
        close(serverWrites);
        close(serverReads);
    }
    // What the client has sent, until `expected` bytes have arrived or `seconds` passed.
    std::string ServerReceives(std::size_t expected, int seconds = 5) {
        std::string got;
        timeval limit{seconds, seconds == 0 ? 200'000 : 0};
        setsockopt(serverReads, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        char buffer[256];
        while (got.size() < expected) {
            ssize_t n = recv(serverReads, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }
};

TEST_F(TrafficTest, ReceivedMessagesReachTheInboundQueueWhole) {
    ASSERT_EQ(send(serverWrites, "5,15,", 5, 0), 5);
    ASSERT_EQ(send(serverWrites, "!", 1, 0), 1);
    ASSERT_TRUE(WaitForPostedCode(NC_INBOUND));
    EXPECT_EQ(PopInbound(), "5,15,!");
    EXPECT_EQ(PopInbound(), "");
    shutdown(serverWrites, SHUT_RDWR);
    EXPECT_TRUE(WaitForPostedCode(NC_CONNECTION_LOST, 1)) << "the server closing ends the loop";
}

TEST_F(TrafficTest, AnAcknowledgementGoesAtOnceQueuedMessagesAfterTheirPredecessors) {
    EXPECT_EQ(ServerReceives(1, 0), "") << "nothing queued, nothing sent";
    pendingAcknowledgement = 9;
    PushOutbound("32,5,!");
    PushOutbound("38,5,!");
    WakeSender();
    EXPECT_EQ(ServerReceives(13), "2,9,!1,32,5,!");
    EXPECT_EQ(pendingAcknowledgement.load(), 0);
    EXPECT_EQ(ServerReceives(1, 0), "") << "B must wait for 2,1,!";
    acknowledgedNumber = 1;  // what the dispatch does on "2,1,!"
    WakeSender();
    EXPECT_EQ(ServerReceives(8), "2,38,5,!");
    // The main window ends the connection: both threads report it.
    isConnected = false;
    CloseConnectionPair();
    EXPECT_TRUE(WaitForPostedCode(NC_CONNECTION_LOST, 2));
}

}  // namespace
