// The stand-ins under faults of their own: a start-up that throws, a network thread tick
// that throws, and a program named like the file browser where a search would find it.
// If these fail, the console is told a broken service started, loses its reports for
// good, or starts whatever "explorer.exe" lies in the current folder.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "service/BmService.h"
#include "tests/standin/TestFolder.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/WaitFor.h"

namespace {

std::atomic<int> g_reports{0};

int __cdecl OnReport(const char *, BsConfig *) { return ++g_reports; }

// Ends the programs this process started (the real file browser): left running, they
// would hold the test's output open.
void EndChildren() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != GetCurrentProcessId()) continue;
        if (HANDLE child = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(child, 0);
            CloseHandle(child);
        }
    }
    CloseHandle(snapshot);
}

class StandinFault : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new TestFolder();
        const std::wstring scenario = s_folder->File(L"scenario.txt");
        WriteBytes(scenario,
                   "report-interval 50\nstation F-1\nlocate open\ncall 2024-07-01 09:00:00 seconds=1 name=f.wav\n"
                   "fault tick\nfault init\n");
        SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", scenario.c_str());
        SetEnvironmentVariableW(L"BM_STANDIN_DATA", s_folder->File(L"data").c_str());
        SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
        SetEnvironmentVariableW(L"BM_STANDIN_PIPE",
                                (L"\\\\.\\pipe\\standin-fault-" + std::to_wstring(GetCurrentProcessId())).c_str());
        s_firstInit = BmSrvInitialize();
    }
    static TestFolder *s_folder;
    static int s_firstInit;
};

TestFolder *StandinFault::s_folder = nullptr;
int StandinFault::s_firstInit = 0;

TEST_F(StandinFault, AStartUpThatThrewIsNeverReportedAsSuccess) {
    EXPECT_EQ(-3, s_firstInit);
    EXPECT_EQ(-3, BmSrvInitialize()) << "a later call";
}

TEST_F(StandinFault, TheNetworkThreadReportsOnAfterATickThatThrew) {
    BmSrvSetCbProcBsReportInfo(&OnReport);
    EXPECT_TRUE(testsupport::WaitFor([] { return g_reports.load() >= 3; })) << g_reports.load() << " reports";
    BmSrvSetCbProcBsReportInfo(nullptr);
}

TEST_F(StandinFault, TheFileBrowserIsStartedByItsFullPath) {
    const std::wstring decoy = s_folder->File(L"decoy");
    CreateDirectoryW(decoy.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((e2e::BinFolder() + L"FakeBrowser.exe").c_str(), (decoy + L"\\explorer.exe").c_str(), FALSE));
    const std::wstring mark = decoy + L"\\started";
    SetEnvironmentVariableW(L"FAKE_BROWSER_MARK", mark.c_str());
    // Under Wine a program of that name is otherwise always Wine's own, found or not.
    wchar_t overrides[512] = {};
    const DWORD had = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (std::wstring(overrides) + L";explorer.exe=n,b").c_str());
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(decoy.c_str()));

    char name[100] = "f.wav";
    const int result = LocateVoiceFile(name, 1);
    SetCurrentDirectoryW(previous);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", had > 0 && had < 512 ? overrides : nullptr);
    EXPECT_EQ(0, result);
    Sleep(1500);  // long enough for a started program to leave its mark
    EndChildren();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(mark.c_str())) << "the decoy in the current folder ran";
}

}  // namespace
