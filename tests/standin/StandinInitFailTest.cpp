// A data folder that cannot be used: BmSrvInitialize reports it, recording and playback
// refuse quietly instead of crashing the console, and the stations still answer.
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

    // (A closed call store's answers are the call store test's.)
    char file[100] = "a.wav";
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
