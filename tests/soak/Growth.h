// The soak's test of whether a sampled figure (memory, handles) levels off. The samples,
// equally spaced in time, are cut into thirds; each third's level is the median of its
// samples, so that a passing spike counts for nothing. early = middle level - first level,
// late = last level - middle level. The figure has levelled off when late is within the
// allowance (a growth too small to matter in one third of the run), or when late is at
// most half of early (the growth is dying away). Steady growth fails both.
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
