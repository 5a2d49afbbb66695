// The soak's levelling-off verdict on made-up series. If this fails, the soak passes a
// leak or fails a console whose memory and handles have settled.
#include "tests/soak/Growth.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::vector<double> Series(const std::function<double(int)> &f) {
    std::vector<double> s;
    for (int i = 0; i < 30; ++i) s.push_back(f(i));
    return s;
}

TEST(SoakGrowth, SeriesAreJudgedByTheirLastThirdAgainstTheFirst) {
    const struct {
        const char *what;
        std::vector<double> samples;
        double allowance;
        bool judged, levelled;
    } cases[] = {
        {"steady growth", Series([](int i) { return 100.0 + 10 * i; }), 50, true, false},
        {"steady growth within the allowance", Series([](int i) { return 100.0 + i; }), 10, true, true},
        {"warm-up dying away", Series([](int i) { return 1000.0 - 10000.0 / (i + 10); }), 10, true, true},
        {"one spike in the last third", Series([](int i) { return i == 25 ? 1e6 : 100.0; }), 1, true, true},
        {"late growth exactly the allowance", Series([](int i) { return i < 20 ? 0.0 : 5.0; }), 5, true, true},
        {"late growth just past the allowance", Series([](int i) { return i < 20 ? 0.0 : 5.5; }), 5, true, false},
        {"late growth half the early", Series([](int i) { return i < 10   ? 0.0
                                                                 : i < 20 ? 20.0
                                                                          : 30.0; }), 5, true,
         true},
        {"late growth more than half the early", Series([](int i) { return i < 10   ? 0.0
                                                                           : i < 20 ? 20.0
                                                                                    : 31.0; }), 5,
         true, false},
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
