// A data folder that cannot be used and a network tick that throws: if these fail, the
// console is told a broken store started, or loses its station reports for good.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "service/BmHalApi.h"
#include "service/BmService.h"
#include "tests/standin/TestFolder.h"
#include "tests/support/WaitFor.h"

namespace {

std::atomic<int> g_reports{0};
TestFolder g_folder;

int BM_CALL OnReport(const char *, BsConfig *) { return ++g_reports; }

int Initialize() {
    WriteBytes(g_folder.File(L"plain-file"), "x");
    WriteBytes(g_folder.File(L"scenario.txt"), "report-interval 50\nstation ONLY-ONE channel=5\nfault tick\n");
    SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", g_folder.File(L"scenario.txt").c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_DATA", g_folder.File(L"plain-file").c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    return BmSrvInitialize();
}
const int g_initResult = Initialize();

TEST(StandinFault, AnUnusableDataFolderIsReportedAndTheStationsWorkOn) {
    EXPECT_EQ(-1, g_initResult);
    char file[100] = "a.wav", serial[100] = "ONLY-ONE", one = '1';
    int id = 0;
    for (int result : {VoicePlayFile(file, 1), VoiceDeleteFile(file, 1), DbDeleteCallItem(file, 1),
                       DbGetCallFirst(0, &one, &id, file, "2024-07-01 00:00:00", "2024-07-01 23:59:59", 0, 17)})
        EXPECT_EQ(4, result) << "the call store is not open";
    BsConfig out{};
    EXPECT_NE(0, BmHalBsStatus(serial, &out));
    EXPECT_EQ(5, out.Channel);
}

TEST(StandinFault, TheNetworkThreadReportsOnAfterATickThatThrew) {
    BmSrvSetCbProcBsReportInfo(&OnReport);
    EXPECT_TRUE(testsupport::WaitFor([] { return g_reports.load() >= 3; })) << g_reports.load() << " reports";
    BmSrvSetCbProcBsReportInfo(nullptr);
}

}  // namespace
