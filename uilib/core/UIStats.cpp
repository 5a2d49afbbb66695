#include "uilib/core/UIStats.h"

#include <windows.h>

namespace uilib {

namespace {

StatsTotals gTotals = {};
int gDepth[kStatsStepCount] = {};

long long Ticks() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double TicksToMs(long long ticks) {
    static const double perMs = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / perMs;
}

}  // namespace

const StatsTotals &GetStats() { return gTotals; }

const char *StatsStepName(StatsStep step) {
    static const char *const kNames[kStatsStepCount] = {"skin read and build", "image decode", "layout", "paint"};
    return step >= 0 && step < kStatsStepCount ? kNames[step] : "";
}

StatsScope::StatsScope(StatsStep step) : m_step(step), m_start(gDepth[step]++ == 0 ? Ticks() : 0) {}

StatsScope::~StatsScope() {
    --gDepth[m_step];
    if (m_start == 0) return;
    gTotals.ms[m_step] += TicksToMs(Ticks() - m_start);
    ++gTotals.count[m_step];
}

}  // namespace uilib
