// Records the notification codes that the network threads post to the main window.
#pragma once

#include <chrono>

void ClearPostedCodes();
// Waits until `code` has been posted `count` times in all; false on timeout.
bool WaitForPostedCode(int code, int count = 1,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10));
