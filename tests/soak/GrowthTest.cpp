// If this fails, the soak passes a leak or fails a console that has settled.
#include "tests/soak/Growth.h"

#include <gtest/gtest.h>

namespace {

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
        std::vector<double> samples;
        double allowance;
        bool levelled;
    } cases[] = {{Thirds(0, 100, 200), 50, false}, {Thirds(0, 100, 120), 10, true},    {spike, 1, true},
                 {Thirds(0, 0, 5), 5, true},       {Thirds(0, 0, 5.5), 5, false},      {Thirds(0, 20, 30), 5, true},
                 {Thirds(0, 20, 31), 5, false},    {{1, 100, 200, 300, 400}, 0, true}, {{0, 0, 0, 0, 9, 9}, 1, false}};
    for (const auto &c : cases) EXPECT_EQ(c.levelled, soak::JudgeGrowth(c.samples, c.allowance).levelled) << &c - cases;
}

}  // namespace
