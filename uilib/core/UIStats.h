// Running totals of the library's costly steps (skin build, image decode, layout, paint),
// read by the start-up probe and the benchmarks. Process-wide, kept on the UI thread; a
// step nested in a step of the same kind (a sub-skin built inside a skin) counts once.
#pragma once

namespace uilib {

enum StatsStep { kStatsSkinBuild, kStatsImageDecode, kStatsLayout, kStatsPaint, kStatsStepCount };

struct StatsTotals {
    double ms[kStatsStepCount];
    int count[kStatsStepCount];
};

const StatsTotals &GetStats();
const char *StatsStepName(StatsStep step);

// Adds its own lifetime to step.
class StatsScope {
public:
    explicit StatsScope(StatsStep step);
    ~StatsScope();
    StatsScope(const StatsScope &) = delete;
    StatsScope &operator=(const StatsScope &) = delete;

private:
    StatsStep m_step;
    long long m_start;  // performance-counter ticks; 0 when nested
};

}  // namespace uilib
