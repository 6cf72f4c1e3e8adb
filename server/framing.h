// Cuts the client's byte stream into messages at "!", keeping the unfinished tail between
// reads, with a bound on how much may arrive without a "!".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMessageLimit = std::size_t{64} << 20;

struct MessageReader {
    std::string tail;  // bytes after the last "!" seen
    std::size_t limit = kMessageLimit;
};

// Appends `bytes`; every completed message, without its "!", goes to `messages`. False
// when the unfinished tail has grown past the limit: the sender is to be dropped.
bool FeedMessages(MessageReader& reader, std::string_view bytes,
                  std::vector<std::string>& messages);
