// The items of one record of a list field. Records shorter than a handler reads are taken
// with the missing items empty, which reads as the number 0 and as an empty name.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

template <std::size_t N>
std::array<std::string_view, N> RecordItems(std::string_view record) {
    std::array<std::string_view, N> items{};
    std::size_t start = 0;
    for (std::size_t n = 0; n < N && start < record.size(); ++n) {
        std::size_t end = record.find(':', start);
        if (end == std::string_view::npos) end = record.size();
        items[n] = record.substr(start, end - start);
        start = end + 1;
    }
    return items;
}
