// The join request list and the only functions that change it.
#include "lobby/join_requests.h"

#include <iterator>

namespace {
std::vector<JoinRecord> joinRequests;
}  // namespace

const std::vector<JoinRecord>& JoinRequests() {
    return joinRequests;
}

std::size_t FirstJoinRequest(std::int32_t joinId) {
    for (std::size_t i = 0; i < joinRequests.size(); ++i)
        if (joinRequests[i].joinId == joinId) return i;
    return kNotFound;
}

void AddJoinRequest(const JoinRecord& join) {
    joinRequests.push_back(join);
}

JoinRecord TakeJoinRequestAt(std::size_t position) {
    const JoinRecord join = joinRequests.at(position);
    joinRequests.erase(joinRequests.begin() + static_cast<std::ptrdiff_t>(position));
    return join;
}

void GiveJoinRequestItsWindow(std::int32_t joinId, WindowRef window) {
    for (auto join = joinRequests.rbegin(); join != joinRequests.rend(); ++join) {
        if (join->joinId != joinId || join->windowOpen) continue;
        join->windowOpen = true;
        join->window = window;
        return;
    }
}

std::vector<WindowRef> RemoveJoinRequestsWhere(const std::function<bool(const JoinRecord&)>& test) {
    std::vector<WindowRef> open;
    for (auto join = joinRequests.rbegin(); join != joinRequests.rend(); ++join)
        if (test(*join) && join->windowOpen) open.push_back(join->window);
    std::erase_if(joinRequests, test);
    return open;
}

void ClearJoinRequests() {
    joinRequests.clear();
}
