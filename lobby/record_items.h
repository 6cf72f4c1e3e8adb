// The items of one record of a list field, read and written. Records shorter than a
// handler reads are taken with the missing items empty, which reads as the number 0 and as
// an empty name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/text_convert.h"

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

inline void ReadItem(std::string_view item, std::int32_t& number) {
    number = TextToInt(item);
}
inline void ReadItem(std::string_view item, std::wstring& name) {
    name = WideFromUtf8(item);
}

// A record whose items are `fields` in order: a number read as one, a name as UTF-8.
template <class Record, class... Field>
Record ReadRecord(std::string_view text, Field Record::*... fields) {
    const auto items = RecordItems<sizeof...(Field)>(text);
    Record record{};
    std::size_t n = 0;
    (ReadItem(items[n++], record.*fields), ...);
    return record;
}

inline void WriteItem(std::string& text, std::int32_t number) {
    text += IntToText(number);
}
inline void WriteItem(std::string& text, const std::wstring& name) {
    text += Utf8FromWide(name);
}

// The record's `fields` appended as items: ":" between them, ";" after the last.
template <class Record, class... Field>
void AppendRecord(std::string& text, const Record& record, Field Record::*... fields) {
    bool first = true;
    ((text += first ? "" : ":", first = false, WriteItem(text, record.*fields)), ...);
    text += ';';
}
