// Shares one length among items along a layout's axis, free of the platform.
// Fixed items keep their (clamped) length; the rest share what is left equally,
// each clamped to its min/max, the clamped ones' surplus or shortfall going to the others.
#pragma once

#include <climits>
#include <vector>

namespace uilib {

struct AxisItem {
    int fixed = 0;  // 0: stretches
    int minLen = 0;
    int maxLen = 9999;
    int length = 0;  // result
};

void ShareAxis(std::vector<AxisItem> &items, int available);

// Sums of many lengths are kept in 64 bits and brought back into int range to be used.
inline int SaturatedInt(long long v) { return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v); }

}  // namespace uilib
