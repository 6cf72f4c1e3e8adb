// Inbound dispatch: acknowledgement bookkeeping, handler routing and the account
// handlers, with the window system recorded by the UI port fake.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <random>

#include "app/inbound_routes.h"
#include "lobby/lobby_state.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/text_convert.h"
#include "session/account.h"
#include "session/news.h"
#include "session/session.h"
#include "settings/settings.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

using Calls = std::vector<std::string>;

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHubInboundRoutes();
        ResetSettingsToDefaults();
        ResetAcknowledgements();
        ResetSession(false);
        MarkConnected();
        SetConnectPhase(PHASE_LOGGING_IN);
        ResetUiFake();
        SetOwnPlayerId(0);
        while (!PopInbound().empty()) {
        }
    }
    void TearDown() override { ResetSession(false); }
};

TEST_F(DispatchTest, OnlyTheNextNumberIsAcknowledgedAndEveryOtherNumberNoted) {
    const struct {
        const char *entry, *numbers;  // acknowledged, then pending
    } cases[] = {{"2,4,!", "4 1000"},    {"2,6,!", "3 1000"},
                 {"2,3,!", "3 1000"},    {"2,4,!2,5,!", "5 1000"},
                 {"8,99,x,!", "3 8"},    {"0,15,0,!", "3 0"},
                 {"-4,22,1,!", "3 -4"},  {"7,!", "3 1000"},
                 {"!!!,!,,!", "3 1000"}, {"3,15,0,!4,13,77,1,0,!", "3 4"},
                 {"3,4", "3 1000"},      {"", "3 1000"}};
    for (const auto& c : cases) {
        NoteAcknowledged(3);
        NoteToAcknowledge(1000);
        DispatchEntry(c.entry);
        EXPECT_EQ(std::to_string(acknowledgedNumber) + " " + std::to_string(pendingAcknowledgement),
                  c.numbers)
            << c.entry;
    }
}

TEST_F(DispatchTest, ServerClockOffsetComesFromTheNineItems) {
    const std::int64_t now = 1'780'000'000;
    std::time_t later = static_cast<std::time_t>(now + 3600 + 7);
    std::tm t = *std::localtime(&later);
    std::string field;
    for (int item : {t.tm_sec, t.tm_min, t.tm_hour, t.tm_mday, t.tm_mon, t.tm_year, t.tm_wday,
                     t.tm_yday, t.tm_isdst})
        field += (field.empty() ? "" : ":") + std::to_string(item);
    std::int32_t offset = 0;
    ASSERT_TRUE(ServerClockOffset(field, now, offset));
    EXPECT_EQ(offset, 3607);
    EXPECT_FALSE(ServerClockOffset(field.substr(0, field.rfind(':')), now, offset));
    EXPECT_EQ(offset, 3607) << "a short clock leaves the offset as it was";
}

TEST_F(DispatchTest, EveryTypeSurvivesHostileFields) {
    // Random fields for every type the client handles: nothing may crash or hang (the
    // sanitizers watch), and what the messages change stays consistent.
    std::mt19937 random(1234);
    const char alphabet[] = "0123456789-:;,!abcXYZ=+/ \xC3\xA4\xFF";
    int ended = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string fields;
        for (int i = static_cast<int>(random() % 80); i > 0; --i)
            fields += alphabet[random() % (sizeof alphabet - 1)];
        const std::string entry =
            std::to_string(round) + "," + std::to_string(10 + round % 105) + "," + fields + ",!";
        const bool wasConnected = round % 2 == 0;
        if (wasConnected)
            MarkConnected();
        else
            DropConnection();
        SetLinkState(wasConnected ? 1 : 0);
        uiCalls.clear();
        DispatchEntry(entry);
        if (fields.find('!') == std::string::npos) {
            EXPECT_EQ(pendingAcknowledgement.load(), round) << entry;
        }
        EXPECT_TRUE(connectPhase >= PHASE_CONNECTING && connectPhase <= PHASE_LOGGING_IN) << entry;
        if (!wasConnected) {
            EXPECT_FALSE(isConnected.load()) << entry << ": no message connects";
        } else if (!isConnected.load()) {
            // A message that ended the connection (double login, suspension, ...) says so.
            ++ended;
            EXPECT_EQ(linkState, 0) << entry;
            EXPECT_NE(std::find(uiCalls.begin(), uiCalls.end(), "show Error"), uiCalls.end())
                << entry;
            EXPECT_TRUE(errorState >= 2 && errorState <= 10) << entry;
        }
    }
    EXPECT_GT(ended, 0) << "some messages ended the connection";
}

TEST_F(DispatchTest, NewsLinesAreDecodedAndOnlyTheNewestKept) {
    ClearNews();
    DispatchEntry("3,91,TmV1OiBSw6R1bWU=,!");  // "Neu: Räume" as Base64 of its UTF-8 bytes
    ASSERT_EQ(newsLines.size(), 1u);
    EXPECT_EQ(newsLines[0], L"Neu: R\u00E4ume");
    for (int i = 0; i < 12; ++i)
        DispatchEntry("4,91," + Base64Encode(std::to_string(i)) + ",!");
    ASSERT_EQ(newsLines.size(), kMaxNewsLines);
    EXPECT_EQ(newsLines.front(), L"2");
    EXPECT_EQ(newsLines.back(), L"11");
    ClearNews();
}

// The File menu reaches its second row for administrators only; the reset button shows
// while play money is short of the full amount.
TEST_F(DispatchTest, AccountDataSizesTheFileMenuAndValuesShowTheResetButton) {
    const struct {
        const char *entry, *call;
    } cases[] = {{"1,13,1001,1,1,!", "move HeadFile 7 98 125 40"},
                 {"2,13,1001,1,2,!", "move HeadFile 7 98 125 20"},
                 {"3,14,5,100000,0,!", "hide ResetPlayMoney"},
                 {"4,14,5,99999,0,!", "show ResetPlayMoney"},
                 {"5,14,5,100001,0,!", "show ResetPlayMoney"}};
    for (const auto& c : cases) {
        uiCalls.clear();
        DispatchEntry(c.entry);
        EXPECT_NE(std::find(uiCalls.begin(), uiCalls.end(), c.call), uiCalls.end()) << c.entry;
    }
}

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

TEST_F(DispatchTest, AHandlerRunningAModalLoopKeepsArrivalOrder) {
    const InboundRoute routes[] = {{MSG_PRIVATE_MESSAGE, ModalHandler, "modal"}};
    InstallInboundRoutes(routes);
    handled.clear();
    PushInbound("1,61,a,!2,61,b,!");
    DispatchInbound();
    EXPECT_EQ(handled, (Calls{"a", "b", "c", "box closed"}))
        << "messages are handled while the box is up, the entry in hand first";
    EXPECT_EQ(pendingAcknowledgement.load(), 3) << "the nested drain acknowledges at once";
    EXPECT_FALSE(InboundWaiting());
    InstallHubInboundRoutes();
}

// Stands for a stream that arrives while it is handled.
void ArrivingHandler(const FieldList& fields) {
    handled.emplace_back(fields[2]);
    if (fields[2] == "a") PushInbound("2,61,b,!");
}

TEST_F(DispatchTest, ADrainTakesOnlyWhatWaitedWhenItBegan) {
    const InboundRoute routes[] = {{MSG_PRIVATE_MESSAGE, ArrivingHandler, "arriving"}};
    InstallInboundRoutes(routes);
    handled.clear();
    PushInbound("1,61,a,!");
    DispatchInbound();
    EXPECT_EQ(handled, Calls{"a"}) << "what arrived meanwhile waits for its own notification";
    DispatchInbound();
    EXPECT_EQ(handled, (Calls{"a", "b"}));
    InstallHubInboundRoutes();
}

}  // namespace
