// The main window with the installed skins and the service double. If these fail, the console
// starts without pages or tray, sends clicks astray, or cannot be hidden, shown or ended.
#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "app/ConsoleVersion.h"
#include "app/Poller.h"
#include "basestation/BsConfigDialog.h"
#include "calls/PlayWindow.h"
#include "tests/double/ServiceDouble.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/shell/ShellHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "ui/DemoFrameWnd.h"
#include "ui/PrivateMessages.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

using namespace shelltest;
namespace sd = servicedouble;

namespace {

bool Visible(HWND hWnd) { return ::IsWindowVisible(hWnd) != FALSE; }

RECT WindowRect(HWND hWnd) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

}  // namespace

class MainFrameTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() {
        ::DestroyWindow(bstest::MainFrame().GetHWND());
        TakeQuitMessage();
    }
    void SetUp() override {
        ::CoInitialize(nullptr);
        m_frame = &bstest::MainFrame();
        m_hWnd = m_frame->GetHWND();
        TakeQuitMessage();
        ::ShowWindow(m_hWnd, SW_SHOW);
        testsupport::PumpPending();
    }
    void TearDown() override { EXPECT_FALSE(TakeQuitMessage()) << "unexpected quit message"; }

    CPaintManagerUI &pm() { return m_frame->PaintManager(); }
    CControlUI *Find(LPCTSTR name) { return pm().FindControl(name); }
    HWND TrayMenu() { return m_frame->TrayMenu()->GetHWND(); }
    std::vector<int> Pages() {
        std::vector<int> out;
        for (LPCTSTR name : {L"menu_switch", L"menu0_switch", L"menu1_switch"})
            out.push_back(static_cast<CTabLayoutUI *>(Find(name)->GetInterface(L"TabLayout"))->GetCurSel());
        return out;
    }

    CDemoFrameWnd *m_frame = nullptr;
    HWND m_hWnd = nullptr;
    testsupport::MessageBoxWatcher m_boxes;
};

TEST_F(MainFrameTest, CreationMakesTheHiddenWindowsAndShowsTheVersion) {
    EXPECT_EQ(::GetWindowLongW(TrayMenu(), GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    for (HWND hidden : {TrayMenu(), g_pBsCfgFrameWnd->GetHWND(), g_pPlayWnd->GetHWND()}) EXPECT_FALSE(Visible(hidden));
    EXPECT_EQ(Find(L"GuideVersion")->GetText(), L"版本 " CONSOLE_VERSION_WTEXT);
}

TEST_F(MainFrameTest, SystemCloseOnAnyOfTheFourWindowsQuitsWithoutClosingIt) {
    for (HWND hWnd : {m_hWnd, TrayMenu(), g_pBsCfgFrameWnd->GetHWND(), g_pPlayWnd->GetHWND()}) {
        const bool visible = Visible(hWnd);
        SentMessages log(hWnd, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
        EXPECT_EQ(::SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
        EXPECT_EQ(log.seen, (std::vector<std::pair<UINT, WPARAM>>{{WM_SYSCOMMAND, SC_CLOSE}}));
        EXPECT_TRUE(TakeQuitMessage());
        EXPECT_EQ(Visible(hWnd), visible);
    }
}

// An option named otherwise (letter case, a space) switches nothing.
TEST_F(MainFrameTest, NavigationOptionsSwitchTheirPages) {
    const struct {
        const wchar_t *option;
        std::vector<int> pages;
    } steps[] = {{L"menu1", {1, 0, 1}}, {L"menu1_0", {1, 0, 0}}, {L"menu1_1", {1, 0, 1}},
                 {L"menu0", {0, 0, 1}}, {L"menu0_1", {0, 1, 1}}, {L"menu0_0", {0, 0, 1}}};
    for (const auto &step : steps) {
        testsupport::ClickControl(m_hWnd, Find(step.option));
        EXPECT_EQ(Pages(), step.pages) << testing::PrintToString(std::wstring(step.option));
    }
    for (LPCTSTR name : {L"Menu1", L"MENU0_1", L"menu2", L"menu1 ", L""}) {
        COptionUI stray;
        stray.SetName(name);
        pm().SendNotify(&stray, DUI_MSGTYPE_SELECTCHANGED);
        EXPECT_EQ(Pages(), steps[5].pages);
    }
}

TEST_F(MainFrameTest, ClicksInsidePagesReachTheirPage) {
    const struct {
        const wchar_t *group, *page, *control;
        const char *serviceCall;  // what the page's handler calls, or null
    } cases[] = {{L"menu1", L"menu1_1", L"FindVoiceFileBtn", "DbGetCallFirst"},
                 {L"menu1", L"menu1_0", L"RecordCtrlBtn", "VoiceRecordFlag"},
                 {L"menu0", L"menu0_0", L"ListRefreshBtn", nullptr}};
    for (const auto &c : cases) {
        for (LPCTSTR option : {c.group, c.page}) testsupport::ClickControl(m_hWnd, Find(option));
        sd::Double()->calls.clear();
        testsupport::ClickControl(m_hWnd, Find(c.control));
        EXPECT_EQ(c.serviceCall ? sd::CallCount(c.serviceCall) : sd::Calls().size() + 1, 1u)
            << "the page's handler ran";
    }
}

TEST_F(MainFrameTest, CaptionButtons) {
    const RECT placed = WindowRect(m_hWnd);
    const struct {
        const wchar_t *button;
        std::vector<std::pair<UINT, WPARAM>> sent;
    } cases[] = {{L"maxbtn", {}},
                 {L"restorebtn", {}},
                 {L"minbtn", {{WM_SYSCOMMAND, SC_MINIMIZE}}},
                 {L"closebtn", {{WM_HIDE_MAIN, 0}}}};
    for (const auto &c : cases) {
        SentMessages log(m_hWnd, {WM_SYSCOMMAND, WM_HIDE_MAIN, WM_CLOSE});
        pm().SendNotify(Find(c.button), DUI_MSGTYPE_CLICK);
        EXPECT_EQ(log.seen, c.sent) << testing::PrintToString(std::wstring(c.button));
    }
    EXPECT_FALSE(Visible(m_hWnd));
    EXPECT_TRUE(IsTrayIconAdded());
    ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(m_hWnd) || ::IsZoomed(m_hWnd));
    ::ShowWindow(m_hWnd, SW_HIDE);
    ::SendMessageW(m_hWnd, WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
    const RECT shown = WindowRect(m_hWnd);
    EXPECT_TRUE(::EqualRect(&placed, &shown)) << "shown again at its previous place";
}

// Showing the main window activates it: the menu, shown, loses the focus and hides.
TEST_F(MainFrameTest, PrivateMessagesAnswerAsTheirTableSays) {
    const struct {
        UINT message;
        LPARAM lParam;
        LRESULT result;
        bool mainVisible, menuVisible;
    } cases[] = {{WM_HIDE_MAIN, 0, 1, false, false},
                 {WM_TRAY_NOTIFY, WM_LBUTTONDOWN, 0, false, false},
                 {WM_TRAY_NOTIFY, WM_RBUTTONUP, 0, false, false},
                 {WM_TRAY_NOTIFY, WM_MOUSEMOVE, 0, false, false},
                 {WM_TRAY_NOTIFY, WM_LBUTTONDBLCLK, 0, true, false},
                 {WM_SHOW_TRAY_MENU, 0, 0, true, true},
                 {WM_HIDE_MAIN, 0, 1, false, true},
                 {WM_TRAY_NOTIFY, WM_RBUTTONDOWN, 0, false, true},
                 {WM_TRAY_NOTIFY, WM_LBUTTONDBLCLK, 0, true, false}};
    for (const auto &c : cases) {
        EXPECT_EQ(::SendMessageW(m_hWnd, c.message, 0, c.lParam), c.result) << c.message << " " << c.lParam;
        EXPECT_EQ(Visible(m_hWnd), c.mainVisible) << c.message << " " << c.lParam;
        EXPECT_EQ(Visible(TrayMenu()), c.menuVisible) << c.message << " " << c.lParam;
    }
    ::ShowWindow(TrayMenu(), SW_HIDE);
}

TEST_F(MainFrameTest, TrayMenuOpensThirtyPixelsAboveTheCursorAndHidesOnFocusLoss) {
    for (POINT target : {POINT{400, 300}, POINT{1270, 890}}) {
        ::SetCursorPos(target.x, target.y);
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::SendMessageW(m_hWnd, WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
        const RECT menu = WindowRect(TrayMenu());
        EXPECT_EQ(menu.left, cursor.x);
        EXPECT_EQ(menu.top, cursor.y - 30);
        EXPECT_EQ(menu.right - menu.left, m_frame->TrayMenu()->PaintManager().GetInitSize().cx) << "not moved inside";
        EXPECT_EQ(::GetForegroundWindow(), TrayMenu()) << "brought forward so a click elsewhere hides it";
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
        EXPECT_TRUE(testsupport::WaitFor([&] { return !Visible(TrayMenu()); }));
    }
}

TEST_F(MainFrameTest, TrayMenuClosedFromOutsideIsMadeAgainWhenNextShown) {
    const HWND old = TrayMenu();
    ::SendMessageW(old, WM_CLOSE, 0, 0);  // another program closes it: it deletes itself
    ASSERT_FALSE(::IsWindow(old));
    EXPECT_FALSE(TakeQuitMessage()) << "the console keeps running";
    EXPECT_EQ(m_frame->TrayMenu(), nullptr) << "judged by the object, not by a handle another window may take";
    ::SendMessageW(m_hWnd, WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    ASSERT_NE(m_frame->TrayMenu(), nullptr);
    EXPECT_TRUE(Visible(TrayMenu()));
    EXPECT_NE(m_frame->TrayMenu()->PaintManager().FindControl(L"closebtn"), nullptr);
    ::ShowWindow(TrayMenu(), SW_HIDE);
}

TEST_F(MainFrameTest, PresencePollerPassesRunOnAThreadOfTheirOwn) {
    BsConfig record{};
    sd::InvokeReport("POLLED", &record);
    ASSERT_TRUE(testsupport::WaitFor([&] { return m_frame->Rows().RowCount() == 1; }));
    sd::Double()->calls.clear();
    ASSERT_TRUE(StartPresencePoller());
    EXPECT_TRUE(testsupport::WaitFor([] { return sd::CallCount("BmHalBsStatus") >= 2; }, 4000));
    const std::vector<sd::Call> asked = sd::Calls("BmHalBsStatus");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].texts[0], "POLLED");
    EXPECT_NE(asked[0].threadId, ::GetCurrentThreadId());
    sd::Double()->defaultStatus = 0;  // gone: the next pass removes the row
    EXPECT_TRUE(testsupport::WaitFor([&] { return m_frame->Rows().RowCount() == 0; }, 4000));
    sd::Double()->defaultStatus = 1;
}
