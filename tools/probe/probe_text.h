// Text handling of the window probe that needs no Windows headers: numbers, target paths
// and the JSON it prints. Text arguments are decoded by net/escaped_bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Decimal with optional sign, or hexadecimal with "0x"; the whole text must match.
std::optional<std::int64_t> ParseNumber(std::string_view text);

// "Top/Child#2/Grandchild": a top-level class, then descendant classes, each with an
// optional zero-based index among the matching descendants of the previous step.
struct TargetStep {
    std::string className;
    int index = 0;
};
struct TargetPath {
    std::string topClass;
    std::vector<TargetStep> steps;
};
std::optional<TargetPath> ParseTargetPath(std::string_view text);

// A JSON string literal, quotes included. Input is UTF-8; control characters are
// escaped so that each printed object stays on one line.
std::string JsonString(std::string_view utf8);
// "0x" and upper-case hexadecimal digits, at least `width` of them.
std::string HexText(std::uint64_t value, int width = 1);
