// The soak's levelling-off test on made-up series. If this fails, the soak passes a leak
// or fails a console whose memory and handles have settled.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/soak/Growth.h"

namespace {

std::vector<double> Series(int n, const std::function<double(int)> &f) {
    std::vector<double> s;
    for (int i = 0; i < n; ++i) s.push_back(f(i));
    return s;
}

struct Case {
    const char *what;
    std::vector<double> samples;
    double allowance;
    bool judged, levelled;
};

TEST(SoakGrowth, SeriesAreJudgedByTheirLastThirdAgainstTheFirst) {
    const Case cases[] = {
        {"flat", Series(30, [](int) { return 100.0; }), 1, true, true},
        {"steady growth", Series(30, [](int i) { return 100.0 + 10 * i; }), 50, true, false},
        {"steady growth within the allowance", Series(30, [](int i) { return 100.0 + i; }), 10, true, true},
        {"warm-up then flat", Series(30, [](int i) { return i < 8 ? 100.0 * i : 800.0; }), 10, true, true},
        {"warm-up dying away", Series(30, [](int i) { return 1000.0 - 10000.0 / (i + 10); }), 10, true, true},
        {"flat then growing", Series(30, [](int i) { return i < 20 ? 100.0 : 100.0 + 50 * (i - 19); }), 10, true,
         false},
        {"one spike in the last third", Series(30, [](int i) { return i == 25 ? 1e6 : 100.0; }), 1, true, true},
        {"shrinking", Series(30, [](int i) { return 1000.0 - 10 * i; }), 0, true, true},
        {"late growth exactly the allowance", Series(30, [](int i) { return i < 20 ? 0.0 : 5.0; }), 5, true, true},
        {"late growth just past the allowance", Series(30, [](int i) { return i < 20 ? 0.0 : 5.5; }), 5, true, false},
        {"late growth half the early", Series(30, [](int i) { return i < 10   ? 0.0
                                                                     : i < 20 ? 20.0
                                                                              : 30.0; }), 5, true,
         true},
        {"late growth more than half the early", Series(30, [](int i) { return i < 10   ? 0.0
                                                                               : i < 20 ? 20.0
                                                                                        : 31.0; }),
         5, true, false},
        {"five samples", {1, 100, 200, 300, 400}, 0, false, true},
        {"none", {}, 0, false, true},
    };
    for (const Case &c : cases) {
        const soak::GrowthVerdict v = soak::JudgeGrowth(c.samples, c.allowance);
        EXPECT_EQ(c.judged, v.judged) << c.what;
        EXPECT_EQ(c.levelled, v.levelled) << c.what << ": early " << v.early << ", late " << v.late;
    }
}

}  // namespace
