// The two stand-in DLLs through their exports, as the console uses them, with a scenario
// and the control pipe. If these fail, the console's end-to-end runs meet a network that
// does not behave like the libraries' contract. (Paging, deletes and playback rules are
// the call store's and player's own tests.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "service/BmHalApi.h"
#include "service/BmService.h"
#include "tests/standin/TestFolder.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/WaitFor.h"

using testsupport::WaitFor;

namespace {

std::mutex g_mutex;
std::vector<std::pair<std::string, BsConfig>> g_seen;  // the reports, in order
std::wstring g_pipe = L"\\\\.\\pipe\\standin-dll-test-" + std::to_wstring(GetCurrentProcessId());
TestFolder g_folder;

int BM_CALL OnReport(const char *serial, BsConfig *record) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_seen.push_back({serial, *record});
    return 1;
}

// The channels reported by serial so far.
std::vector<int> Reported(const std::string &serial) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<int> channels;
    for (const auto &s : g_seen)
        if (s.first == serial) channels.push_back(s.second.Channel);
    return channels;
}

std::string Ask(const std::string &request) { return e2e::AskStandin(g_pipe, request).status; }

int Status(const char *serial, BsConfig *out = nullptr) {
    char buf[100];
    snprintf(buf, sizeof buf, "%s", serial);
    BsConfig scratch{};
    return BmHalBsStatus(buf, out ? out : &scratch);
}

int Initialize() {
    WriteBytes(g_folder.File(L"scenario.txt"), "report-interval 300\nrejoin-delay 200\nclear\n"
                                               "station DLL-A channel=11\n"
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

// Undecorated names only, nothing else exported (by name or by ordinal alone).
TEST(StandinDll, ExportExactlyTheTables) {
    const struct {
        const wchar_t *file;
        std::vector<std::string> names;
    } dlls[] = {{L"BmService.dll",
                 {"BmSrvInitialize", "BmSrvSetCbProcBsReportInfo", "DbDeleteCallItem", "DbGetCallFirst",
                  "DbGetCallNext", "LocateVoiceFile", "VoiceDeleteFile", "VoiceExitPlayFile", "VoiceFileIsUsing",
                  "VoiceGetPlayFileCurFrameIndex", "VoiceGetRecordFlag", "VoiceGetStopFlag", "VoicePlayFile",
                  "VoicePlayFileTotalFrameNum", "VoiceRecordFlag", "VoiceSetPlayFilePostion", "VoiceSetStopFlag"}},
                {L"BmHalApi.dll", {"BmHalBsDelete", "BmHalBsSetConfig", "BmHalBsStatus"}}};
    for (const auto &d : dlls) {
        const auto *base = reinterpret_cast<const BYTE *>(GetModuleHandleW(d.file));
        ASSERT_NE(nullptr, base);
        const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
        const auto *dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(
            base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
        const auto *nameRvas = reinterpret_cast<const DWORD *>(base + dir->AddressOfNames);
        std::vector<std::string> names;
        for (DWORD i = 0; i < dir->NumberOfNames; ++i)
            names.push_back(reinterpret_cast<const char *>(base + nameRvas[i]));
        std::sort(names.begin(), names.end());
        EXPECT_EQ(d.names, names);
        EXPECT_EQ(d.names.size(), dir->NumberOfFunctions);
    }
}

// (A station's settings pushed, its deletion and its return are the console's end-to-end
// test's, over these same exports.)
TEST(StandinDll, InitialisesOnceAndThePipeAddsStationsAndCalls) {
    EXPECT_EQ(0, g_initResult);
    EXPECT_EQ(0, BmSrvInitialize()) << "a second call answers the same";
    EXPECT_EQ("ok 1", Ask("count"));
    EXPECT_EQ("ok", Ask("station add DLL-C channel=44 ip=192.168.1.9"));
    ASSERT_TRUE(WaitFor([] { return !Reported("DLL-C").empty(); }));
    EXPECT_EQ(44, Reported("DLL-C")[0]);
    BsConfig out{};
    EXPECT_NE(0, Status("DLL-C", &out));
    EXPECT_EQ(44, out.Channel);
    EXPECT_EQ("ok", Ask("station drop DLL-C"));  // restore and list are the soak's
    EXPECT_EQ(0, Status("DLL-C"));
    const std::string added = Ask("call add 2024-07-03 08:00:00 seconds=1");
    char one = '1', name[100];
    int id = 0;
    ASSERT_EQ(0, DbGetCallFirst(0, &one, &id, name, "2024-07-03 00:00:00", "2024-07-03 23:59:59", 0, 17));
    EXPECT_EQ("ok " + std::to_string(id) + " " + name, added);
    const std::vector<std::string> log = e2e::AskStandin(g_pipe, "log").lines;
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string &l) { return l.rfind("query ", 0) == 0; }));
    for (const char *bad : {"station drop NOBODY", "call add 2024-02-30 08:00:00", "launch rockets"})
        EXPECT_EQ(0u, Ask(bad).find("error")) << bad;
}

// Null and unterminated arguments at every export that takes text or a record.
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

}  // namespace
