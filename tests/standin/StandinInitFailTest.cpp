// A data folder that cannot be used: BmSrvInitialize reports it, and every call still
// answers with empty results instead of crashing the console.
#include <windows.h>

#include <gtest/gtest.h>

#include "service/BmHalApi.h"
#include "service/BmService.h"
#include "tests/standin/TestFolder.h"

namespace {

TEST(StandinInitFail, UnusableDataFolderGivesANegativeResultAndEmptyAnswers) {
    TestFolder folder;
    std::wstring notAFolder = folder.File(L"plain-file");
    ASSERT_TRUE(WriteBytes(notAFolder, "x"));
    std::wstring scenario = folder.File(L"scenario.txt");
    ASSERT_TRUE(WriteBytes(scenario, "station ONLY-ONE channel=5\n"));
    SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", scenario.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_DATA", notAFolder.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    SetEnvironmentVariableW(L"BM_STANDIN_PIPE",
                            (L"\\\\.\\pipe\\standin-initfail-" + std::to_wstring(GetCurrentProcessId())).c_str());
    EXPECT_LT(BmSrvInitialize(), 0);

    char one = '1', name[100] = "keep", file[100] = "a.wav";
    int id = -3;
    EXPECT_NE(0, DbGetCallFirst(0, &one, &id, name, "2024-01-01 00:00:00", "2024-12-31 23:59:59", 0, 17));
    EXPECT_STREQ("keep", name);
    EXPECT_NE(0, DbDeleteCallItem(file, 1));
    VoicePlayFile(file, 1);
    EXPECT_EQ(0, VoicePlayFileTotalFrameNum());
    VoiceRecordFlag(1);
    VoiceRecordFlag(0);
    EXPECT_EQ(0, VoiceGetRecordFlag());
    // The stations do not depend on the data folder.
    char serial[100] = "ONLY-ONE";
    BsConfig out{};
    EXPECT_NE(0, BmHalBsStatus(serial, &out));
    EXPECT_EQ(5, out.Channel);
}

}  // namespace
