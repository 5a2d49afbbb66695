// The stand-in DLLs through their exports and the control pipe: if these fail, the
// console's end-to-end runs meet a network that breaks the libraries' contract.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "service/BmHalApi.h"
#include "service/BmService.h"
#include "tests/standin/TestFolder.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/WaitFor.h"

namespace {

std::atomic<int> g_channelC{0};  // the channel station DLL-C last reported
std::wstring g_pipe = L"\\\\.\\pipe\\standin-dll-test-" + std::to_wstring(GetCurrentProcessId());
TestFolder g_folder;

int BM_CALL OnReport(const char *serial, BsConfig *record) {
    if (strcmp(serial, "DLL-C") == 0) g_channelC = record->Channel;
    return 1;
}

std::string Ask(const std::string &request) { return e2e::AskStandin(g_pipe, request).status; }

// Its start-up throws at its very end: the result says so, and what started works on.
int Initialize() {
    WriteBytes(g_folder.File(L"scenario.txt"), "report-interval 300\nclear\nlocate open\nfault init\n"
                                               "call 2024-07-01 09:00:00 seconds=2 name=july1.wav\n");
    SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", g_folder.File(L"scenario.txt").c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_DATA", g_folder.File(L"data").c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_PIPE", g_pipe.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    const int result = BmSrvInitialize();
    BmSrvSetCbProcBsReportInfo(&OnReport);
    return result;
}
const int g_initResult = Initialize();

// The names the console imports, undecorated, with their spelling.
TEST(StandinDll, ExportTheLibrariesNames) {
    const struct {
        const wchar_t *file;
        std::vector<const char *> names;
    } dlls[] = {{L"BmService.dll",
                 {"BmSrvInitialize", "BmSrvSetCbProcBsReportInfo", "DbDeleteCallItem", "DbGetCallFirst",
                  "DbGetCallNext", "LocateVoiceFile", "VoiceDeleteFile", "VoiceExitPlayFile", "VoiceFileIsUsing",
                  "VoiceGetPlayFileCurFrameIndex", "VoiceGetRecordFlag", "VoiceGetStopFlag", "VoicePlayFile",
                  "VoicePlayFileTotalFrameNum", "VoiceRecordFlag", "VoiceSetPlayFilePostion", "VoiceSetStopFlag"}},
                {L"BmHalApi.dll", {"BmHalBsDelete", "BmHalBsSetConfig", "BmHalBsStatus"}}};
    for (const auto &d : dlls)
        for (const char *name : d.names) EXPECT_NE(nullptr, GetProcAddress(GetModuleHandleW(d.file), name)) << name;
}

TEST(StandinDll, AStartUpThatThrewStaysReportedAndThePipeAddsStationsAndCalls) {
    EXPECT_EQ(-3, g_initResult);
    EXPECT_EQ(-3, BmSrvInitialize()) << "a second call answers the same";
    EXPECT_EQ("ok", Ask("station add DLL-C channel=44 ip=192.168.1.9"));
    EXPECT_TRUE(testsupport::WaitFor([] { return g_channelC == 44; }));
    char serial[100] = "DLL-C", one = '1', name[100];
    BsConfig out{};
    EXPECT_NE(0, BmHalBsStatus(serial, &out));
    EXPECT_EQ(44, out.Channel);
    const std::string added = Ask("call add 2024-07-03 08:00:00 seconds=1");
    int id = 0;
    ASSERT_EQ(0, DbGetCallFirst(0, &one, &id, name, "2024-07-03 00:00:00", "2024-07-03 23:59:59", 0, 17));
    EXPECT_EQ("ok " + std::to_string(id) + " " + name, added);
    for (const char *bad : {"station drop NOBODY", "call add 2024-02-30 08:00:00", "launch rockets"})
        EXPECT_EQ(0u, Ask(bad).find("error")) << bad;
}

TEST(StandinDll, BadArgumentsFailWithoutHarm) {
    char noNul[200], a[100] = "DLL-A", one = '1', name[100];
    memset(noNul, 'A', sizeof noNul);
    BsConfig rec{};
    int id = 0;
    const std::string calls = Ask("count");
    for (char *text : {static_cast<char *>(nullptr), noNul}) {
        EXPECT_EQ(0, BmHalBsStatus(text, &rec));
        EXPECT_NE(0, BmHalBsSetConfig(text, &rec));
        EXPECT_NE(0, BmHalBsDelete(text));
        EXPECT_NE(0, DbGetCallFirst(0, &one, &id, name, text, "2024-07-01 23:59:59", 0, 17));
        EXPECT_NE(0, DbDeleteCallItem(text, 1));
        EXPECT_NE(0, VoiceDeleteFile(text, 1));
        EXPECT_NE(0, VoiceFileIsUsing(text, 1));
        EXPECT_NE(0, LocateVoiceFile(text, 1));
        VoicePlayFile(text, 1);
        EXPECT_EQ(0, VoicePlayFileTotalFrameNum());
    }
    EXPECT_EQ(0, BmHalBsStatus(a, nullptr));
    EXPECT_NE(0, BmHalBsSetConfig(a, nullptr));
    EXPECT_NE(0, DbGetCallNext(nullptr, nullptr));
    EXPECT_NE(0, BmSrvSetCbProcBsReportInfo(nullptr));
    BmSrvSetCbProcBsReportInfo(&OnReport);
    EXPECT_EQ(calls, Ask("count")) << "nothing lost";
}

// Ends the programs this process started (the real file browser), which would hold the
// test's output open.
void EndChildren() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        HANDLE child = entry.th32ParentProcessID == GetCurrentProcessId()
                           ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)
                           : nullptr;
        if (child) TerminateProcess(child, 0), CloseHandle(child);
    }
    CloseHandle(snapshot);
}

// A search would take whatever "explorer.exe" lies in the current folder.
TEST(StandinDll, TheFileBrowserIsStartedByItsFullPath) {
    const std::wstring decoy = g_folder.File(L"decoy"), mark = decoy + L"\\started";
    CreateDirectoryW(decoy.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((e2e::BinFolder() + L"FakeBrowser.exe").c_str(), (decoy + L"\\explorer.exe").c_str(), FALSE));
    SetEnvironmentVariableW(L"FAKE_BROWSER_MARK", mark.c_str());
    // Under Wine a program of that name is otherwise always Wine's own, found or not.
    wchar_t overrides[512] = {}, previous[MAX_PATH] = {};
    const DWORD had = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (std::wstring(overrides) + L";explorer.exe=n,b").c_str());
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(decoy.c_str()));
    char name[100] = "july1.wav";
    const int result = LocateVoiceFile(name, 1);
    SetCurrentDirectoryW(previous);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", had > 0 && had < 512 ? overrides : nullptr);
    EXPECT_EQ(0, result);
    Sleep(1500);  // long enough for a started program to leave its mark
    EndChildren();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(mark.c_str())) << "the decoy in the current folder ran";
}

}  // namespace
