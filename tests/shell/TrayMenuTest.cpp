// The tray menu on its own: creation from the installed skin, WM_CLOSE passed on to the
// default procedure, and a skin without "closebtn". If these fail, the menu cannot end
// the console or ends it by accident.
#include <gtest/gtest.h>

#include "tests/shell/MessageLog.h"
#include "tests/shell/ShellHarness.h"
#include "tests/support/WaitFor.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

using namespace shelltest;

namespace {

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        TakeQuitMessage();
    }
    void TearDown() override { TakeQuitMessage(); }
};

HWND CreateMenu(CTaskIconMenuWnd *menu) {
    HWND hWnd = menu->Create(nullptr, L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    menu->CenterWindow();
    ::ShowWindow(hWnd, SW_HIDE);
    return hWnd;
}

}  // namespace

TEST_F(TrayMenuTest, CloseIsPassedOnSoTheWindowIsDestroyedAndItsObjectDeleted) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", "<Window size=\"120,60\"><VerticalLayout>"
                                                  "<Button name=\"closebtn\" /></VerticalLayout></Window>"}});
    CTaskIconMenuWnd *menu = new CTaskIconMenuWnd();
    const HWND hWnd = CreateMenu(menu);
    ASSERT_TRUE(::IsWindow(hWnd));
    {
        MessageLog log(hWnd, {WM_CLOSE, WM_DESTROY, WM_NCDESTROY});
        ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
        EXPECT_SEQUENCE(log, {{WM_CLOSE, 0, 0, kExact}, {WM_DESTROY, 0, 0, kExact},
                              {WM_NCDESTROY, 0, 0, kExact}});
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(TakeQuitMessage()) << "only the main window's destruction quits";
}

TEST_F(TrayMenuTest, KeepsTheSkinSizeAndAnswersSetTextThroughTheDefaultProcedure) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", "<Window size=\"120,60\"><VerticalLayout>"
                                                  "<Button name=\"closebtn\" /></VerticalLayout></Window>"}});
    CTaskIconMenuWnd *menu = new CTaskIconMenuWnd();
    const HWND hWnd = CreateMenu(menu);
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 120);
    EXPECT_EQ(rc.bottom - rc.top, 60);
    ::SetWindowTextW(hWnd, L"probe");
    wchar_t text[16] = {};
    ::GetWindowTextW(hWnd, text, 16);
    EXPECT_STREQ(text, L"probe") << "unlisted messages fall back to the default procedure";
    ::DestroyWindow(hWnd);
}

TEST_F(TrayMenuTest, WithoutACloseButtonNoClickEndsTheConsole) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", "<Window size=\"120,60\"><VerticalLayout>"
                                                  "<Button name=\"other\" /></VerticalLayout></Window>"}});
    CTaskIconMenuWnd *menu = new CTaskIconMenuWnd();
    const HWND hWnd = CreateMenu(menu);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    CControlUI *other = menu->PaintManager().FindControl(L"other");
    ASSERT_NE(other, nullptr);
    Click(hWnd, other);
    EXPECT_FALSE(TakeQuitMessage());
    ::DestroyWindow(hWnd);
}
