// Station life as the console sees it: a fault here makes rows vanish, linger, or come back
// with stale settings, or hands the console a record that changes under its feet.
#include "standin/core/StationNetwork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace standin;

namespace {

StationSpec Spec(const char *serial, int channel) {
    StationSpec s;
    s.serial = serial;
    s.config.Channel = channel;
    s.config.Version = 1;
    return s;
}

std::vector<std::string> Serials(const std::vector<Report> &reports) {
    std::vector<std::string> out;
    for (const Report &r : reports) out.push_back(r.serial);
    return out;
}

TEST(StationNetwork, ReportsStatusSetConfigDeleteAndReportAgain) {
    StationNetwork net(0);
    net.SetTiming(3000, 500);
    net.AddStation(Spec("A", 5));
    net.AddStation(Spec("B", 6));

    std::vector<Report> first = net.DueReports(0);
    ASSERT_EQ((std::vector<std::string>{"A", "B"}), Serials(first));
    const char *serialA = first[0].serial;
    BsConfig *recordA = first[0].record;
    EXPECT_EQ(5, recordA->Channel);
    EXPECT_TRUE(net.DueReports(2999).empty());
    std::vector<Report> again = net.DueReports(3000);
    ASSERT_EQ(2u, again.size());
    EXPECT_EQ(serialA, again[0].serial) << "the same serial storage every time";
    EXPECT_EQ(recordA, again[0].record) << "unchanged settings, same record";

    BsConfig out{};
    EXPECT_EQ(1, net.Status("A", &out, 3100));
    EXPECT_EQ(5, out.Channel);
    EXPECT_EQ(0, net.Status("nobody", &out, 3100));

    BsConfig pushed = out;
    pushed.Channel = 77;
    EXPECT_EQ(0, net.SetConfig("A", pushed, 3200));
    EXPECT_EQ(1, net.SetConfig("nobody", pushed, 3200));
    EXPECT_EQ(0, net.Delete("A", 3200));
    EXPECT_EQ(0, net.Status("A", &out, 3300)) << "forgotten until it reports again";
    EXPECT_TRUE(net.DueReports(3600).empty()) << "rejoin delay not yet over";
    std::vector<Report> back = net.DueReports(3700);
    ASSERT_EQ((std::vector<std::string>{"A"}), Serials(back));
    EXPECT_EQ(77, back[0].record->Channel);
    EXPECT_NE(recordA, back[0].record);
    EXPECT_EQ(5, recordA->Channel) << "a record once reported never changes";
    EXPECT_EQ(serialA, back[0].serial);
    EXPECT_EQ(1, net.Status("A", &out, 3800));
    EXPECT_EQ(77, out.Channel);
}

TEST(StationNetwork, PresenceFollowsTheTimelineAndManualOverrides) {
    StationNetwork net(1000);
    net.SetTiming(3000, 0);
    StationSpec s = Spec("P", 1);
    s.presence = {{0, 40000}};
    s.periodMs = 60000;
    net.AddStation(s);
    BsConfig out{};
    struct {
        int64_t at;
        int status;
    } timeline[] = {{1000, 1}, {40999, 1}, {41000, 0}, {60999, 0}, {61000, 1}, {101000, 0}, {121000, 1}};
    for (const auto &p : timeline) EXPECT_EQ(p.status, net.Status("P", &out, p.at)) << p.at;

    ASSERT_EQ(1u, net.DueReports(1000).size());
    EXPECT_TRUE(net.DueReports(50000).empty()) << "absent stations are silent";
    EXPECT_EQ(1u, net.DueReports(61000).size()) << "a returning station reports at once";

    ASSERT_TRUE(net.Drop("P"));
    EXPECT_EQ(0, net.Status("P", &out, 61000));
    EXPECT_EQ(2, net.SetConfig("P", out, 61000)) << "an absent station takes nothing";
    ASSERT_TRUE(net.Restore("P"));
    EXPECT_EQ(1, net.Status("P", &out, 50000)) << "restore overrides the timeline";
    EXPECT_FALSE(net.Drop("nobody"));
}

TEST(StationNetwork, StatusRacingSetConfigNeverSeesHalfARecord) {
    StationNetwork net(0);
    BsConfig one{}, two{};
    memset(&one, 0x11, sizeof one);
    memset(&two, 0x22, sizeof two);
    StationSpec spec = Spec("R", 1);
    spec.config = one;
    net.AddStation(spec);
    std::atomic<bool> stop{false};
    int torn = 0;
    std::thread pusher([&] {
        for (int i = 0; i < 20000; ++i) net.SetConfig("R", i % 2 ? one : two, 0), net.DueReports(i);
        stop = true;
    });
    while (!stop) {
        BsConfig out{};
        const unsigned char *b = reinterpret_cast<const unsigned char *>(&out);
        torn += net.Status("R", &out, 0) == 0 || memcmp(b, b + 1, sizeof out - 1) != 0;
    }
    pusher.join();
    EXPECT_EQ(0, torn);
}

}  // namespace
