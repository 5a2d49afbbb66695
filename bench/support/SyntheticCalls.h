// A synthetic call list for the call-store benchmarks: count calls, one every 30 s from
// 2023-01-01 00:00:00, named after their start time (start in seconds, file name).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "standin/core/DateText.h"

inline std::vector<std::pair<int64_t, std::string>> MakeSyntheticCalls(int count) {
    int64_t base = 0;
    standin::ParseDateText("2023-01-01 00:00:00", &base);
    std::vector<std::pair<int64_t, std::string>> calls;
    calls.reserve(count);
    char name[64];
    for (int i = 0; i < count; ++i) {
        const int64_t start = base + static_cast<int64_t>(i) * 30;
        const standin::CivilTime t = standin::CivilFromSeconds(start);
        snprintf(name, sizeof name, "CALL_%04d%02d%02d_%02d%02d%02d.wav", t.year, t.month, t.day, t.hour, t.minute,
                 t.second);
        calls.emplace_back(start, name);
    }
    return calls;
}
