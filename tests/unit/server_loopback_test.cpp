// The development server over real loopback sockets on free ports: handshake, refusal,
// split greeting, stop-and-wait, recording and the control channel.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "net/text_convert.h"
#include "server/log.h"
#include "server/server.h"

namespace {

int Connect(std::uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    timeval limit{5, 0};  // a broken server fails the test instead of hanging it
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    return fd;
}

void Send(int fd, std::string_view bytes) {
    EXPECT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
}

// One read, as the client's handshake does it; "" on time-out or close.
std::string ReadOnce(int fd) {
    char buffer[1000];
    ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
}

// Reads until `want` bytes have arrived (or a read fails).
std::string ReadBytes(int fd, std::size_t want) {
    std::string all;
    while (all.size() < want) {
        std::string more = ReadOnce(fd);
        if (more.empty()) break;
        all += more;
    }
    return all;
}

// True when nothing arrives within `ms`.
bool Silent(int fd, int ms) {
    timeval limit{0, ms * 1000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::string got = ReadOnce(fd);
    timeval normal{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &normal, sizeof normal);
    return got.empty();
}

class ServerLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        OpenLogFile("/dev/null");
        char pattern[] = "/tmp/tavlora-server-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }

    void TearDown() override {
        Stop();
        CloseLogFile();
        std::string command = "rm -rf '" + dir_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    void Stop() {
        if (thread_.joinable()) {
            StopServer(server_->wake_write);
            thread_.join();
            CloseServer(*server_);
        }
        for (int fd : fds_)
            close(fd);
        fds_.clear();
    }

    void Start(std::string_view scenario = {}, bool ack_wait = true) {
        server_ = std::make_unique<Server>();
        options_.inbound_port = 0;
        options_.outbound_port = 0;
        options_.ack_wait = ack_wait;
        Script script;
        std::string error;
        ASSERT_TRUE(ParseScript(scenario, HandshakePlan{}, script, error)) << error;
        server_->report = nullptr;
        ASSERT_TRUE(StartServer(*server_, options_, script, error)) << error;
        thread_ = std::thread([this] { RunServer(*server_); });
    }

    int Open(std::uint16_t port) {
        fds_.push_back(Connect(port));
        return fds_.back();
    }

    // The client's half of the handshake; returns the answer to the introduction.
    std::string Handshake(int& inbound, int& outbound, std::string token_override = {}) {
        inbound = Open(server_->inbound_port);
        std::string greeting = ReadOnce(inbound);
        std::string token;
        if (CheckGreeting(greeting, token) != GreetingCheck::Valid)
            return "bad greeting " + greeting;
        Send(inbound, "2,!");
        outbound = Open(server_->outbound_port);
        Send(outbound, ComposeIntroduction(token_override.empty() ? token : token_override));
        return ReadOnce(outbound);
    }

    Options options_;
    std::unique_ptr<Server> server_;
    std::thread thread_;
    std::vector<int> fds_;
    std::string dir_;
};

TEST_F(ServerLoopback, PairsByTokenOrRefuses) {
    struct Case {
        const char* scenario;
        const char* token;  // "" the greeting's own
        const char* answer;
    } cases[] = {
        {"", "", "2,!"},
        {"", "wrong", "3,!"},
        {"answer refuse", "", "3,!"},
        {"answer raw 2,!x", "", "2,!x"},
        {"token fixed", "", "2,!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario + std::string(" / ") + c.token);
        Stop();
        Start(c.scenario);
        int inbound = -1, outbound = -1;
        EXPECT_EQ(Handshake(inbound, outbound, c.token), c.answer);
    }
}

TEST_F(ServerLoopback, GreetingIsUniquePerConnection) {
    Start();
    int first = Open(server_->inbound_port);
    int second = Open(server_->inbound_port);
    std::string a = ReadOnce(first), b = ReadOnce(second);
    EXPECT_EQ(a.rfind("73,", 0), 0u);
    EXPECT_EQ(a.substr(a.size() - 2), ",!");
    EXPECT_NE(a, b);
}

TEST_F(ServerLoopback, IntroductionInPieces) {
    Start();
    int inbound = Open(server_->inbound_port);
    std::string token;
    ASSERT_EQ(CheckGreeting(ReadOnce(inbound), token), GreetingCheck::Valid);
    int outbound = Open(server_->outbound_port);
    std::string introduction = ComposeIntroduction(token);
    for (char byte : introduction) {
        Send(outbound, std::string(1, byte));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(ReadOnce(outbound), "2,!");
}

TEST_F(ServerLoopback, GreetingInTwoPieces) {
    Start("greeting split 3 300\ntoken abc\n");
    int inbound = Open(server_->inbound_port);
    EXPECT_EQ(ReadOnce(inbound), "73,");
    EXPECT_EQ(ReadOnce(inbound), "abc,!");
}

TEST_F(ServerLoopback, NextMessageWaitsForTheAcknowledgement) {
    Start();
    int inbound = -1, outbound = -1;
    ASSERT_EQ(Handshake(inbound, outbound), "2,!");
    Send(outbound, "1,11," + Base64Encode("demo,demo1234") + ",!");
    EXPECT_EQ(ReadBytes(inbound, 13), "2,1,!1,11,5,!");
    EXPECT_TRUE(Silent(inbound, 300));
    Send(outbound, "2,1,!");
    EXPECT_EQ(ReadBytes(inbound, 15), "2,13,1001,1,0,!");
}

TEST_F(ServerLoopback, WithoutAckWaitTheLobbyFollowsAtOnce) {
    Start("", false);
    int inbound = -1, outbound = -1;
    ASSERT_EQ(Handshake(inbound, outbound), "2,!");
    Send(outbound, "1,11," + Base64Encode("admin,admin1234") + ",!");
    std::string all;
    while (all.find(",15,0,!") == std::string::npos) {
        std::string more = ReadOnce(inbound);
        ASSERT_FALSE(more.empty()) << "stopped after " << all.size() << " bytes";
        all += more;
    }
    EXPECT_NE(all.find("2,13,1002,1,1,!"), std::string::npos);
}

TEST_F(ServerLoopback, RecordsWhatEachConnectionReceived) {
    options_.record_dir = dir_;
    Start("expect 1,1,0,!\nsend done!\n");
    int inbound = -1, outbound = -1;
    ASSERT_EQ(Handshake(inbound, outbound), "2,!");
    Send(outbound, "1,1,0,!");
    EXPECT_EQ(ReadBytes(inbound, 10), "2,1,!done!");

    auto file = [&](std::uint16_t port) {
        std::ifstream in(dir_ + "/conn1-" + std::to_string(port) + ".bin", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    EXPECT_EQ(file(server_->inbound_port), "2,!");
    std::string outbound_bytes = file(server_->outbound_port);
    EXPECT_EQ(outbound_bytes.substr(outbound_bytes.size() - 7), "1,1,0,!");
    EXPECT_EQ(outbound_bytes.rfind("73,", 0), 0u);
}

TEST_F(ServerLoopback, ControlChannelReachesTheLatestPair) {
    options_.control_path = dir_ + "/control";
    Start();
    int inbound = -1, outbound = -1;
    ASSERT_EQ(Handshake(inbound, outbound), "2,!");
    int control = open(options_.control_path.c_str(), O_WRONLY);
    ASSERT_GE(control, 0);
    fds_.push_back(control);
    std::string commands = "message 16,3\nraw-typo\nsend xyz!\n";
    ASSERT_EQ(write(control, commands.data(), commands.size()),
              static_cast<ssize_t>(commands.size()));
    EXPECT_EQ(ReadBytes(inbound, 12), "1,16,3,!xyz!");
}

TEST_F(ServerLoopback, ClosesBeforeTheGreeting) {
    Start("greeting close\n");
    int inbound = Open(server_->inbound_port);
    char byte;
    EXPECT_EQ(recv(inbound, &byte, 1, 0), 0);
}

}  // namespace
