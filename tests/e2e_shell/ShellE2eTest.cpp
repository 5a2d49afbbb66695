// The real console with the stand-in libraries: single instance, the service failure
// diagnostic, and exit code 0 on each way out. If these fail, a second console starts
// beside the first, a failing service goes unnoticed, or quitting leaves a bad exit code.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e_shell/ConsoleProcess.h"
#include "tests/e2e_shell/ControlTree.h"
#include "tests/e2e_shell/StandinPipe.h"
#include "tests/support/WaitFor.h"

using namespace e2eshell;

namespace {

const wchar_t kTitle[] = L"KELM专网管理软件";
const wchar_t kAlreadyRunning[] = L"已经打开过一个管理软件了，切勿重复打开！";
const wchar_t kWarning[] = L"警告";
const unsigned kStartMs = 30000;
const unsigned kExitMs = 15000;

// A private data folder per test, so the stand-in's call store starts empty and apart.
class E2eShell : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_data = std::wstring(temp) + L"e2e-shell-" + std::to_wstring(::GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++s_counter);
        ::CreateDirectoryW(m_data.c_str(), nullptr);
        ASSERT_EQ(::FindWindowW(nullptr, kTitle), nullptr) << "another console is open";
    }
    std::map<std::wstring, std::wstring> Env() const {
        return {{L"BM_STANDIN_DATA", m_data}, {L"BM_STANDIN_SOUND", L"0"}};
    }
    std::wstring m_data;
    static int s_counter;
};
int E2eShell::s_counter = 0;

HWND WaitMainWindow(const ConsoleProcess &console) {
    HWND main = console.WaitWindowOf(L"UIMainFrame", kTitle, kStartMs);
    if (main != nullptr) testsupport::WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }, kStartMs);
    return main;
}

}  // namespace

TEST_F(E2eShell, SecondStartIsRefusedAndLeavesTheFirstRunning) {
    ConsoleProcess first(Env());
    ASSERT_TRUE(first.Started());
    const HWND main = WaitMainWindow(first);
    ASSERT_NE(main, nullptr);
    ::ShowWindow(main, SW_HIDE);   // hidden to the tray still counts

    ConsoleProcess second(Env());
    ASSERT_TRUE(second.Started());
    ConsoleProcess::Box box;
    ASSERT_TRUE(second.AnswerMessageBox(&box, kStartMs));
    EXPECT_EQ(box.caption, kWarning);
    EXPECT_EQ(box.text, kAlreadyRunning);
    ASSERT_TRUE(second.WaitExit(kExitMs));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(second.Output(), "") << "the refused start does not touch the service library";

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(::FindWindowW(L"UIMainFrame", kTitle), main);

    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(first.WaitExit(kExitMs));
    EXPECT_EQ(first.ExitCode(), 0u);
}

TEST_F(E2eShell, AWindowOfAnotherProgramWithTheTitleBlocksStart) {
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", kTitle, WS_POPUP, 0, 0, 10, 10, nullptr,
                                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    ConsoleProcess console(Env());
    ASSERT_TRUE(console.Started());
    ConsoleProcess::Box box;
    bool answered = false;
    // Our own window must keep answering while the console looks for it.
    testsupport::WaitFor([&] { return answered = console.AnswerMessageBox(&box, 50); }, kStartMs);
    ASSERT_TRUE(answered);
    EXPECT_EQ(box.text, kAlreadyRunning);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
    EXPECT_EQ(console.FindWindowOf(L"UIMainFrame"), nullptr);
    ::DestroyWindow(foreign);
}

TEST_F(E2eShell, FailedServiceInitialisationIsReportedAndTheConsoleRunsOn) {
    std::map<std::wstring, std::wstring> env = Env();
    env[L"BM_STANDIN_DATA"] = BinFolder() + L"RadioConsole.exe";   // a file: no data folder
    ConsoleProcess console(env);
    ASSERT_TRUE(console.Started());
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(testsupport::WaitFor([&] { return console.Output().rfind("error.", 0) == 0; }, kExitMs))
        << "stdout: " << console.Output();
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
}

TEST_F(E2eShell, SystemCloseOnAnyWindowEndsTheConsoleWithExitCodeZero) {
    struct Target {
        const wchar_t *className, *title;
    } targets[] = {{L"UIMainFrame", kTitle}, {L"PlayUI", nullptr}, {L"UIBsCfgFrame", L"基站配置"},
                   {L"UIBsCfgFrame", L""}};
    for (const Target &t : targets) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(t.className)));
        ConsoleProcess console(Env());
        ASSERT_TRUE(console.Started());
        ASSERT_NE(WaitMainWindow(console), nullptr);
        const HWND target = console.WaitWindowOf(t.className, t.title, kStartMs);
        ASSERT_NE(target, nullptr);
        ::PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(console.WaitExit(kExitMs));
        EXPECT_EQ(console.ExitCode(), 0u);
        EXPECT_EQ(console.Output().find("error."), std::string::npos) << console.Output();
    }
}

TEST_F(E2eShell, TrayMenuCloseButtonEndsTheConsoleWithExitCodeZero) {
    ConsoleProcess console(Env());
    ASSERT_TRUE(console.Started());
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);
    const HWND menu = console.WaitWindowOf(L"UIBsCfgFrame", L"", kStartMs);
    ASSERT_NE(menu, nullptr);

    ::SetCursorPos(300, 300);
    ::PostMessageW(main, WM_USER + 5, 0, 0);   // WM_SHOW_TRAY_MENU
    ASSERT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(menu) != FALSE; }, kExitMs));
    RECT closeBtn = {};
    ASSERT_TRUE(FindControlRect(menu, "closebtn", &closeBtn));
    const LPARAM at = MAKELPARAM((closeBtn.left + closeBtn.right) / 2, (closeBtn.top + closeBtn.bottom) / 2);
    ::PostMessageW(menu, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(menu, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
}

// The presence poller runs in the real console: a station that stops answering loses its
// row on a later pass, and comes back at the end of the list when it reports again.
TEST_F(E2eShell, PresencePollerDropsAStationThatStopsAnswering) {
    const std::wstring scenario = m_data + L"\\scenario.txt";
    if (FILE *f = _wfopen(scenario.c_str(), L"wb")) {
        std::fputs("report-interval 300\nstation BS-E2E-1 channel=5\nstation BS-E2E-2 channel=6\n", f);
        std::fclose(f);
    }
    const std::wstring pipe = L"\\\\.\\pipe\\e2e-shell-" + std::to_wstring(::GetCurrentProcessId());
    std::map<std::wstring, std::wstring> env = Env();
    env[L"BM_STANDIN_SCENARIO"] = scenario;
    env[L"BM_STANDIN_PIPE"] = pipe;
    ConsoleProcess console(env);
    ASSERT_TRUE(console.Started());
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);

    auto serials = [&] {
        std::vector<std::string> out;
        for (const std::string &row : ControlTexts(main, "ListTextElement")) out.push_back(row.substr(0, row.find('\x1f')));
        return out;
    };
    const std::vector<std::string> both = {"BS-E2E-1", "BS-E2E-2"};
    ASSERT_TRUE(testsupport::WaitFor([&] { return serials() == both; }, kStartMs));

    EXPECT_EQ(StandinRequest(pipe, "station drop BS-E2E-1").compare(0, 2, "ok"), 0);
    EXPECT_TRUE(testsupport::WaitFor([&] { return serials() == std::vector<std::string>{"BS-E2E-2"}; }, 10000))
        << testing::PrintToString(serials());

    EXPECT_EQ(StandinRequest(pipe, "station restore BS-E2E-1").compare(0, 2, "ok"), 0);
    const std::vector<std::string> back = {"BS-E2E-2", "BS-E2E-1"};
    EXPECT_TRUE(testsupport::WaitFor([&] { return serials() == back; }, 10000))
        << testing::PrintToString(serials());

    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
}
