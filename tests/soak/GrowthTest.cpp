// The soak's levelling-off verdict on made-up series. If this fails, the soak passes a
// leak or fails a console whose memory and handles have settled.
#include "tests/soak/Growth.h"

#include <gtest/gtest.h>

namespace {

// 30 samples: `a` for the first ten, `b` for the next ten, `c` for the last ten.
std::vector<double> Thirds(double a, double b, double c) {
    std::vector<double> s(30, a);
    std::fill(s.begin() + 10, s.end(), b);
    std::fill(s.begin() + 20, s.end(), c);
    return s;
}

TEST(SoakGrowth, SeriesAreJudgedByTheirLastThirdAgainstTheFirst) {
    std::vector<double> spike = Thirds(100, 100, 100);
    spike[25] = 1e6;
    const struct {
        const char *what;
        std::vector<double> samples;
        double allowance;
        bool judged, levelled;
    } cases[] = {
        {"steady growth", Thirds(0, 100, 200), 50, true, false},
        {"steady growth within the allowance", Thirds(0, 100, 200), 100, true, true},
        {"warm-up dying away", Thirds(0, 100, 120), 10, true, true},
        {"one spike in the last third", spike, 1, true, true},
        {"late growth exactly the allowance", Thirds(0, 0, 5), 5, true, true},
        {"late growth just past the allowance", Thirds(0, 0, 5.5), 5, true, false},
        {"late growth half the early", Thirds(0, 20, 30), 5, true, true},
        {"late growth more than half the early", Thirds(0, 20, 31), 5, true, false},
        {"five samples", {1, 100, 200, 300, 400}, 0, false, true},
        {"six samples", {0, 0, 0, 0, 9, 9}, 1, true, false},
    };
    for (const auto &c : cases) {
        const soak::GrowthVerdict v = soak::JudgeGrowth(c.samples, c.allowance);
        EXPECT_EQ(c.judged, v.judged) << c.what;
        EXPECT_EQ(c.levelled, v.levelled) << c.what << ": early " << v.early << ", late " << v.late;
    }
}

}  // namespace
