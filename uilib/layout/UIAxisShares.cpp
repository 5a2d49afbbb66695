#include "uilib/layout/UIAxisShares.h"

#include <algorithm>

namespace uilib {

namespace {
int Clamp(const AxisItem &item, int len) {
    len = std::max(len, item.minLen);
    if (item.maxLen > 0) len = std::min(len, item.maxLen);
    return std::max(len, 0);
}
}  // namespace

void ShareAxis(std::vector<AxisItem> &items, int available) {
    std::vector<bool> settled(items.size(), false);
    long long remaining = available;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].fixed > 0) {
            items[i].length = Clamp(items[i], items[i].fixed);
            settled[i] = true;
            remaining -= items[i].length;
        }
    }
    // Items whose share breaks their limits settle at the limit; the others share again.
    for (;;) {
        int open = 0;
        for (size_t i = 0; i < items.size(); ++i) open += settled[i] ? 0 : 1;
        if (open == 0) return;
        const int share = SaturatedInt(std::max(0LL, remaining) / open);
        bool clamped = false;
        for (size_t i = 0; i < items.size(); ++i) {
            if (settled[i]) continue;
            int len = Clamp(items[i], share);
            if (len != share) {
                items[i].length = len;
                settled[i] = true;
                remaining -= len;
                clamped = true;
            }
        }
        if (clamped) continue;
        // The last open item takes the rounding rest so the items fill the space exactly.
        const int rest = SaturatedInt(std::max(0LL, remaining) - static_cast<long long>(share) * open);
        for (size_t i = 0; i < items.size(); ++i) {
            if (settled[i]) continue;
            items[i].length = share;
            if (--open == 0) items[i].length = Clamp(items[i], share + rest);
        }
        return;
    }
}

}  // namespace uilib
