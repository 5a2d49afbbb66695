// The two stand-in DLLs through their exports, as the console uses them, with a scenario
// and the control pipe. If these fail, the console's end-to-end runs meet a network that
// does not behave like the libraries' contract.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "service/BmHalApi.h"
#include "service/BmService.h"
#include "tests/standin/PeExports.h"
#include "tests/standin/TestFolder.h"
#include "tests/support/WaitFor.h"

using testsupport::WaitFor;

namespace {

const char kScenario[] = "# world of the DLL tests\n"
                         "report-interval 300\n"
                         "rejoin-delay 200\n"
                         "record-first 100\nrecord-interval 600000\nrecord-length 800\n"
                         "locate record\n"
                         "clear\n"
                         "station DLL-A version=4 channel=11 callmagic=1111 zonemagic=2 ip=10.0.0.1\n"
                         "station DLL-B channel=22 present=0-1.5\n"
                         "station DLL-R channel=33\n"
                         "call 2024-07-01 09:00:00 seconds=2 name=july1.wav\n"
                         "call 2024-07-01 10:00:00 seconds=1 name=july2.wav inuse=1\n"
                         "call 2024-07-02 00:00:00 seconds=1 name=july3.wav\n";

struct Seen {
    std::string serial;
    const char *serialPtr;
    BsConfig *recordPtr;
    BsConfig record;
};

std::mutex g_seenMutex;
std::vector<Seen> g_seen;

int BM_CALL OnReport(const char *serial, BsConfig *record) {
    std::lock_guard<std::mutex> lock(g_seenMutex);
    g_seen.push_back({serial, serial, record, *record});
    return 1;
}

std::vector<Seen> SeenFrom(const std::string &serial) {
    std::lock_guard<std::mutex> lock(g_seenMutex);
    std::vector<Seen> out;
    for (const Seen &s : g_seen)
        if (s.serial == serial) out.push_back(s);
    return out;
}

std::wstring g_pipeName;
TestFolder *g_folder = nullptr;
int g_initResult = -99;

class StandinWorld : public ::testing::Environment {
public:
    void SetUp() override {
        g_folder = new TestFolder();
        std::wstring scenario = g_folder->File(L"scenario.txt");
        WriteBytes(scenario, kScenario);
        g_pipeName = L"\\\\.\\pipe\\standin-dll-test-" + std::to_wstring(GetCurrentProcessId());
        SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", scenario.c_str());
        SetEnvironmentVariableW(L"BM_STANDIN_DATA", g_folder->File(L"data").c_str());
        SetEnvironmentVariableW(L"BM_STANDIN_PIPE", g_pipeName.c_str());
        SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
        g_initResult = BmSrvInitialize();
        BmSrvSetCbProcBsReportInfo(&OnReport);
    }
};

const auto *g_world = ::testing::AddGlobalTestEnvironment(new StandinWorld);

// One request on the control pipe; the answer's lines, the last being "ok..."/"error...".
std::vector<std::string> Ask(const std::string &request) {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    WaitFor([&] {
        pipe = CreateFileW(g_pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return pipe != INVALID_HANDLE_VALUE;
    });
    std::vector<std::string> lines;
    if (pipe == INVALID_HANDLE_VALUE) return lines;
    std::string line = request + "\n", pending;
    DWORD n = 0;
    WriteFile(pipe, line.data(), static_cast<DWORD>(line.size()), &n, nullptr);
    char buf[4096];
    bool done = false;
    while (!done && ReadFile(pipe, buf, sizeof buf, &n, nullptr) && n > 0) {
        pending.append(buf, n);
        size_t eol;
        while ((eol = pending.find('\n')) != std::string::npos) {
            lines.push_back(pending.substr(0, eol));
            pending.erase(0, eol + 1);
            if (lines.back().rfind("ok", 0) == 0 || lines.back().rfind("error", 0) == 0) done = true;
        }
    }
    CloseHandle(pipe);
    return lines;
}

std::string Last(const std::vector<std::string> &lines) { return lines.empty() ? "" : lines.back(); }

int Status(const char *serial, BsConfig *out = nullptr) {
    char buf[100];
    snprintf(buf, sizeof buf, "%s", serial);
    BsConfig scratch{};
    return BmHalBsStatus(buf, out ? out : &scratch);
}

struct Row {
    int id;
    std::string name;
};

std::vector<Row> Query(const char *from, const char *to, int offset = 0, int count = 17) {
    std::vector<Row> rows;
    char one = '1', name[100];
    int id = 0;
    if (DbGetCallFirst(0, &one, &id, name, from, to, offset, count) != 0) return rows;
    rows.push_back({id, name});
    while (DbGetCallNext(name, &id) == 0) rows.push_back({id, name});
    return rows;
}

TEST(StandinDll, ExportExactlyTheTables) {
    struct {
        const wchar_t *file;
        std::vector<std::string> names;
    } dlls[] = {
        {L"BmService.dll",
         {"BmSrvInitialize", "BmSrvSetCbProcBsReportInfo", "DbDeleteCallItem", "DbGetCallFirst", "DbGetCallNext",
          "LocateVoiceFile", "VoiceDeleteFile", "VoiceExitPlayFile", "VoiceFileIsUsing",
          "VoiceGetPlayFileCurFrameIndex", "VoiceGetRecordFlag", "VoiceGetStopFlag", "VoicePlayFile",
          "VoicePlayFileTotalFrameNum", "VoiceRecordFlag", "VoiceSetPlayFilePostion", "VoiceSetStopFlag"}},
        {L"BmHalApi.dll", {"BmHalBsDelete", "BmHalBsSetConfig", "BmHalBsStatus"}},
    };
    for (auto &d : dlls) {
        PeExports e = ReadPeExports(ReadBytes(d.file));
        ASSERT_TRUE(e.ok) << "unreadable export table";
        std::vector<std::string> names = e.names;
        std::sort(names.begin(), names.end());
        EXPECT_EQ(d.names, names);
        EXPECT_EQ(d.names.size(), e.functions) << "no exports by ordinal only";
    }
}

TEST(StandinDll, InitialisesFromTheScenario) {
    EXPECT_EQ(0, g_initResult);
    EXPECT_EQ(0, BmSrvInitialize()) << "a second call answers the same";
    EXPECT_EQ("ok 3", Last(Ask("count")));
}

TEST(StandinDll, StationReportsTakesSettingsForgetsAndReportsAgain) {
    ASSERT_TRUE(WaitFor([] { return SeenFrom("DLL-A").size() >= 2; }));
    std::vector<Seen> seen = SeenFrom("DLL-A");
    EXPECT_EQ(seen[0].serialPtr, seen[1].serialPtr);
    EXPECT_EQ(seen[0].recordPtr, seen[1].recordPtr);
    EXPECT_EQ(11, seen[0].record.Channel);
    EXPECT_EQ(1111, seen[0].record.CallMagic);

    BsConfig out{};
    ASSERT_NE(0, Status("DLL-A", &out));
    EXPECT_EQ(0, memcmp(&out, &seen[0].record, sizeof out));
    EXPECT_EQ(0, Status("NO-SUCH-STATION"));

    char serial[28] = "DLL-A";
    BsConfig pushed = out;
    pushed.Channel = 99;
    pushed.Reserved1 = 0;
    EXPECT_EQ(0, BmHalBsSetConfig(serial, &pushed));
    EXPECT_EQ(0, BmHalBsDelete(serial));
    EXPECT_EQ(0, Status("DLL-A")) << "forgotten until it reports again";
    ASSERT_TRUE(WaitFor([] {
        for (const Seen &s : SeenFrom("DLL-A"))
            if (s.record.Channel == 99) return true;
        return false;
    }));
    EXPECT_NE(0, Status("DLL-A", &out));
    EXPECT_EQ(99, out.Channel);
    EXPECT_EQ(11, seen[0].recordPtr->Channel) << "records once reported never change";
    EXPECT_STREQ("DLL-A", seen[0].serialPtr);
    std::vector<std::string> log = Ask("log");
    EXPECT_NE(log.end(), std::find_if(log.begin(), log.end(), [](const std::string &l) {
                  return l.find("setconfig \"DLL-A\" result=0 version=4 reserved1=0 channel=99") != std::string::npos;
              }));
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "= delete \"DLL-A\" result=0"));
}

TEST(StandinDll, AStationLeavesWhenItsTimelineEnds) {
    ASSERT_TRUE(WaitFor([] { return Status("DLL-B") == 0; }, 10000));
    EXPECT_NE(0, Status("DLL-R"));
}

TEST(StandinDll, StatusCallsRacingPushesSeeWholeRecords) {
    BsConfig one{}, two{};
    memset(&one, 0x31, sizeof one);
    memset(&two, 0x42, sizeof two);
    char serial[100] = "DLL-R";
    ASSERT_EQ(0, BmHalBsSetConfig(serial, &one));
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0}, calls{0};
    std::thread poller([&] {
        char s[100] = "DLL-R";
        while (!stop) {
            BsConfig out{};
            int r = BmHalBsStatus(s, &out);
            ++calls;
            if (r == 0 || (memcmp(&out, &one, sizeof out) != 0 && memcmp(&out, &two, sizeof out) != 0)) ++bad;
        }
    });
    for (int i = 0; i < 3000; ++i) BmHalBsSetConfig(serial, i % 2 ? &one : &two);
    WaitFor([&] { return calls.load() > 1000; });
    stop = true;
    poller.join();
    EXPECT_EQ(0, bad.load());
    EXPECT_GT(calls.load(), 0);
}

TEST(StandinDll, ThePipeAddsStationsAndCalls) {
    EXPECT_EQ("ok", Last(Ask("station add DLL-C channel=44 ip=192.168.1.9")));
    ASSERT_TRUE(WaitFor([] { return !SeenFrom("DLL-C").empty(); }));
    EXPECT_EQ(44, SeenFrom("DLL-C")[0].record.Channel);
    EXPECT_EQ("ok", Last(Ask("station drop DLL-C")));
    EXPECT_EQ(0, Status("DLL-C"));
    EXPECT_EQ("ok", Last(Ask("station restore DLL-C")));
    EXPECT_NE(0, Status("DLL-C"));
    EXPECT_EQ(0u, Last(Ask("station drop NOBODY")).find("error"));
    std::string added = Last(Ask("call add 2024-07-03 08:00:00 seconds=1"));
    ASSERT_EQ(0u, added.find("ok "));
    std::vector<Row> rows = Query("2024-07-03 00:00:00", "2024-07-03 23:59:59");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("ok " + std::to_string(rows[0].id) + " " + rows[0].name, added);
    EXPECT_EQ(0u, Last(Ask("call add 2024-02-30 08:00:00")).find("error"));
    EXPECT_EQ(0u, Last(Ask("launch rockets")).find("error"));
}

TEST(StandinDll, RecordingFilesNewCallsInUseUntilTheyEnd) {
    std::string before = Last(Ask("count"));
    VoiceRecordFlag(1);
    EXPECT_NE(0, VoiceGetRecordFlag());
    std::string name;
    ASSERT_TRUE(WaitFor([&] {
        std::string r = Last(Ask("record"));
        if (r.size() > 5) name = r.substr(5);
        return !name.empty();
    }));
    EXPECT_NE(before, Last(Ask("count")));
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    EXPECT_NE(0, VoiceFileIsUsing(buf.data(), 0));
    ASSERT_TRUE(WaitFor([&] { return VoiceFileIsUsing(buf.data(), 0) == 0; }));
    VoiceRecordFlag(0);
    EXPECT_EQ(0, VoiceGetRecordFlag());
}

TEST(StandinDll, BadArgumentsFailWithoutHarm) {
    char noNul[200];
    memset(noNul, 'A', sizeof noNul);
    BsConfig rec{};
    EXPECT_EQ(0, BmHalBsStatus(nullptr, &rec));
    EXPECT_EQ(0, BmHalBsStatus(noNul, &rec));
    char a[100] = "DLL-A";
    EXPECT_EQ(0, BmHalBsStatus(a, nullptr));
    EXPECT_NE(0, BmHalBsSetConfig(nullptr, &rec));
    EXPECT_NE(0, BmHalBsSetConfig(noNul, &rec));
    EXPECT_NE(0, BmHalBsSetConfig(a, nullptr));
    EXPECT_NE(0, BmHalBsDelete(nullptr));
    EXPECT_NE(0, BmHalBsDelete(noNul));
    char one = '1', name[100];
    int id = 0;
    EXPECT_NE(0, DbGetCallFirst(0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 17));
    EXPECT_NE(0, DbGetCallFirst(0, &one, &id, name, noNul, noNul, 0, 17));
    EXPECT_NE(0,
              DbGetCallFirst(0, &one, &id, name, "2024-07-01 00:00:00", "2024-07-01 23:59:59", 0x7fffffff, 0x7fffffff));
    EXPECT_NE(0, DbGetCallNext(nullptr, nullptr));
    for (char *n : {static_cast<char *>(nullptr), noNul}) {
        EXPECT_NE(0, DbDeleteCallItem(n, 1));
        EXPECT_NE(0, VoiceDeleteFile(n, 1));
        EXPECT_NE(0, VoiceFileIsUsing(n, 1));
        EXPECT_NE(0, LocateVoiceFile(n, 1));
        VoicePlayFile(n, 1);
        EXPECT_EQ(0, VoicePlayFileTotalFrameNum());
    }
    EXPECT_EQ(2u, Query("2024-07-01 00:00:00", "2024-07-01 23:59:59").size()) << "nothing lost";
    EXPECT_NE(0, BmSrvSetCbProcBsReportInfo(nullptr));
    BmSrvSetCbProcBsReportInfo(&OnReport);
}

}  // namespace
