// The median of a benchmark's samples (the upper of the two middle ones of an even count);
// 0 when there are none.
#pragma once

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
