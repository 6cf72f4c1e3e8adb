// The summary line of a benchmark's latency samples, shared by the native echo peer and
// the Windows round-trip program.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// "p50_us=... p99_us=... max_us=... mean_us=..." of `micros` (sorted here).
inline std::string LatencySummary(std::vector<double>& micros) {
    if (micros.empty()) return "p50_us=0 p99_us=0 max_us=0 mean_us=0";
    double sum = 0;
    for (double value : micros)
        sum += value;
    std::sort(micros.begin(), micros.end());
    auto percentile = [&](double p) {
        return micros[std::min(micros.size() - 1, static_cast<std::size_t>(p * micros.size()))];
    };
    char text[160];
    std::snprintf(text, sizeof text, "p50_us=%.1f p99_us=%.1f max_us=%.1f mean_us=%.1f",
                  percentile(0.50), percentile(0.99), micros.back(),
                  sum / static_cast<double>(micros.size()));
    return text;
}
