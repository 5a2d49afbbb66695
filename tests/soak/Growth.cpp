#include "tests/soak/Growth.h"

#include <algorithm>

namespace soak {

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

GrowthVerdict JudgeGrowth(const std::vector<double> &samples, double allowance) {
    GrowthVerdict v;
    const size_t third = samples.size() / 3;
    if (third < 2) return v;
    const auto at = samples.begin();
    const double first = Median(std::vector<double>(at, at + third));
    const double middle = Median(std::vector<double>(at + third, samples.end() - third));
    const double last = Median(std::vector<double>(samples.end() - third, samples.end()));
    v.judged = true;
    v.early = middle - first;
    v.late = last - middle;
    v.levelled = v.late <= allowance || v.late <= v.early / 2;
    return v;
}

}  // namespace soak
