// The join requests the server has sent that are not yet answered, in arrival order. Only
// the functions below change the list.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "lobby/id_index.h"
#include "lobby/records.h"

const std::vector<JoinRecord>& JoinRequests();
// Position of the first request with this id, kNotFound when there is none.
std::size_t FirstJoinRequest(std::int32_t joinId);
void AddJoinRequest(const JoinRecord& join);
// Takes the request at `position` out of the list.
JoinRecord TakeJoinRequestAt(std::size_t position);
// The newest request with this id that has no window yet gets `window`.
void GiveJoinRequestItsWindow(std::int32_t joinId, WindowRef window);
// Removes every request for which test(request) holds, the order of the rest kept; the
// windows of the removed ones that had one open, newest first.
std::vector<WindowRef> RemoveJoinRequestsWhere(const std::function<bool(const JoinRecord&)>& test);
void ClearJoinRequests();
