// Scenarios describe the test worlds: a fault here silently misreads one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "standin/core/Scenario.h"

using namespace standin;

namespace {

TEST(Scenario, ParsesEveryDirective) {
    const char *text = "# a test world\n"
                       "report-interval 500\n"
                       "rejoin-delay 100\n"
                       "record-first 10\nrecord-interval 2000\nrecord-length 700\n"
                       "recording on\nsound off\nlocate record\nclear\n"
                       "station BS-1 version=2 channel=9 callmagic=42 zonemagic=3 repeater=-1 ip=10.1.2.3 "
                       "mask=255.255.0.0 proxy2=1.2.3.4 present=0-5,10.5- period=30\n"
                       "station \"BS 2\"\n"
                       "call 2024-01-02 03:04:05 seconds=3 name=first.wav inuse=1\n"
                       "call 2024-01-02 03:04:06\n"
                       "inuse other.wav\n"
                       "fault tick\n";
    Scenario s;
    std::string error;
    ASSERT_TRUE(ParseScenario(text, &s, &error)) << error;
    EXPECT_EQ(500, s.reportIntervalMs);
    EXPECT_EQ(100, s.rejoinDelayMs);
    EXPECT_EQ(700, s.recorder.lengthMs);
    EXPECT_TRUE(s.recording && s.clear && !s.sound && !s.locateOpens);
    ASSERT_EQ(2u, s.stations.size());
    const BsConfig &c = s.stations[0].config;
    EXPECT_EQ(9, c.Channel);
    EXPECT_EQ(-1, c.RepeaterMode);
    EXPECT_EQ("10.1.2.3", FormatAddress(c.IpAddr));
    const unsigned char *ip = reinterpret_cast<const unsigned char *>(&c.IpAddr);
    EXPECT_EQ(10, ip[0]) << "network byte order: first octet first";
    EXPECT_EQ("1.2.3.4", FormatAddress(c.Proxy2));
    EXPECT_EQ((std::vector<std::pair<int64_t, int64_t>>{{0, 5000}, {10500, -1}}), s.stations[0].presence);
    EXPECT_EQ(30000, s.stations[0].periodMs);
    EXPECT_EQ("BS 2", s.stations[1].serial);
    ASSERT_EQ(2u, s.calls.size());
    EXPECT_EQ("first.wav", s.calls[0].name);
    EXPECT_TRUE(s.calls[0].inUse);
    EXPECT_EQ(1, s.calls[1].start - s.calls[0].start);
    EXPECT_EQ((std::vector<std::string>{"other.wav"}), s.inUse);
    EXPECT_TRUE(s.faultTick && !s.faultInit);
}

TEST(Scenario, TheReadmeExampleParses) {
    std::ifstream in(STANDIN_README);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t open = text.find("```\n", text.find("## Scenario file")) + 4;
    ASSERT_LT(open, text.size()) << STANDIN_README;
    Scenario s;
    std::string error;
    EXPECT_TRUE(ParseScenario(text.substr(open, text.find("```", open) - open), &s, &error)) << error;
    EXPECT_EQ(500, s.reportIntervalMs);
    EXPECT_EQ(1u, s.stations.size());
}

TEST(Scenario, ErrorsNameTheLine) {
    for (const char *text :
         {"\n# ok\nstation A channel=x\n", "\n\ncall 2024-02-30 00:00:00\n",
          "\n\ncall 2024-01-01 00:00:00 name=../x.wav\n", "\n\nfrobnicate\n", "\n\nreport-interval -5\n",
          "\n\nstation A present=5-2\n", "\n\nstation A ip=1.2.3\n", "\n\nstation A ip=256.1.1.1\n",
          "\n\nstation A present=nan-\n", "\n\nstation A present=0-nan\n", "\n\nstation A period=nan\n",
          "\n\nstation A period=inf\n", "\n\nstation A present=0-infinity\n", "\n\nfault everything\n"}) {
        Scenario s;
        std::string error;
        EXPECT_FALSE(ParseScenario(text, &s, &error)) << text;
        EXPECT_EQ(0u, error.find("line 3")) << error;
    }
}

TEST(Scenario, TheDemoHasSixStationsTheLastComingAndGoing) {
    const Scenario s = DemoScenario();
    ASSERT_EQ(6u, s.stations.size());
    EXPECT_NE(s.stations[0].serial, s.stations[5].serial);
    EXPECT_TRUE(s.stations[4].presence.empty() && !s.stations[5].presence.empty());
}

}  // namespace
