// The real console with the stand-in libraries. If these fail, a second console starts
// beside the first, quitting leaves a dead icon in the tray, or a failure goes unnoticed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/PrivateMessages.h"

using namespace e2e;
using testsupport::WaitFor;

namespace {

const wchar_t kAlreadyRunning[] = L"已经打开过一个管理软件了，切勿重复打开！";
const unsigned kStartMs = 30000;
const unsigned kExitMs = 15000;

class E2eShell : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::FindWindowW(nullptr, kConsoleTitle), nullptr) << "another console is open"; }
    StandinSetup m_standin = MakeStandinSetup(L"e2e-shell");
};

void ExpectAsShipped(HWND main) {
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(main, GWL_STYLE)),
              (WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) & ~WS_CAPTION);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(main, GWL_EXSTYLE)),
              static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_STATICEDGE | WS_EX_TOOLWINDOW));
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    RECT rc = {};
    ::GetWindowRect(main, &rc);
    EXPECT_EQ(rc.right - rc.left, ::MulDiv(800, dpi, 96));
    EXPECT_EQ(rc.bottom - rc.top, ::MulDiv(572, dpi, 96));
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_NEAR(rc.left + rc.right, mi.rcWork.left + mi.rcWork.right, 1);
    EXPECT_NEAR(rc.top + rc.bottom, mi.rcWork.top + mi.rcWork.bottom, 1);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ::GetWindowPlacement(main, &placement);
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
}

TEST_F(E2eShell, TheStartupProbePrintsItsFiguresAndEnds) {
    std::map<std::wstring, std::wstring> env = m_standin.Env();
    env[L"RADIO_CONSOLE_STARTUP_PROBE"] = L"1";
    ConsoleProcess console(env);
    ASSERT_TRUE(console.WaitExit(kStartMs));
    EXPECT_EQ(console.ExitCode(), 0u);
    EXPECT_NE(console.Output().find("first-paint-ms: "), std::string::npos) << console.Output();
}

// NIM_MODIFY with no fields succeeds only while the shell (Wine's tray) holds the icon.
bool AskShell(DWORD what, HWND owner) {
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    return ::Shell_NotifyIconW(what, &icon) != FALSE;
}
bool ShellHasIcon(HWND owner) { return AskShell(NIM_MODIFY, owner); }

enum class Way { kSystemClose, kMenuButton, kDestroyMain, kShellRestart };

struct QuitPath {
    const char *name;
    Way way;
    const wchar_t *cls, *title;  // the window it acts on
};

const QuitPath kQuitPaths[] = {
    {"system close on the main window", Way::kSystemClose, L"UIMainFrame", kConsoleTitle},
    {"system close on the playback window", Way::kSystemClose, L"PlayUI", nullptr},
    {"system close on the configuration dialog", Way::kSystemClose, L"UIBsCfgFrame", L"基站配置"},
    {"system close on the tray menu", Way::kSystemClose, L"UIBsCfgFrame", L""},
    {"the tray menu's close button", Way::kMenuButton, L"UIBsCfgFrame", L""},
    {"the main window destroyed", Way::kDestroyMain, L"UIMainFrame", kConsoleTitle},
    {"the shell restarted, then system close", Way::kShellRestart, L"UIMainFrame", kConsoleTitle}};

std::string TakeQuitPath(const QuitPath &path, HWND *main) {  // what went wrong, or ""
    const DWORD pid = ::GetCurrentProcessId();
    HWND target = nullptr;
    if (!WaitFor(
            [&] {
                *main = testsupport::FindWindowOf(pid, L"UIMainFrame", kConsoleTitle, true);
                return *main != nullptr && (target = testsupport::FindWindowOf(pid, path.cls, path.title)) != nullptr;
            },
            kStartMs))
        return "the console's windows did not appear";
    auto inTray = [&] { return ShellHasIcon(*main); };
    if (!WaitFor(inTray, kExitMs)) return "no icon in the tray after start";
    switch (path.way) {
    case Way::kMenuButton: {
        ::PostMessageW(*main, WM_SHOW_TRAY_MENU, 0, 0);
        if (!WaitFor([&] { return ::IsWindowVisible(target) != FALSE; }, kExitMs)) return "no tray menu";
        const UiDump menu = UiDump::Of(target);
        const DumpedControl *close = menu.Find("closebtn");
        if (close == nullptr) return "no close button in the tray menu";
        ClickRect(target, close->rect, false, true);
        return "";
    }
    case Way::kDestroyMain: ::PostMessageW(target, WM_CLOSE, 0, 0); return "";
    case Way::kShellRestart: {
        AskShell(NIM_DELETE, *main);  // lost, as when the shell restarts
        if (!WaitFor([&] { return !ShellHasIcon(*main); }, kExitMs)) return "the icon could not be taken away";
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        if (!WaitFor(inTray, kExitMs)) return "the lost icon did not come back";
        break;
    }
    case Way::kSystemClose: break;
    }
    ::PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0);
    return "";
}

// The tray is looked at before this process ends: Wine drops a dead process's icons.
[[noreturn]] void RunConsoleAndQuit(const QuitPath &path, const StandinSetup &standin) {
    for (const auto &var : standin.Env()) ::SetEnvironmentVariableW(var.first.c_str(), var.second.c_str());
    const DWORD consoleThread = ::GetCurrentThreadId();
    HWND main = nullptr;
    std::string why;
    std::thread driver([&] {
        why = TakeQuitPath(path, &main);
        if (!why.empty()) ::PostThreadMessageW(consoleThread, WM_QUIT, 0, 0);
    });
    const int exitCode = ::wWinMain(::GetModuleHandleW(nullptr), nullptr, const_cast<wchar_t *>(L""), SW_SHOWNORMAL);
    driver.join();
    if (why.empty() && ShellHasIcon(main)) why = "the icon is still in the tray";
    if (why.empty() && exitCode != 0) why = "exit code " + std::to_string(exitCode);
    std::fprintf(stderr, "%s\n", why.c_str());
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), why.empty() ? 0 : 1);
    for (;;) {}
}

}  // namespace

TEST_F(E2eShell, EveryWayOutLeavesTheTrayWithoutTheConsolesIcon) {
    for (const QuitPath &path : kQuitPaths) {
        SCOPED_TRACE(path.name);
        EXPECT_EXIT(RunConsoleAndQuit(path, m_standin), ::testing::ExitedWithCode(0), "");
    }
}

TEST(ConsoleExe, DeclaresDpiAwarenessAndControls) {
    const std::wstring exe = BinFolder() + L"RadioConsole.exe";
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char *>(::LockResource(::LoadResource(module, found))),
                               ::SizeofResource(module, found));
    ::FreeLibrary(module);
    for (const char *part :
         {">PerMonitorV2<", ">true</dpiAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    EXPECT_EQ(manifest.find("<activeCodePage"), std::string::npos) << "the system ANSI code page stays";
}

// Any program may post junk in the private messages: never taken for pointers.
TEST_F(E2eShell, OneConsoleAtATimeRunsAsShippedThroughFailuresAndJunk) {
    std::map<std::wstring, std::wstring> env = m_standin.Env();
    env[L"BM_STANDIN_DATA"] = BinFolder() + L"RadioConsole.exe";  // a file: no data folder
    ConsoleProcess first(env);
    const HWND main = WaitMainWindow(first);
    ASSERT_NE(main, nullptr);
    ExpectAsShipped(main);
    EXPECT_TRUE(WaitFor([&] { return first.Output().find("error.") != std::string::npos; }, kExitMs)) << first.Output();
    for (UINT message = WM_USER + 1; message <= WM_USER + 6; ++message) {
        for (const WPARAM junk :
             {1u, 0x10u, 0x00400000u /* the exe's image */, 0x7FFFFFF0u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
            SCOPED_TRACE(testing::Message() << "message " << message << " wParam " << junk);
            ::PostMessageW(main, message, junk, static_cast<LPARAM>(junk ^ 0x5A5A5A5A));
            DWORD_PTR result = 0;
            ASSERT_NE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kExitMs, &result), 0u)
                << "the main window stopped answering";
        }
    }
    EXPECT_FALSE(UiDump::Of(main).Empty());

    auto expectRefused = [&] {
        ConsoleProcess second(m_standin.Env());
        ConsoleProcess::Box box;
        ASSERT_TRUE(second.AnswerMessageBox(&box, kStartMs));
        EXPECT_EQ(box.caption, L"警告");
        EXPECT_EQ(box.text, kAlreadyRunning);
        ASSERT_TRUE(second.WaitExit(kExitMs));
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_EQ(second.Output(), "") << "the refused start does not touch the service library";
    };
    ::ShowWindow(main, SW_HIDE);
    expectRefused();
    EXPECT_EQ(::FindWindowW(L"UIMainFrame", kConsoleTitle), main);
    ASSERT_TRUE(CloseConsole(first, main));
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", kConsoleTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    expectRefused();
    ::DestroyWindow(foreign);
}

TEST_F(E2eShell, ABrokenSkinFileIsNamedInAMessageBoxAndTheConsoleEnds) {
    const struct {
        const wchar_t *file;
        const char *content;  // null: the file is missing
        const wchar_t *named;
    } cases[] = {
        {L"skin.xml", nullptr, L"skin.xml"},
        {L"menu1_1.xml", "<Window>\n<VerticalLayout>\n  <Button name=\"x\" text=oops/>\n</Window>\n",
         L"menu1_1.xml: line 3, column"},
        {L"PlayUI.xml", "<Window size=\"10,10\">\n<VerticalLayout>\n</Window>\n", L"PlayUI.xml: line 3, column"}};
    namespace fs = std::filesystem;
    const std::wstring folder = m_standin.data + L"-skin\\";
    fs::create_directory(folder);
    for (const wchar_t *file : {L"RadioConsole.exe", L"BmService.dll", L"BmHalApi.dll"})
        ASSERT_TRUE(fs::copy_file(BinFolder() + file, folder + file, fs::copy_options::overwrite_existing));
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        fs::copy(BinFolder() + L"skin", folder + L"skin",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const fs::path broken = folder + L"skin\\" + c.file;
        if (c.content)
            std::ofstream(broken, std::ios::binary) << c.content;
        else
            fs::remove(broken);
        ConsoleProcess console(m_standin.Env(), folder);
        ConsoleProcess::Box box;
        ASSERT_TRUE(console.AnswerMessageBox(&box, kStartMs));
        EXPECT_EQ(box.caption, L"错误");
        EXPECT_NE(box.text.find(c.named), std::wstring::npos) << testing::PrintToString(box.text);
        ASSERT_TRUE(console.WaitExit(kExitMs));
        EXPECT_EQ(console.ExitCode(), 0u);
    }
}
