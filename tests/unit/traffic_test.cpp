// The receive loop and the sender as threads over real sockets (socket pairs standing
// in for the server's two connections).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "net/link.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/sender_wakeup.h"
#include "net/socket_io_posix.h"
#include "net/traffic.h"
#include "tests/unit/fakes/main_window_fake.h"

namespace {

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
    }
    void Start() {
        receiver = std::thread(ReceiveLoop);
        sender = std::thread(SenderThread);
    }
    void TearDown() override {
        isConnected = false;
        CloseConnectionPair();
        if (receiver.joinable()) receiver.join();
        if (sender.joinable()) sender.join();
        close(serverWrites);
        close(serverReads);
    }
    void ServerSends(std::string_view bytes) {
        ASSERT_EQ(send(serverWrites, bytes.data(), bytes.size(), 0),
                  static_cast<ssize_t>(bytes.size()));
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
    Start();
    ServerSends("5,15,");
    ServerSends("!");
    ASSERT_TRUE(WaitForPostedCode(NC_INBOUND));
    EXPECT_EQ(PopInbound(), "5,15,!");
    EXPECT_EQ(PopInbound(), "");
    shutdown(serverWrites, SHUT_RDWR);
    EXPECT_TRUE(WaitForPostedCode(NC_CONNECTION_LOST, 1)) << "the server closing ends the loop";
}

TEST_F(TrafficTest, AnAcknowledgementGoesAtOnceQueuedMessagesAfterTheirPredecessors) {
    Start();
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
}

TEST_F(TrafficTest, BothThreadsReportTheEndOfAConnectionTheMainWindowClosed) {
    Start();
    isConnected = false;
    CloseConnectionPair();
    EXPECT_TRUE(WaitForPostedCode(NC_CONNECTION_LOST, 2));
}

}  // namespace
