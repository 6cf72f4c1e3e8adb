// Helpers the lobby's message handlers share.
#pragma once

#include <cstdint>
#include <string>

#include "lobby/join_requests.h"
#include "lobby/relay.h"
#include "net/notification_codes.h"
#include "net/text_convert.h"
#include "net/wire.h"

inline std::int32_t NumberField(const FieldList& fields, std::size_t index) {
    return TextToInt(FieldAt(fields, index));
}

inline std::uintptr_t RelayCodeField(const FieldList& fields, std::size_t index) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(NumberField(fields, index)));
}

// Join requests for which `test` holds are forgotten; the open ones' windows are told to
// close (code 1). Walked from the end.
template <class Test>
void DropJoinRequests(Test test) {
    for (WindowRef window : RemoveJoinRequestsWhere(test))
        SendCodeToSibling(window, NC_HUB_CLOSING, 0);
}

inline std::string Pair(std::int32_t first, char separator, std::int32_t second) {
    std::string text = IntToText(first);
    text += separator;
    text += IntToText(second);
    return text;
}
