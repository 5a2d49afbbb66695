// The real console with the stand-in libraries: single instance, the service failure
// diagnostic, and exit code 0 on each way out. If these fail, a second console starts
// beside the first, a failing service goes unnoticed, or quitting leaves a bad exit code.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ConsoleVersion.h"
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

namespace {

// The exe's resource of a type and id as text (the manifest), or "" when absent.
std::string ResourceText(HMODULE module, LPCWSTR type, LPCWSTR id) {
    HRSRC found = ::FindResourceW(module, id, type);
    if (found == nullptr) return "";
    HGLOBAL loaded = ::LoadResource(module, found);
    return std::string(static_cast<const char *>(::LockResource(loaded)), ::SizeofResource(module, found));
}

std::wstring VersionString(const std::vector<BYTE> &info, const wchar_t *name) {
    wchar_t *value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (!::VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void **>(&value), &length)) return L"";
    return std::wstring(value);
}

}  // namespace

// If this fails, Windows stretches the console's bitmap or runs it with old controls,
// or the installed exe carries no version an administrator can read.
TEST(ConsoleExe, DeclaresDpiAwarenessControlsAndVersion) {
    const std::wstring exe = BinFolder() + L"RadioConsole.exe";
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const std::string manifest = ResourceText(module, RT_MANIFEST, MAKEINTRESOURCEW(1));
    ::FreeLibrary(module);
    for (const char *part :
         {">PerMonitorV2<", ">true</dpiAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(manifest.find("<activeCodePage"), std::string::npos) << "the system ANSI code page stays";

    DWORD handle = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(exe.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(CONSOLE_VERSION_MINOR, CONSOLE_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwProductVersionLS, static_cast<DWORD>(MAKELONG(0, CONSOLE_VERSION_PATCH)));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), CONSOLE_VERSION_WTEXT);
    EXPECT_EQ(VersionString(info, L"FileVersion"), CONSOLE_VERSION_WTEXT);
    EXPECT_EQ(VersionString(info, L"ProductName"), kConsoleTitle);
    EXPECT_FALSE(VersionString(info, L"FileDescription").empty());
    EXPECT_FALSE(VersionString(info, L"LegalCopyright").empty());
}

// Any program may post the main window's private messages (1025 to 1030) with any
// parameters: none of them may be taken for a pointer the console reads or frees.
TEST_F(E2eShell, PrivateMessagesWithJunkParametersLeaveTheConsoleRunning) {
    ConsoleProcess console(m_standin.Env());
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr);
    const WPARAM junk[] = {1, 0x10, 0x00400000 /* the exe's image */, 0x7FFFFFF0, 0xDEADBEEF, 0xFFFFFFFF};
    for (UINT message = WM_USER + 1; message <= WM_USER + 6; ++message) {
        for (const WPARAM w : junk) {
            SCOPED_TRACE(testing::Message() << "message " << message << " wParam " << w);
            ::PostMessageW(main, message, w, static_cast<LPARAM>(w ^ 0x5A5A5A5A));
            DWORD_PTR result = 0;
            ASSERT_NE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kExitMs, &result), 0u)
                << "the main window stopped answering";
            ASSERT_TRUE(console.Running());
        }
    }
    ::ShowWindow(main, SW_SHOW);
    EXPECT_FALSE(UiDump::Of(main).Empty());
    EXPECT_TRUE(CloseConsole(console, main));
}

// A skin file that is missing or malformed: the operator is told which file (and where
// in it), and the console ends with exit code 0 instead of showing a blank window.
TEST_F(E2eShell, ABrokenSkinFileIsNamedInAMessageBoxAndTheConsoleEnds) {
    const struct {
        const wchar_t *file;
        const char *content;  // null: the file is missing
        const wchar_t *named;
    } cases[] = {
        {L"skin.xml", nullptr, L"skin.xml"},
        {L"menu1_1.xml", "<Window>\n<VerticalLayout>\n  <Button name=\"x\" text=oops/>\n</Window>\n",
         L"menu1_1.xml: line 3, column"},
        {L"PlayUI.xml", "<Window size=\"10,10\">\n<VerticalLayout>\n</Window>\n", L"PlayUI.xml: line 3, column"},
    };
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        const std::wstring folder =
            std::wstring(temp) + L"e2e-skin-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + c.file + L"\\";
        const std::wstring skin = folder + L"skin\\";
        ::CreateDirectoryW(folder.c_str(), nullptr);
        ::CreateDirectoryW(skin.c_str(), nullptr);
        for (const wchar_t *file : {L"RadioConsole.exe", L"BmService.dll", L"BmHalApi.dll"})
            ASSERT_TRUE(::CopyFileW((BinFolder() + file).c_str(), (folder + file).c_str(), FALSE));
        WIN32_FIND_DATAW found = {};
        const HANDLE find = ::FindFirstFileW((BinFolder() + L"skin\\*.xml").c_str(), &found);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        do {
            ::CopyFileW((BinFolder() + L"skin\\" + found.cFileName).c_str(), (skin + found.cFileName).c_str(), FALSE);
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
        ::DeleteFileW((skin + c.file).c_str());
        if (c.content != nullptr) {
            FILE *f = _wfopen((skin + c.file).c_str(), L"wb");
            ASSERT_NE(f, nullptr);
            std::fputs(c.content, f);
            std::fclose(f);
        }

        ConsoleProcess console(m_standin.Env(), folder);
        ConsoleProcess::Box box;
        ASSERT_TRUE(console.AnswerMessageBox(&box, kStartMs));
        EXPECT_EQ(box.caption, L"错误");
        EXPECT_NE(box.text.find(c.named), std::wstring::npos) << testing::PrintToString(box.text);
        ASSERT_TRUE(console.WaitExit(kExitMs));
        EXPECT_EQ(console.ExitCode(), 0u);
        EXPECT_EQ(::FindWindowW(nullptr, kConsoleTitle), nullptr);
    }
}

// The control pipe drives the simulated network: in the demo (no scenario, no pipe name
// given) no other program may open it; under a scenario it is there by its default name.
TEST_F(E2eShell, TheStandinControlPipeIsOfferedOnlyUnderAScenario) {
    const StandinSetup withScenario = MakeStandinSetup(L"e2e-pipe", "station PIPE-1\n");
    for (const bool scenario : {false, true}) {
        SCOPED_TRACE(scenario ? "scenario" : "demo");
        std::map<std::wstring, std::wstring> env = (scenario ? withScenario : m_standin).Env();
        env[L"BM_STANDIN_PIPE"] = L"";  // not given: the default applies
        env[L"BM_STANDIN_SCENARIO"] = scenario ? withScenario.scenario : L"";
        ConsoleProcess console(env);
        const HWND main = WaitMainWindow(console);
        ASSERT_NE(main, nullptr);
        const std::wstring pipe = L"\\\\.\\pipe\\BmStandin-" + std::to_wstring(console.Pid());
        auto exists = [&] {
            const HANDLE h =
                ::CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (h == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_PIPE_BUSY;
            ::CloseHandle(h);
            return true;
        };
        EXPECT_EQ(testsupport::WaitFor(exists, scenario ? kExitMs : 2000), scenario);
        EXPECT_TRUE(CloseConsole(console, main));
    }
}
