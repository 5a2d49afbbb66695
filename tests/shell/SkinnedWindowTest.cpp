// The shared skinned-window behaviour, on the tray menu's window class with skins of the
// test's own: message routing, caption hit test, rounded region, maximised placement and
// system commands. If these fail, windows cannot be dragged, lose their shape, maximise
// under the taskbar or do not quit the console from Alt+F4.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/shell/MessageLog.h"
#include "tests/shell/ShellHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"
#include "ui/SkinnedWindow.h"
#include "ui/TaskIconMenuWnd.h"

using namespace shelltest;

namespace {

const char kMenuSkinHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// A 300 x 200 window whose caption band (insets 10 left and right, 40 high) holds one
// control of each kind, 60 px wide, from x = 0.
std::string CaptionSkin(const char *roundCorner, const char *extraButtons = "") {
    return std::string(kMenuSkinHead) + "<Window size=\"300,200\" caption=\"10,0,10,40\" roundcorner=\"" + roundCorner +
           "\"><VerticalLayout>"
           "<HorizontalLayout height=\"40\">"
           "<Label name=\"lbl\" width=\"60\" /><Button name=\"btn\" width=\"60\" />"
           "<Option name=\"opt\" width=\"60\" /><Text name=\"txt\" width=\"60\" />"
           "<Label name=\"lbl2\" />" +
           extraButtons +
           "</HorizontalLayout>"
           "<Label name=\"below\" /></VerticalLayout></Window>";
}

// A tray-menu window built from the current resource path, placed at (100, 100).
class MenuWindow {
public:
    MenuWindow() : m_wnd(new CTaskIconMenuWnd()) {
        m_hWnd = m_wnd->Create(nullptr, L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 0, 0);
        ::SetWindowPos(m_hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        testsupport::PumpPending();
    }
    ~MenuWindow() {
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);  // deletes the object
        testsupport::PumpPending();
    }
    HWND hWnd() const { return m_hWnd; }
    CTaskIconMenuWnd &wnd() { return *m_wnd; }
    CControlUI *Find(LPCTSTR name) { return m_wnd->PaintManager().FindControl(name); }

    LRESULT HitTest(int x, int y) {
        const POINT pt = ScreenPoint(m_hWnd, POINT{x, y});
        return ::SendMessageW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }

private:
    CTaskIconMenuWnd *m_wnd;
    HWND m_hWnd = nullptr;
};

// The tray menu with a count of each passed-on handler's calls.
class CountingMenu : public CTaskIconMenuWnd {
public:
    std::map<std::string, int> calls;
#define COUNT(name, base)                                                                                              \
    LRESULT name(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override {                                   \
        ++calls[#name];                                                                                                \
        return base::name(uMsg, wParam, lParam, bHandled);                                                             \
    }
    COUNT(OnSize, CTaskIconMenuWnd)
    COUNT(OnGetMinMaxInfo, CTaskIconMenuWnd)
    COUNT(OnKillFocus, CTaskIconMenuWnd)
    COUNT(OnDestroy, CTaskIconMenuWnd)
#undef COUNT
    void OnFinalMessage(HWND) override {}  // the test owns the object
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

TEST_F(SkinnedWindowTest, CreationDropsTheCaptionStyleAndAddsClipping) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("0,0")}});
    MenuWindow menu;
    const LONG style = ::GetWindowLongW(menu.hWnd(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    RECT rc = {};
    ::GetWindowRect(menu.hWnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, 300) << "the skin gives the size";
    EXPECT_EQ(rc.bottom - rc.top, 200);
    EXPECT_NE(menu.Find(L"btn"), nullptr) << "the skin was attached to the window's own manager";
    ::SetWindowTextW(menu.hWnd(), L"probe");
    wchar_t text[16] = {};
    ::GetWindowTextW(menu.hWnd(), text, 16);
    EXPECT_STREQ(text, L"probe") << "unlisted messages fall back to the default procedure";
}

TEST_F(SkinnedWindowTest, CaptionBandDragsOverLabelsButNotOverButtonsOptionsOrText) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("0,0")}});
    MenuWindow menu;
    struct HitCase {
        int x, y;
        LRESULT expected;
        const char *what;
    } cases[] = {
        {30, 20, HTCAPTION, "label in the band"},
        {30, 0, HTCAPTION, "top edge of the band"},
        {30, 39, HTCAPTION, "last row of the band"},
        {30, 40, HTCLIENT, "first row below the band"},
        {5, 20, HTCLIENT, "left inset"},
        {90, 20, HTCLIENT, "Button"},
        {150, 20, HTCLIENT, "Option"},
        {210, 20, HTCLIENT, "Text"},
        {265, 20, HTCAPTION, "second label"},
        {295, 20, HTCLIENT, "right inset"},
        {150, 120, HTCLIENT, "label below the band"},
        {2, 198, HTCLIENT, "bottom-left corner: no sizing edges"},
    };
    for (const HitCase &c : cases) {
        EXPECT_EQ(menu.HitTest(c.x, c.y), c.expected) << c.what << " at " << c.x << "," << c.y;
    }
}

TEST_F(SkinnedWindowTest, RoundCornersClipTheWindowOnlyWhenTheSkinAsksForThem) {
    {
        TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("12,12")}});
        MenuWindow menu;
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(menu.hWnd(), rgn), ERROR);
        EXPECT_FALSE(::PtInRegion(rgn, 0, 0)) << "corner cut";
        EXPECT_TRUE(::PtInRegion(rgn, 150, 100));
        EXPECT_TRUE(::PtInRegion(rgn, 150, 199)) << "the region reaches the bottom edge";
        EXPECT_TRUE(::PtInRegion(rgn, 299, 100)) << "the region reaches the right edge";

        // Minimised: the region is left alone.
        ::SetWindowRgn(menu.hWnd(), nullptr, FALSE);
        ::ShowWindow(menu.hWnd(), SW_MINIMIZE);
        if (::IsIconic(menu.hWnd())) {
            ::SendMessageW(menu.hWnd(), WM_SIZE, SIZE_MINIMIZED, 0);
            EXPECT_EQ(::GetWindowRgn(menu.hWnd(), rgn), ERROR);
        }
        ::DeleteObject(rgn);
    }
    {
        TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("0,0")}});
        MenuWindow menu;
        ::SendMessageW(menu.hWnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(menu.hWnd(), rgn), ERROR) << "no region for a 0 x 0 corner";
        ::DeleteObject(rgn);
    }
}

TEST_F(SkinnedWindowTest, MaximisedPlacementIsTheWorkAreaOfTheWindowsMonitor) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("0,0")}});
    MenuWindow menu;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(menu.hWnd(), MONITOR_DEFAULTTONEAREST), &info);

    MINMAXINFO mmi;
    memset(&mmi, 0x77, sizeof(mmi));
    ::SendMessageW(menu.hWnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMaxPosition.x, info.rcWork.left - info.rcMonitor.left);
    EXPECT_EQ(mmi.ptMaxPosition.y, info.rcWork.top - info.rcMonitor.top);
    EXPECT_EQ(mmi.ptMaxSize.x, info.rcWork.right - info.rcWork.left);
    EXPECT_EQ(mmi.ptMaxSize.y, info.rcWork.bottom - info.rcWork.top);
    EXPECT_EQ(mmi.ptReserved.x, 0x77777777) << "other fields left alone";
}

// With the two buttons in the skin they swap; without them the window still maximises.
TEST_F(SkinnedWindowTest, MaximiseAndRestoreSwapTheButtonsWhereTheSkinHasThem) {
    for (bool buttons : {true, false}) {
        SCOPED_TRACE(buttons ? "with buttons" : "without buttons");
        TempSkinFolder skins(
            {{L"TaskIconMenuUI.xml",
              CaptionSkin("0,0", buttons ? "<Button name=\"maxbtn\" width=\"20\" />"
                                           "<Button name=\"restorebtn\" width=\"20\" visible=\"false\" />"
                                         : "")}});
        MenuWindow menu;
        CControlUI *maxBtn = menu.Find(L"maxbtn");
        CControlUI *restoreBtn = menu.Find(L"restorebtn");
        ASSERT_EQ(maxBtn != nullptr && restoreBtn != nullptr, buttons);
        // A restore while restored leaves the state as it was and swaps nothing.
        for (WPARAM command : {SC_MAXIMIZE, SC_RESTORE, SC_RESTORE}) {
            ::SendMessageW(menu.hWnd(), WM_SYSCOMMAND, command, 0);
            const bool zoomed = command == SC_MAXIMIZE;
            ASSERT_EQ(::IsZoomed(menu.hWnd()) != FALSE, zoomed);
            if (!buttons) continue;
            EXPECT_EQ(maxBtn->IsVisible(), !zoomed);
            EXPECT_EQ(restoreBtn->IsVisible(), zoomed);
        }
    }
}

// A message the window's own table passed on goes to the paint manager and the default
// procedure, not through the library's table to the same handler again: once, each
// WM_SIZE built and set two regions.
TEST_F(SkinnedWindowTest, PassedOnMessagesRunTheirHandlerOnce) {
    TempSkinFolder skins({{L"TaskIconMenuUI.xml", CaptionSkin("12,12")}});
    CountingMenu menu;
    const HWND hWnd = menu.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    ASSERT_NE(hWnd, nullptr);
    testsupport::PumpPending();
    menu.calls.clear();
    {
        MessageLog log(hWnd, {WM_WINDOWPOSCHANGED});
        ::SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
        EXPECT_SEQUENCE(log, {{WM_WINDOWPOSCHANGED, 0, 0, kAnyParams}});  // one SetWindowRgn
    }
    MINMAXINFO mmi = {};
    ::SendMessageW(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    ::SendMessageW(hWnd, WM_KILLFOCUS, 0, 0);
    ::DestroyWindow(hWnd);
    testsupport::PumpPending();
    const std::map<std::string, int> once = {
        {"OnSize", 1}, {"OnGetMinMaxInfo", 1}, {"OnKillFocus", 1}, {"OnDestroy", 1}};
    EXPECT_EQ(menu.calls, once);
}
