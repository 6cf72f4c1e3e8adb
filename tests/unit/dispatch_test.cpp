// Inbound dispatch: acknowledgement bookkeeping, handler routing and the account
// handlers, with the window system recorded by the UI port fake.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <random>

#include "session/session.h"
#include "settings/settings.h"
#include "lobby/lobby_state.h"
#include "session/account.h"
#include "app/inbound_routes.h"
#include "session/news.h"
#include "net/dispatch.h"
#include "net/text_convert.h"
#include "net/link.h"
#include "net/queues.h"
#include "tests/unit/fakes/main_window_fake.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHubInboundRoutes();
        ResetUiFake();
        ResetSettingsToDefaults();
        pendingAcknowledgement = 0;
        acknowledgedNumber = 0;
        isConnected = true;
        connectPhase = PHASE_LOGGING_IN;
        OwnPlayerId = 0;
        while (!PopInbound().empty()) {
        }
    }
    void TearDown() override { isConnected = false; }
};

TEST_F(DispatchTest, LoginReplyThenAccountDataInOneEntry) {
    DispatchEntry("4,11,5,!5,13,42,2,0,!");
    EXPECT_EQ(connectPhase, PHASE_LOADING) << "login reply 5 handled";
    EXPECT_EQ(OwnPlayerId, 42);
    EXPECT_EQ(language, 2);
    EXPECT_EQ(pendingAcknowledgement.load(), 5);
}

TEST_F(DispatchTest, OnlyTheNextNumberIsAcknowledged) {
    struct Case {
        const char* entry;
        int acknowledged;
    } cases[] = {{"2,4,!", 4}, {"2,6,!", 3}, {"2,3,!", 3}, {"2,x,!", 3}, {"2,4,!2,5,!", 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        acknowledgedNumber = 3;
        DispatchEntry(c.entry);
        EXPECT_EQ(acknowledgedNumber.load(), c.acknowledged);
        EXPECT_EQ(pendingAcknowledgement.load(), 0) << "acknowledgements are not acknowledged";
    }
}

TEST_F(DispatchTest, NumberedMessagesAreNotedForAcknowledgementWhateverTheirType) {
    struct Case {
        const char* entry;
        int pending;
    } cases[] = {
        {"8,99,x,!", 8},    {"9,9,0,!", 9},  {"10,115,0,!", 10}, {"11,200,0,!", 11},
        {"12,abc,0,!", 12}, {"0,15,0,!", 0}, {"-4,22,1,!", -4},  {"3,15,0,!4,13,77,1,0,!", 4},
        {"x,y,z,!", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        pendingAcknowledgement = 1000;
        DispatchEntry(c.entry);
        EXPECT_EQ(pendingAcknowledgement.load(), c.pending);
    }
}

TEST_F(DispatchTest, MeaninglessMessagesAreDropped) {
    for (const char* entry : {"7,!", "!", "", "3,4", "x,y,!", "!!!,!,,!"}) {
        SCOPED_TRACE(entry);
        pendingAcknowledgement = 0;
        acknowledgedNumber = 0;
        DispatchEntry(entry);
        EXPECT_EQ(pendingAcknowledgement.load(), 0);
        EXPECT_EQ(acknowledgedNumber.load(), 0);
    }
    EXPECT_EQ(uiCalls, std::vector<std::string>{});
}

TEST_F(DispatchTest, PlayMoneyDecidesTheResetButton) {
    DispatchEntry("6,14,12345,100000,7,!");
    EXPECT_EQ(uiCalls, (std::vector<std::string>{"hide ResetPlayMoney", "repaint CashierBody"}));
    EXPECT_EQ(accountBalance, 12345);
    EXPECT_EQ(tokens, 7);
    uiCalls.clear();
    DispatchEntry("7,14,12345,99999,7,!");
    EXPECT_EQ(uiCalls, (std::vector<std::string>{"show ResetPlayMoney", "repaint CashierBody"}));
}

TEST_F(DispatchTest, OnlyAdministratorFlagOneOpensTheSecondFileMenuRow) {
    struct Case {
        const char* entry;
        const char* move;
    } cases[] = {{"1,13,5,1,2,!", "move HeadFile 7 98 125 20"},
                 {"1,13,5,1,1,!", "move HeadFile 7 98 125 40"},
                 {"1,13,5,1,!", "move HeadFile 7 98 125 20"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        uiCalls.clear();
        DispatchEntry(c.entry);
        ASSERT_FALSE(uiCalls.empty());
        EXPECT_EQ(uiCalls.back(), c.move);
    }
}

TEST_F(DispatchTest, OneNotificationDrainsTheWholeQueue) {
    PushInbound("1,15,0,!");
    PushInbound("2,10,0:0:0:1:0:100:0:0:0,!");
    PushInbound("3,99,0,!");
    DispatchInbound();
    EXPECT_EQ(PopInbound(), "");
    EXPECT_EQ(pendingAcknowledgement.load(), 3);
    EXPECT_TRUE(isLoggedIn) << "type 15 was handled";
    isLoggedIn = false;
}

TEST_F(DispatchTest, ServerClockOffsetComesFromTheNineItems) {
    const std::int64_t now = 1'780'000'000;
    std::time_t later = static_cast<std::time_t>(now + 3600 + 7);
    std::tm server = *std::localtime(&later);
    std::string field = std::to_string(server.tm_sec) + ":" + std::to_string(server.tm_min) + ":" +
                        std::to_string(server.tm_hour) + ":" + std::to_string(server.tm_mday) +
                        ":" + std::to_string(server.tm_mon) + ":" + std::to_string(server.tm_year) +
                        ":" + std::to_string(server.tm_wday) + ":" +
                        std::to_string(server.tm_yday) + ":" + std::to_string(server.tm_isdst);
    std::int32_t offset = 0;
    ASSERT_TRUE(ServerClockOffset(field, now, offset));
    EXPECT_EQ(offset, 3607);
    offset = 55;
    EXPECT_FALSE(ServerClockOffset("1:2:3", now, offset));
    EXPECT_EQ(offset, 55) << "a short clock leaves the offset as it was";
}

TEST_F(DispatchTest, EveryTypeSurvivesHostileFields) {
    // Random fields for every type the client handles, and random bytes: nothing may
    // crash or hang (the sanitizers watch), and what the messages change stays consistent.
    std::mt19937 random(1234);
    const char alphabet[] = "0123456789-:;,!abcXYZ=+/ \xC3\xA4\xFF";
    int ended = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string fields;
        int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i)
            fields += alphabet[random() % (sizeof alphabet - 1)];
        const std::string entry =
            std::to_string(round) + "," + std::to_string(10 + round % 105) + "," + fields + ",!";
        const bool wasConnected = round % 2 == 0;
        isConnected = wasConnected;
        linkState = wasConnected ? 1 : 0;
        uiCalls.clear();
        DispatchEntry(entry);
        if (fields.find('!') == std::string::npos) {
            EXPECT_EQ(pendingAcknowledgement.load(), round)
                << entry << ": noted for acknowledgement";
        }
        EXPECT_TRUE(connectPhase >= PHASE_CONNECTING && connectPhase <= PHASE_LOGGING_IN) << entry;
        if (!wasConnected) {
            EXPECT_FALSE(isConnected.load()) << entry << ": no message connects";
        } else if (!isConnected.load()) {
            // A message that ended the connection (double login, suspension, ...) says so.
            ++ended;
            EXPECT_EQ(linkState, 0) << entry << ": the status line shows offline";
            EXPECT_NE(std::find(uiCalls.begin(), uiCalls.end(), "show Error"), uiCalls.end())
                << entry << ": the error window is up";
            EXPECT_TRUE(errorState >= 2 && errorState <= 10) << entry;
        }
    }
    EXPECT_GT(ended, 0) << "some messages ended the connection";
    isLoggedIn = false;
}

}  // namespace

TEST_F(DispatchTest, NewsLinesAreDecodedAndOnlyTheNewestKept) {
    newsLines.clear();
    // "Neu: Räume" as Base64 of its UTF-8 bytes.
    DispatchEntry("3,91,TmV1OiBSw6R1bWU=,!");
    ASSERT_EQ(newsLines.size(), 1u);
    EXPECT_EQ(newsLines[0], L"Neu: R\u00E4ume");
    for (int i = 0; i < 12; ++i)
        DispatchEntry("4,91," + Base64Encode(std::to_string(i)) + ",!");
    ASSERT_EQ(newsLines.size(), kMaxNewsLines);
    EXPECT_EQ(newsLines.front(), L"2");
    EXPECT_EQ(newsLines.back(), L"11");
    EXPECT_EQ(pendingAcknowledgement.load(), 4);
    newsLines.clear();
}

namespace {

std::vector<std::string> handled;

// Stands for a handler that shows a message box: while the box is up, its message loop
// lets the next inbound notification in.
void ModalHandler(const FieldList& fields) {
    handled.emplace_back(fields[2]);
    if (fields[2] == "a") {
        PushInbound("3,61,c,!");
        DispatchInbound();
        handled.emplace_back("box closed");
    }
}

}  // namespace

TEST_F(DispatchTest, AHandlerRunningAModalLoopKeepsArrivalOrder) {
    const InboundRoute routes[] = {{MSG_PRIVATE_MESSAGE, ModalHandler, "modal"}};
    InstallInboundRoutes(routes);
    handled.clear();
    PushInbound("1,61,a,!2,61,b,!");
    DispatchInbound();
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "b", "c", "box closed"}))
        << "messages are handled while the box is up, the entry in hand first";
    EXPECT_EQ(pendingAcknowledgement.load(), 3) << "the nested drain acknowledges at once";
    EXPECT_FALSE(InboundWaiting());
    InstallHubInboundRoutes();
}
