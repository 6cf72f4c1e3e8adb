// The main window as the network threads see it: a thread-safe record of posted codes.
#include "tests/unit/fakes/main_window_fake.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "net/link.h"

namespace {
std::mutex postedMutex;
std::condition_variable postedChanged;
std::vector<int> posted;
}  // namespace

void PostToMainWindow(int code) {
    {
        std::lock_guard<std::mutex> lock(postedMutex);
        posted.push_back(code);
    }
    postedChanged.notify_all();
}

void ClearPostedCodes() {
    std::lock_guard<std::mutex> lock(postedMutex);
    posted.clear();
}

bool WaitForPostedCode(int code, int count, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(postedMutex);
    return postedChanged.wait_for(
        lock, timeout, [&] { return std::count(posted.begin(), posted.end(), code) >= count; });
}
