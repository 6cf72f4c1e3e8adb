// The sender's numbering, acknowledgement, resend and keep-alive rules, driven pass by
// pass with a fake clock.
#include <gtest/gtest.h>

#include <deque>

#include "net/sender_logic.h"

namespace {

// A connection as the sender sees it, with the server's side played by the test.
struct Link {
    SenderState state = StartSender(1000);
    bool connected = true;
    std::int32_t pending = 0;
    std::int32_t acknowledged = 0;
    std::deque<std::string> queue;

    // Runs passes at second `now` until the sender waits or stops; returns what it did,
    // one entry per pass: the bytes sent, "wait <second>" or "stop".
    std::vector<std::string> RunAt(std::int64_t now) {
        std::vector<std::string> done;
        for (int guard = 0; guard < 20; ++guard) {
            SenderStep step =
                NextSenderStep(state, {connected, pending, acknowledged, !queue.empty()}, now);
            switch (step.action) {
                case SenderAction::Stop:
                    done.push_back("stop");
                    return done;
                case SenderAction::Wait:
                    done.push_back("wait " + std::to_string(step.dueSecond));
                    return done;
                case SenderAction::Acknowledge:
                    done.push_back(TakeAcknowledgement(state, pending));
                    pending = 0;
                    break;
                case SenderAction::TransmitNext:
                    done.push_back(TransmitQueued(state, queue.front(), now));
                    queue.pop_front();
                    break;
                case SenderAction::Resend:
                    done.push_back(Retransmit(state, now));
                    break;
                case SenderAction::KeepAlive:
                    done.push_back(TransmitKeepAlive(state, now));
                    break;
            }
        }
        ADD_FAILURE() << "sender never waited";
        return done;
    }
};

using Steps = std::vector<std::string>;

TEST(Sender, SendsQueuedMessagesOneAtATimeInOrder) {
    Link link;
    link.queue = {"32,5,!", "38,5,!"};
    EXPECT_EQ(link.RunAt(1000), (Steps{"1,32,5,!", "wait 1031"}));
    EXPECT_EQ(link.RunAt(1005), (Steps{"wait 1031"})) << "B waits for the acknowledgement of A";
    link.acknowledged = 1;
    EXPECT_EQ(link.RunAt(1006), (Steps{"2,38,5,!", "wait 1037"}));
    link.acknowledged = 2;
    EXPECT_EQ(link.RunAt(1007), (Steps{"wait 1037"}));
}

TEST(Sender, AcknowledgesOnlyTheLatestNumberAndFirst) {
    Link link;
    link.queue = {"10,0,!"};
    link.pending = 9;  // messages 8 and 9 were dispatched before this pass
    EXPECT_EQ(link.RunAt(1000), (Steps{"2,9,!", "1,10,0,!", "wait 1031"}));
}

TEST(Sender, IdleConnectionSendsKeepAliveAfterThirtyOneSeconds) {
    Link link;
    EXPECT_EQ(link.RunAt(1030), (Steps{"wait 1031"}));
    EXPECT_EQ(link.RunAt(1031), (Steps{"1,1,0,!", "wait 1062"}));
    link.acknowledged = 1;
    EXPECT_EQ(link.RunAt(1061), (Steps{"wait 1062"}));
    EXPECT_EQ(link.RunAt(1062), (Steps{"2,1,0,!", "wait 1093"}));
}

TEST(Sender, BeforeTheFirstAcknowledgementKeepAlivesFollowInsteadOfResends) {
    Link link;
    link.queue = {"11,QQ==,!"};
    EXPECT_EQ(link.RunAt(1000), (Steps{"1,11,QQ==,!", "wait 1031"}));
    EXPECT_EQ(link.RunAt(1031), (Steps{"2,1,0,!", "wait 1062"}));
    EXPECT_EQ(link.RunAt(1062), (Steps{"3,1,0,!", "wait 1093"}));
    // Once the server acknowledges 1, the outstanding keep-alive 3 is resent, not 1.
    link.acknowledged = 1;
    EXPECT_EQ(link.RunAt(1093), (Steps{"3,1,0,!", "wait 1124"}));
}

TEST(Sender, ResendsEveryThirtyOneSecondsAndGivesUpAfterTheFifthResend) {
    Link link;
    link.acknowledged = 1;
    link.state.sequence = 1;
    link.queue = {"17,4,!"};
    link.acknowledged = 1;
    EXPECT_EQ(link.RunAt(1000), (Steps{"2,17,4,!", "wait 1031"}));
    std::int64_t now = 1031;
    for (int resend = 1; resend <= 4; ++resend, now += 31) {
        SCOPED_TRACE(resend);
        EXPECT_EQ(link.RunAt(now), (Steps{"2,17,4,!", "wait " + std::to_string(now + 31)}));
    }
    EXPECT_EQ(link.RunAt(now), (Steps{"2,17,4,!", "stop"})) << "fifth resend, then at once stop";
}

TEST(Sender, AnAcknowledgementOfTheServerResetsTheResendCount) {
    Link link;
    link.state.sequence = 1;
    link.acknowledged = 1;
    link.queue = {"17,4,!"};
    link.RunAt(1000);
    std::int64_t now = 1031;
    for (int resend = 1; resend <= 4; ++resend, now += 31)
        link.RunAt(now);
    link.pending = 40;  // steady server traffic
    EXPECT_EQ(link.RunAt(now), (Steps{"2,40,!", "2,17,4,!", "wait " + std::to_string(now + 31)}));
    EXPECT_EQ(link.state.resendCount, 1);
}

TEST(Sender, KeepAliveAndNewMessagesResetTheResendCountToo) {
    Link link;
    link.state.sequence = 3;
    link.acknowledged = 3;
    link.state.resendCount = 4;
    link.queue = {"54,7,!"};
    EXPECT_EQ(link.RunAt(1000), (Steps{"4,54,7,!", "wait 1031"}));
    EXPECT_EQ(link.state.resendCount, 0);
}

TEST(Sender, StopsWhenTheConnectionEnds) {
    Link link;
    link.queue = {"10,0,!"};
    link.pending = 3;
    link.connected = false;
    EXPECT_EQ(link.RunAt(1000), (Steps{"stop"})) << "nothing more is sent once disconnected";
}

TEST(Sender, AnAcknowledgementForANumberNeverSentStallsTheQueueUntilItGivesUp) {
    // The dispatch takes "2,1,!" although nothing was sent: the sender then believes a
    // message is outstanding, resends its (empty) last text and finally gives up, which
    // ends the connection; queued messages never go out meanwhile.
    Link link;
    link.acknowledged = 1;
    link.queue = {"10,0,!"};
    EXPECT_EQ(link.RunAt(1000), (Steps{"wait 1031"}));
    std::int64_t now = 1031;
    for (int resend = 1; resend <= 4; ++resend, now += 31)
        EXPECT_EQ(link.RunAt(now), (Steps{"", "wait " + std::to_string(now + 31)}));
    EXPECT_EQ(link.RunAt(now), (Steps{"", "stop"}));
    EXPECT_EQ(link.queue.size(), 1u);
}

}  // namespace
