// On the tray menu's window class. If these fail, windows cannot be dragged, lose their
// shape, maximise under the taskbar, or run a handler twice.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/shell/ShellHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"
#include "ui/TaskIconMenuWnd.h"

using namespace shelltest;

namespace {

// A 300 x 200 window whose caption band (insets 10 left and right, 40 high) holds one
// control of each kind, 60 px wide, from x = 0.
std::map<std::wstring, std::string> Skin(const char *roundCorner) {
    return {{L"TaskIconMenuUI.xml",
             std::string("<Window size=\"300,200\" caption=\"10,0,10,40\" roundcorner=\"") + roundCorner +
                 "\"><VerticalLayout><HorizontalLayout height=\"40\">"
                 "<Label name=\"lbl\" width=\"60\" /><Button name=\"btn\" width=\"60\" />"
                 "<Option name=\"opt\" width=\"60\" /><Text name=\"txt\" width=\"60\" /><Label name=\"lbl2\" />"
                 "</HorizontalLayout><Label name=\"below\" /></VerticalLayout></Window>"}};
}

class Menu : public CTaskIconMenuWnd {
public:
    Menu() {
        Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
        ::SetWindowPos(m_hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        testsupport::PumpPending();
    }
    ~Menu() override {
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
    void OnFinalMessage(HWND) override {}  // the test owns the object
    LRESULT HitTest(int x, int y) {
        POINT pt = {x, y};
        ::ClientToScreen(m_hWnd, &pt);
        return ::SendMessageW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }
};

class SkinnedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        TakeQuitMessage();
    }
    void TearDown() override { EXPECT_FALSE(TakeQuitMessage()) << "a quit message was left over"; }
    testsupport::MessageBoxWatcher m_boxes;
};

}  // namespace

TEST_F(SkinnedWindowTest, CreationDropsTheCaptionStyleAndTheCaptionBandDragsOverLabelsOnly) {
    TempSkinFolder skins(Skin("0,0"));
    Menu menu;
    const LONG style = ::GetWindowLongW(menu.GetHWND(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    RECT rc = {};
    ::GetWindowRect(menu.GetHWND(), &rc);
    EXPECT_EQ(rc.right - rc.left, 300) << "the skin gives the size";
    ::SetWindowTextW(menu.GetHWND(), L"probe");
    EXPECT_EQ(::GetWindowTextLengthW(menu.GetHWND()), 5) << "unlisted messages reach the default procedure";
    EXPECT_EQ(::SendMessageW(menu.GetHWND(), WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_EQ(::SendMessageW(menu.GetHWND(), WM_NCACTIVATE, TRUE, 0), FALSE);
    const struct {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {30, 20, HTCAPTION},  {30, 0, HTCAPTION},  {30, 39, HTCAPTION}, {30, 40, HTCLIENT},    // label, band edges
        {10, 20, HTCAPTION},  {290, 20, HTCLIENT}, {9, 20, HTCLIENT},   {289, 20, HTCAPTION},  // insets
        {90, 20, HTCLIENT},   {150, 20, HTCLIENT}, {210, 20, HTCLIENT},                        // button, option, text
        {150, 120, HTCLIENT}, {2, 198, HTCLIENT}};
    for (const auto &c : cases) EXPECT_EQ(menu.HitTest(c.x, c.y), c.expected) << c.x << "," << c.y;
}

// A message the window's own table passed on must not reach the same handler again.
TEST_F(SkinnedWindowTest, RoundCornersClipTheWindowOnlyWhenTheSkinAsksForThem) {
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    {
        TempSkinFolder skins(Skin("12,12"));
        Menu menu;  // at (100, 100): the region is in window coordinates
        ::SetWindowRgn(menu.GetHWND(), nullptr, FALSE);
        {
            SentMessages log(menu.GetHWND(), {WM_WINDOWPOSCHANGED});
            ::SendMessageW(menu.GetHWND(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
            EXPECT_EQ(log.seen.size(), 1u) << "the region set once";
        }
        {
            SentMessages log(menu.GetHWND(), {WM_WINDOWPOSCHANGED});
            ::SendMessageW(menu.GetHWND(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
            EXPECT_TRUE(log.seen.empty()) << "the same region again would repaint the window";
        }
        ASSERT_NE(::GetWindowRgn(menu.GetHWND(), rgn), ERROR);
        EXPECT_FALSE(::PtInRegion(rgn, 0, 0)) << "corner cut";
        RECT box = {};
        ::GetRgnBox(rgn, &box);
        EXPECT_EQ(box.right * 1000 + box.bottom, 300200) << "the window's own size, at its origin";
        ::SetWindowRgn(menu.GetHWND(), nullptr, FALSE);
        ::ShowWindow(menu.GetHWND(), SW_MINIMIZE);
        ::SendMessageW(menu.GetHWND(), WM_SIZE, SIZE_MINIMIZED, 0);
        if (::IsIconic(menu.GetHWND())) {
            EXPECT_EQ(::GetWindowRgn(menu.GetHWND(), rgn), ERROR) << "minimised";
        }
    }
    TempSkinFolder skins(Skin("0,0"));
    Menu menu;
    ::SendMessageW(menu.GetHWND(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(::GetWindowRgn(menu.GetHWND(), rgn), ERROR) << "no region for a 0 x 0 corner";
    ::DeleteObject(rgn);
}

TEST_F(SkinnedWindowTest, MaximisedPlacementIsTheWorkAreaOfTheWindowsMonitor) {
    TempSkinFolder skins(Skin("0,0"));
    Menu menu;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(menu.GetHWND(), MONITOR_DEFAULTTONEAREST), &info);
    MINMAXINFO mmi;
    memset(&mmi, 0x77, sizeof(mmi));
    ::SendMessageW(menu.GetHWND(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    const RECT got = {mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x, mmi.ptMaxSize.y},
               want = {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top,
                       info.rcWork.right - info.rcWork.left, info.rcWork.bottom - info.rcWork.top};
    EXPECT_TRUE(::EqualRect(&got, &want));
    EXPECT_EQ(mmi.ptReserved.x, 0x77777777) << "other fields left alone";
}
