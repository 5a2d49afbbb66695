// Whether a sampled figure levels off: each third's level is its median (a spike counts for
// nothing); levelled when the last third's growth is within the allowance or at most half
// the second third's (dying away). Steady growth fails both.

#pragma once

#include <algorithm>
#include <vector>

namespace soak {

struct GrowthVerdict {
    bool levelled = true;  // also with fewer than 6 samples: too few to cut into thirds
    double early = 0, late = 0;
};

inline GrowthVerdict JudgeGrowth(const std::vector<double> &samples, double allowance) {
    GrowthVerdict v;
    const size_t third = samples.size() / 3;
    if (third < 2) return v;
    auto median = [](std::vector<double>::const_iterator from, std::vector<double>::const_iterator to) {
        std::vector<double> part(from, to);
        std::sort(part.begin(), part.end());
        const size_t n = part.size();
        return n % 2 ? part[n / 2] : (part[n / 2 - 1] + part[n / 2]) / 2;
    };
    const double first = median(samples.begin(), samples.begin() + third);
    const double middle = median(samples.begin() + third, samples.end() - third);
    v.early = middle - first;
    v.late = median(samples.end() - third, samples.end()) - middle;
    v.levelled = v.late <= allowance || v.late <= v.early / 2;
    return v;
}

}  // namespace soak
