// The soak's test of whether a sampled figure (memory, handles, threads, GDI or USER
// objects) levels off. The samples, equally spaced in time, are cut into thirds; each
// third's level is the median of its samples, so that a passing spike counts for nothing.
// early = middle level - first level, late = last level - middle level. The figure has
// levelled off when late is within the allowance (a growth too small to matter in one
// third of the run), or when late is at most half of early (the growth is dying away).
// A figure that keeps growing at the same pace fails both.
#pragma once

#include <vector>

namespace soak {

struct GrowthVerdict {
    bool judged = false;   // false: too few samples (fewer than 6) to cut into thirds
    bool levelled = true;  // true when not judged
    double early = 0, late = 0;
};

GrowthVerdict JudgeGrowth(const std::vector<double> &samples, double allowance);

}  // namespace soak
