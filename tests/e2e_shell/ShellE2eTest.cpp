// The real console with the stand-in libraries: single instance, the service failure
// diagnostic, and exit code 0 on each way out. If these fail, a second console starts
// beside the first, a failing service goes unnoticed, or quitting leaves a bad exit code.
#include <gtest/gtest.h>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"

using namespace e2e;

namespace {

const wchar_t kAlreadyRunning[] = L"已经打开过一个管理软件了，切勿重复打开！";
const unsigned kStartMs = 30000;
const unsigned kExitMs = 15000;

class E2eShell : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::FindWindowW(nullptr, kConsoleTitle), nullptr) << "another console is open"; }
    StandinSetup m_standin = MakeStandinSetup(L"e2e-shell");
};

}  // namespace

TEST_F(E2eShell, SecondStartIsRefusedAndLeavesTheFirstRunning) {
    ConsoleProcess first(m_standin.Env());
    const HWND main = WaitMainWindow(first);
    ASSERT_NE(main, nullptr);
    ::ShowWindow(main, SW_HIDE);  // hidden to the tray still counts

    ConsoleProcess second(m_standin.Env());
    ConsoleProcess::Box box;
    ASSERT_TRUE(second.AnswerMessageBox(&box, kStartMs));
    EXPECT_EQ(box.caption, L"警告");
    EXPECT_EQ(box.text, kAlreadyRunning);
    ASSERT_TRUE(second.WaitExit(kExitMs));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(second.Output(), "") << "the refused start does not touch the service library";

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(::FindWindowW(L"UIMainFrame", kConsoleTitle), main);
    EXPECT_TRUE(CloseConsole(first, main));
}

TEST_F(E2eShell, AWindowOfAnotherProgramWithTheTitleBlocksStart) {
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", kConsoleTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    ConsoleProcess console(m_standin.Env());
    ConsoleProcess::Box box;
    // Our own window must keep answering while the console looks for it.
    ASSERT_TRUE(testsupport::WaitFor([&] { return console.AnswerMessageBox(&box, 50); }, kStartMs));
    EXPECT_EQ(box.text, kAlreadyRunning);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
    EXPECT_EQ(console.FindWindowOf(L"UIMainFrame"), nullptr);
    ::DestroyWindow(foreign);
}

TEST_F(E2eShell, FailedServiceInitialisationIsReportedAndTheConsoleRunsOn) {
    std::map<std::wstring, std::wstring> env = m_standin.Env();
    env[L"BM_STANDIN_DATA"] = BinFolder() + L"RadioConsole.exe";  // a file: no data folder
    ConsoleProcess console(env);
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(testsupport::WaitFor([&] { return console.Output().rfind("error.", 0) == 0; }, kExitMs))
        << "stdout: " << console.Output();
    EXPECT_TRUE(CloseConsole(console, main));
}

TEST_F(E2eShell, SystemCloseOnAnyWindowEndsTheConsoleWithExitCodeZero) {
    const struct {
        const wchar_t *className, *title;
    } targets[] = {
        {L"UIMainFrame", kConsoleTitle}, {L"PlayUI", nullptr}, {L"UIBsCfgFrame", L"基站配置"}, {L"UIBsCfgFrame", L""}};
    for (const auto &t : targets) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(t.className)));
        ConsoleProcess console(m_standin.Env());
        ASSERT_NE(WaitMainWindow(console), nullptr);
        const HWND target = console.WaitWindowOf(t.className, t.title, kStartMs);
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(CloseConsole(console, target));
        EXPECT_EQ(console.Output().find("error."), std::string::npos) << console.Output();
    }
}

TEST_F(E2eShell, TrayMenuCloseButtonEndsTheConsoleWithExitCodeZero) {
    ConsoleProcess console(m_standin.Env());
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);
    const HWND menu = console.WaitWindowOf(L"UIBsCfgFrame", L"", kStartMs);
    ASSERT_NE(menu, nullptr);

    ::SetCursorPos(300, 300);
    ::PostMessageW(main, WM_USER + 5, 0, 0);  // WM_SHOW_TRAY_MENU
    ASSERT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(menu) != FALSE; }, kExitMs));
    const UiDump dump = UiDump::Of(menu);
    const DumpedControl *close = dump.Find("closebtn");
    ASSERT_NE(close, nullptr);
    ClickRect(menu, close->rect, false, true);
    ASSERT_TRUE(console.WaitExit(kExitMs));
    EXPECT_EQ(console.ExitCode(), 0u);
}
