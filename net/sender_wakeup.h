// Wakes the sender thread when there is something for it to do: a new outbound message,
// a new pending acknowledgement, a new acknowledged number, or the end of the connection.
// Between events the sender sleeps until its next resend or keep-alive second is due, so
// an idle connection costs no CPU and an acknowledgement goes out at once.
#pragma once

#include <chrono>

void WakeSender();
// Waits until WakeSender is called (returns at once if it was called since the last
// wait) or `timeout` has passed. Only the sender thread waits.
void WaitForSenderWake(std::chrono::milliseconds timeout);
