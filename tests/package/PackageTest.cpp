// The release zip unpacked into RADIO_CONSOLE_PACKAGE. If these fail, an installation does
// not start, or a missing library ends in the loader's error instead of a clear message.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ConsoleProcess.h"

using namespace e2e;

namespace {

std::wstring PackageFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"RADIO_CONSOLE_PACKAGE", folder, MAX_PATH);
    return folder;
}

bool Exists(const std::wstring &path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Package : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()) << "RADIO_CONSOLE_PACKAGE is not set"; }
    const std::wstring m_folder = PackageFolder();
    StandinSetup m_standin = MakeStandinSetup(L"package");
};

}  // namespace

TEST_F(Package, HoldsTheExeSkinReadmeAndTheStandinsApart) {
    for (const wchar_t *file : {L"RadioConsole.exe", L"README.txt", L"skin\\skin.xml", L"skin\\BsList.xml",
                                L"skin\\PlayUI.xml", L"skin\\TaskIconMenuUI.xml", L"skin\\Caption\\close.png",
                                L"standin\\BmService.dll", L"standin\\BmHalApi.dll"}) {
        EXPECT_TRUE(Exists(m_folder + file)) << testing::PrintToString(std::wstring(file));
    }
    EXPECT_FALSE(Exists(m_folder + L"BmService.dll")) << "the stand-ins are not installed by unpacking";
    EXPECT_FALSE(Exists(m_folder + L"skin\\CMakeLists.txt"));
}

TEST_F(Package, AMissingServiceLibraryIsNamedWithItsFolderUntilBothAreThere) {
    for (const wchar_t *dll : {L"BmService.dll", L"BmHalApi.dll"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(dll)));
        ConsoleProcess console(m_standin.Env(), m_folder);
        ConsoleProcess::Box box;
        ASSERT_TRUE(console.AnswerMessageBox(&box, 30000));
        EXPECT_EQ(box.caption, L"错误");
        EXPECT_NE(box.text.find(dll), std::wstring::npos) << testing::PrintToString(box.text);
        EXPECT_NE(box.text.find(m_folder), std::wstring::npos) << testing::PrintToString(box.text);
        ASSERT_TRUE(console.WaitExit(15000));
        EXPECT_EQ(console.ExitCode(), 0u);
        ASSERT_TRUE(::CopyFileW((m_folder + L"standin\\" + dll).c_str(), (m_folder + dll).c_str(), FALSE));
    }
    ConsoleProcess console(m_standin.Env(), m_folder);
    const HWND main = WaitMainWindow(console);
    ASSERT_NE(main, nullptr) << console.Output();
    EXPECT_TRUE(CloseConsole(console, main));
}
