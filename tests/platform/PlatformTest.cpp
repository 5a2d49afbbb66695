// Platform facts the console relies on: if these fail, the build target or the Wine
// set-up is wrong, and every window test after them is meaningless.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "tests/support/MessageBoxWatcher.h"

namespace {

// Not the console's own title: a console started by another test must not be found here.
const wchar_t kTitle[] = L"KELM专网管理软件·平台测试";

TEST(Platform, MessageBoxIsFoundReadAndDismissed) {
    testsupport::MessageBoxWatcher watcher;
    const int result = MessageBoxW(nullptr, L"已经打开过一个管理软件了", L"警告", MB_OK);
    EXPECT_EQ(result, IDOK);
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"警告");
    EXPECT_EQ(seen[0].text, L"已经打开过一个管理软件了");
}

TEST(Platform, ChineseTitleSurvivesTheRoundTripAndIsFoundByTitle) {
    HWND hwnd = CreateWindowExW(0, L"STATIC", kTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    wchar_t buf[64] = {};
    GetWindowTextW(hwnd, buf, 64);
    EXPECT_STREQ(buf, kTitle);
    EXPECT_EQ(FindWindowW(nullptr, kTitle), hwnd);  // hidden windows count too
    DestroyWindow(hwnd);
    EXPECT_EQ(FindWindowW(nullptr, kTitle), nullptr);
}

}  // namespace
