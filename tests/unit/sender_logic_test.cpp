// The sender's numbering, acknowledgement, resend and keep-alive rules, driven pass by
// pass with a fake clock.
#include <gtest/gtest.h>

#include <deque>
#include <utility>

#include "net/sender_logic.h"

namespace {

// A connection as the sender sees it, with the server's side played by the test.
struct Link {
    SenderState state = StartSender(1000);
    bool connected = true;
    std::int32_t pending = 0, acknowledged = 0;
    std::deque<std::string> queue;

    // Runs passes at second `now` until the sender waits or stops; returns what each pass
    // did, parted by "|": the bytes sent, "wait <second>" or "stop".
    std::string RunAt(std::int64_t now) {
        std::string done;
        for (int pass = 0; pass < 20; ++pass) {
            const SenderStep step =
                NextSenderStep(state, {connected, pending, acknowledged, !queue.empty()}, now);
            switch (step.action) {
                case SenderAction::Stop:
                    return done + "stop";
                case SenderAction::Wait:
                    return done + "wait " + std::to_string(step.dueSecond);
                case SenderAction::Acknowledge:
                    done += TakeAcknowledgement(state, std::exchange(pending, 0)) + "|";
                    break;
                case SenderAction::TransmitNext:
                    done += TransmitQueued(state, queue.front(), now) + "|";
                    queue.pop_front();
                    break;
                case SenderAction::Resend:
                    done += Retransmit(state, now) + "|";
                    break;
                case SenderAction::KeepAlive:
                    done += TransmitKeepAlive(state, now) + "|";
                    break;
            }
        }
        return done + "never waits";
    }
    // Four resends 31 seconds apart from second 1031.
    void ResendFourTimes(const std::string& text) {
        for (std::int64_t now = 1031; now < 1155; now += 31)
            EXPECT_EQ(RunAt(now), text + "|wait " + std::to_string(now + 31));
    }
};

TEST(Sender, AnIdleConnectionSendsKeepAlivesInsteadOfResendsBeforeTheFirstAcknowledgement) {
    Link link;
    EXPECT_EQ(link.RunAt(1030), "wait 1031");
    EXPECT_EQ(link.RunAt(1031), "1,1,0,!|wait 1062");
    EXPECT_EQ(link.RunAt(1062), "2,1,0,!|wait 1093");
    // Once the server acknowledges 1, the outstanding keep-alive 2 is resent, not 1.
    link.acknowledged = 1;
    EXPECT_EQ(link.RunAt(1093), "2,1,0,!|wait 1124");
    link.acknowledged = 2;
    EXPECT_EQ(link.RunAt(1123), "wait 1124");
    EXPECT_EQ(link.RunAt(1124), "3,1,0,!|wait 1155");
}

// Five resends 31 seconds apart, then the sender gives up; server traffic and a new
// message start the count again.
TEST(Sender, ResendsEveryThirtyOneSecondsUntilTheFifthUnlessTrafficResetsTheCount) {
    Link link;
    link.state.sequence = link.acknowledged = 1;
    link.queue = {"17,4,!"};
    EXPECT_EQ(link.RunAt(1000), "2,17,4,!|wait 1031");
    EXPECT_EQ(link.RunAt(1030), "wait 1031");
    link.ResendFourTimes("2,17,4,!");
    Link quiet = link;
    EXPECT_EQ(quiet.RunAt(1155), "2,17,4,!|stop") << "fifth resend, then at once stop";
    link.pending = 40;  // steady server traffic
    EXPECT_EQ(link.RunAt(1155), "2,40,!|2,17,4,!|wait 1186");
    EXPECT_EQ(link.state.resendCount, 1);
    link.acknowledged = 2;
    link.state.resendCount = 4;
    link.queue = {"54,7,!"};
    EXPECT_EQ(link.RunAt(1156), "3,54,7,!|wait 1187");
    EXPECT_EQ(link.state.resendCount, 0);
}

TEST(Sender, AnAcknowledgementForANumberNeverSentStallsTheQueueUntilItGivesUp) {
    // The dispatch takes "2,1,!" although nothing was sent: the sender then believes a
    // message is outstanding, resends its (empty) last text and finally gives up, which
    // ends the connection; queued messages never go out meanwhile.
    Link link;
    link.acknowledged = 1;
    link.queue = {"10,0,!"};
    EXPECT_EQ(link.RunAt(1000), "wait 1031");
    link.ResendFourTimes("");
    EXPECT_EQ(link.RunAt(1155), "|stop");
    EXPECT_EQ(link.queue.size(), 1u);
}

}  // namespace
