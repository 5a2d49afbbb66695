// The main window built from the installed skins with the service double: set-up, page
// switching, notification routing to the pages, the private messages, the tray icon and
// tray menu, and quitting. If these fail, the console starts without pages or tray, sends
// clicks to the wrong handler, or cannot be hidden, shown or ended.
#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "app/ConsoleVersion.h"
#include "basestation/BsConfigDialog.h"
#include "calls/PlayWindow.h"
#include "tests/double/ServiceDouble.h"
#include "tests/shell/MessageLog.h"
#include "tests/shell/ShellHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"
#include "ui/MainWindowRef.h"
#include "ui/PrivateMessages.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

using namespace shelltest;
using servicedouble::ServiceDouble;

namespace {

// The main frame with its notify handlers observed.
class RecordingFrame : public CDemoFrameWnd {
public:
    std::vector<std::wstring> clicks;
    std::vector<std::wstring> selections;
    void OnClick(TNotifyUI &msg) override {
        clicks.push_back(msg.pSender != nullptr ? msg.pSender->GetName() : L"");
        CDemoFrameWnd::OnClick(msg);
    }
    void OnSelectChanged(TNotifyUI &msg) override {
        selections.push_back(msg.pSender != nullptr ? msg.pSender->GetName() : L"");
        CDemoFrameWnd::OnSelectChanged(msg);
    }
};

int CurSel(CPaintManagerUI &pm, LPCTSTR tabName) {
    CControlUI *tab = pm.FindControl(tabName);
    if (tab == nullptr) return -100;
    return static_cast<CTabLayoutUI *>(tab->GetInterface(L"TabLayout"))->GetCurSel();
}

RECT WindowRect(HWND hWnd) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

}  // namespace

class MainFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServiceDouble::Reset();
        ::CoInitialize(nullptr);
        testsupport::UseInstalledSkins();
        s_frame = new RecordingFrame();
        s_hWnd = s_frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
        s_frame->CenterWindow();
        ::ShowWindow(s_hWnd, SW_SHOW);
        testsupport::PumpPending();
    }
    static void TearDownTestSuite() {
        DeleteTrayIcon();
        if (::IsWindow(s_hWnd)) ::DestroyWindow(s_hWnd);
        TakeQuitMessage();
    }

    void SetUp() override {
        ASSERT_NE(s_hWnd, nullptr);
        ASSERT_TRUE(::IsWindow(s_hWnd));
        TakeQuitMessage();
        ::ShowWindow(s_hWnd, SW_SHOW);
        s_frame->clicks.clear();
        s_frame->selections.clear();
        testsupport::PumpPending();
    }
    void TearDown() override { EXPECT_FALSE(TakeQuitMessage()) << "unexpected quit message"; }

    CPaintManagerUI &pm() { return s_frame->PaintManager(); }
    CControlUI *Find(LPCTSTR name) { return pm().FindControl(name); }
    HWND TrayMenu() { return s_frame->TrayMenu()->GetHWND(); }
    void SelectOption(LPCTSTR name) {
        COptionUI *option = static_cast<COptionUI *>(Find(name)->GetInterface(L"Option"));
        option->Selected(true);
        testsupport::PumpPending();
    }

    static RecordingFrame *s_frame;
    static HWND s_hWnd;
    testsupport::MessageBoxWatcher m_boxes;
};

RecordingFrame *MainFrameTest::s_frame = nullptr;
HWND MainFrameTest::s_hWnd = nullptr;

TEST_F(MainFrameTest, CreationBuildsTheWindowPagesTrayAndCallback) {
    wchar_t className[64] = {};
    ::GetClassNameW(s_hWnd, className, 64);
    EXPECT_STREQ(className, L"UIMainFrame");

    EXPECT_EQ(g_pMainWnd, s_frame);
    EXPECT_EQ(GetMainWindowHandle(), s_hWnd);
    EXPECT_EQ(ServiceDouble::CallCount("BmSrvSetCbProcBsReportInfo"), 1u);
    EXPECT_EQ(ServiceDouble::Callback(), &BsReportCallback);

    // The tray icon record.
    EXPECT_TRUE(IsTrayIconAdded());
    EXPECT_EQ(g_trayIcon.hWnd, s_hWnd);
    EXPECT_EQ(g_trayIcon.uID, 0u);
    EXPECT_EQ(g_trayIcon.uFlags, 7u);
    EXPECT_EQ(g_trayIcon.uCallbackMessage, 1027u);
    EXPECT_STREQ(g_trayIcon.szTip, kConsoleTitle);

    // Three hidden windows: tray menu, configuration dialog, playback window.
    ASSERT_NE(s_frame->TrayMenu(), nullptr);
    ::GetClassNameW(TrayMenu(), className, 64);
    EXPECT_STREQ(className, L"UIBsCfgFrame");
    EXPECT_EQ(::GetWindowTextLengthW(TrayMenu()), 0);
    EXPECT_EQ(::GetWindowLongW(TrayMenu(), GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::IsWindowVisible(TrayMenu()));
    ASSERT_NE(g_pBsCfgFrameWnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(g_pBsCfgFrameWnd->GetHWND()));
    ASSERT_NE(g_pPlayWnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(g_pPlayWnd->GetHWND()));

    // The three pages were expanded into their places.
    for (LPCTSTR name : {L"BsList", L"ListRefreshBtn", L"FindVoiceFileBtn", L"RecordCtrlBtn", L"RecordNote",
                         L"closebtn", L"maxbtn", L"restorebtn", L"minbtn"}) {
        EXPECT_NE(Find(name), nullptr) << testing::PrintToString(std::wstring(name));
    }
    EXPECT_FALSE(Find(L"restorebtn")->IsVisible());

    // The guide page's footer shows the version the exe's version resource carries.
    ASSERT_NE(Find(L"GuideVersion"), nullptr);
    EXPECT_EQ(Find(L"GuideVersion")->GetText(), L"版本 " CONSOLE_VERSION_WTEXT);
}

TEST_F(MainFrameTest, SystemCloseOnAnyOfTheFourWindowsQuitsWithoutClosingIt) {
    const HWND windows[] = {s_hWnd, TrayMenu(), g_pBsCfgFrameWnd->GetHWND(), g_pPlayWnd->GetHWND()};
    for (HWND hWnd : windows) {
        SCOPED_TRACE(hWnd == s_hWnd ? "main" : "secondary");
        const BOOL visible = ::IsWindowVisible(hWnd);
        MessageLog log(hWnd, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
        EXPECT_EQ(::SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
        EXPECT_SEQUENCE(log, {{WM_SYSCOMMAND, SC_CLOSE, 0, kExact}});
        EXPECT_TRUE(TakeQuitMessage());
        EXPECT_TRUE(::IsWindow(hWnd));
        EXPECT_EQ(::IsWindowVisible(hWnd), visible);
    }
}

TEST_F(MainFrameTest, NavigationOptionsSwitchTheirPages) {
    struct Step {
        const wchar_t *option;
        int groups, stations, calls;  // expected selections of the three tab layouts
    } steps[] = {
        {L"menu1", 1, 0, 1}, {L"menu1_0", 1, 0, 0}, {L"menu1_1", 1, 0, 1},
        {L"menu0", 0, 0, 1}, {L"menu0_1", 0, 1, 1}, {L"menu0_0", 0, 0, 1},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(step.option)));
        CControlUI *option = Find(step.option);
        ASSERT_NE(option, nullptr);
        ASSERT_TRUE(option->IsVisible());
        testsupport::ClickControl(s_hWnd, option);
        EXPECT_EQ(CurSel(pm(), L"menu_switch"), step.groups);
        EXPECT_EQ(CurSel(pm(), L"menu0_switch"), step.stations);
        EXPECT_EQ(CurSel(pm(), L"menu1_switch"), step.calls);
    }
}

TEST_F(MainFrameTest, SelectionFromAnOptionNamedOtherwiseSwitchesNothing) {
    SelectOption(L"menu0");
    const int before[] = {CurSel(pm(), L"menu_switch"), CurSel(pm(), L"menu0_switch"), CurSel(pm(), L"menu1_switch")};
    for (LPCTSTR name : {L"Menu1", L"MENU0_1", L"menu2", L"menu1 ", L""}) {
        COptionUI stray;
        stray.SetName(name);
        pm().SendNotify(&stray, DUI_MSGTYPE_SELECTCHANGED);
        testsupport::PumpPending();
        ASSERT_FALSE(s_frame->selections.empty()) << "the main frame's handler ran";
        EXPECT_EQ(s_frame->selections.back(), name);
        EXPECT_EQ(CurSel(pm(), L"menu_switch"), before[0]);
        EXPECT_EQ(CurSel(pm(), L"menu0_switch"), before[1]);
        EXPECT_EQ(CurSel(pm(), L"menu1_switch"), before[2]);
    }
}

TEST_F(MainFrameTest, ClicksInsidePagesReachTheirPageAndNeverTheMainFrame) {
    struct PageClick {
        const wchar_t *group, *page, *control;
        const char *serviceCall;  // what the page's handler calls, or null
    } cases[] = {
        {L"menu1", L"menu1_1", L"FindVoiceFileBtn", "DbGetCallFirst"},
        {L"menu1", L"menu1_0", L"RecordCtrlBtn", "VoiceRecordFlag"},
        {L"menu0", L"menu0_0", L"ListRefreshBtn", nullptr},
    };
    for (const PageClick &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.control)));
        SelectOption(c.group);
        SelectOption(c.page);
        CControlUI *control = Find(c.control);
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(control->IsVisible());
        ServiceDouble::ClearCalls();
        testsupport::ClickControl(s_hWnd, control);
        testsupport::PumpPending();
        EXPECT_TRUE(s_frame->clicks.empty()) << "the main frame saw " << testing::PrintToString(s_frame->clicks);
        if (c.serviceCall != nullptr) {
            EXPECT_GE(ServiceDouble::CallCount(c.serviceCall), 1u) << "the page's handler ran";
        } else {
            EXPECT_TRUE(ServiceDouble::Calls().empty());
        }
    }
    SelectOption(L"menu0");
    // A control outside the pages reaches the main frame.
    testsupport::ClickControl(s_hWnd, Find(L"maxbtn"));
    EXPECT_EQ(s_frame->clicks, std::vector<std::wstring>{L"maxbtn"});
}

TEST_F(MainFrameTest, CloseButtonHidesToTheTrayAndDoubleClickOnTheIconShowsAgain) {
    const RECT placed = WindowRect(s_hWnd);
    {
        MessageLog log(s_hWnd, {WM_HIDE_MAIN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
        testsupport::ClickControl(s_hWnd, Find(L"closebtn"));
        EXPECT_SEQUENCE(log, {{WM_HIDE_MAIN, 0, 0, kExact}});
    }
    EXPECT_FALSE(::IsWindowVisible(s_hWnd));
    EXPECT_TRUE(IsTrayIconAdded());

    // Single clicks, button-ups and moves on the icon change nothing.
    for (LPARAM mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONDOWN}) {
        EXPECT_EQ(::SendMessageW(s_hWnd, WM_TRAY_NOTIFY, 0, mouse), 0);
        EXPECT_FALSE(::IsWindowVisible(s_hWnd)) << "mouse message " << mouse;
        EXPECT_FALSE(::IsWindowVisible(TrayMenu())) << "mouse message " << mouse;
    }
    EXPECT_EQ(::SendMessageW(s_hWnd, WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK), 0);
    EXPECT_TRUE(::IsWindowVisible(s_hWnd));
    const RECT shown = WindowRect(s_hWnd);
    EXPECT_TRUE(::EqualRect(&placed, &shown)) << "shown again at its previous place";
    // While it is visible a double-click changes nothing.
    EXPECT_EQ(::SendMessageW(s_hWnd, WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK), 0);
    EXPECT_TRUE(::IsWindowVisible(s_hWnd));
}

TEST_F(MainFrameTest, MinimiseButtonMinimisesAndMaximiseRestoreButtonsDoNothing) {
    {
        MessageLog log(s_hWnd, {WM_SYSCOMMAND, WM_HIDE_MAIN});
        testsupport::ClickControl(s_hWnd, Find(L"maxbtn"));
        EXPECT_SEQUENCE(log, {});
    }
    EXPECT_FALSE(::IsZoomed(s_hWnd));
    pm().SendNotify(Find(L"restorebtn"), DUI_MSGTYPE_CLICK);
    EXPECT_FALSE(::IsZoomed(s_hWnd));
    EXPECT_TRUE(::IsWindowVisible(s_hWnd));
    {
        MessageLog log(s_hWnd, {WM_SYSCOMMAND, WM_HIDE_MAIN});
        testsupport::ClickControl(s_hWnd, Find(L"minbtn"));
        EXPECT_SEQUENCE(log, {{WM_SYSCOMMAND, SC_MINIMIZE, 0, kExact}});
    }
    EXPECT_TRUE(::IsIconic(s_hWnd));
    ::SendMessageW(s_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(s_hWnd));
}

TEST_F(MainFrameTest, PrivateMessagesAnswerAsTheirTableSays) {
    struct Case {
        UINT message;
        LPARAM lParam;
        LRESULT result;
        bool mainVisible, menuVisible;
    } cases[] = {
        {WM_HIDE_MAIN, 0, 1, false, false},
        {WM_TRAY_NOTIFY, WM_LBUTTONDBLCLK, 0, true, false},
        {WM_SHOW_TRAY_MENU, 0, 0, true, true},
        {WM_HIDE_MAIN, 0, 1, false, true},
        {WM_TRAY_NOTIFY, WM_RBUTTONDOWN, 0, false, true},
        {WM_TRAY_NOTIFY, WM_LBUTTONDOWN, 0, false, true},
        // Showing the main window activates it: the menu loses the focus and hides.
        {WM_TRAY_NOTIFY, WM_LBUTTONDBLCLK, 0, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(::SendMessageW(s_hWnd, c.message, 0, c.lParam), c.result);
        EXPECT_EQ(::IsWindowVisible(s_hWnd) != FALSE, c.mainVisible);
        EXPECT_EQ(::IsWindowVisible(TrayMenu()) != FALSE, c.menuVisible);
    }
    ::ShowWindow(TrayMenu(), SW_HIDE);
}

TEST_F(MainFrameTest, TrayMenuOpensThirtyPixelsAboveTheCursorAndHidesOnFocusLoss) {
    const POINT targets[] = {{400, 300}, {1270, 890}};
    for (POINT target : targets) {
        ::SetCursorPos(target.x, target.y);
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        EXPECT_EQ(::SendMessageW(s_hWnd, WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN), 0);
        const RECT menu = WindowRect(TrayMenu());
        EXPECT_EQ(menu.left, cursor.x);
        EXPECT_EQ(menu.top, cursor.y - 30);
        const SIZE skinSize = s_frame->TrayMenu()->PaintManager().GetInitSize();
        EXPECT_EQ(menu.right - menu.left, skinSize.cx) << "the skin's size, not adjusted to the screen";
        EXPECT_EQ(menu.bottom - menu.top, skinSize.cy);
        EXPECT_TRUE(::IsWindowVisible(TrayMenu()));
        EXPECT_EQ(::GetForegroundWindow(), TrayMenu()) << "brought forward so a click elsewhere hides it";

        ::SetForegroundWindow(s_hWnd);
        ::SetFocus(s_hWnd);
        EXPECT_TRUE(testsupport::WaitFor([&] { return !::IsWindowVisible(TrayMenu()); }));
    }
}

TEST_F(MainFrameTest, TrayMenuCloseButtonRemovesTheIconAndQuits) {
    ::SendMessageW(s_hWnd, WM_SHOW_TRAY_MENU, 0, 0);
    CControlUI *close = s_frame->TrayMenu()->PaintManager().FindControl(L"closebtn");
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(::IsWindowVisible(TrayMenu()));
    testsupport::ClickControl(TrayMenu(), close);
    EXPECT_FALSE(IsTrayIconAdded());
    EXPECT_TRUE(TakeQuitMessage());
    ::ShowWindow(TrayMenu(), SW_HIDE);

    AddTrayIcon(s_hWnd);  // back for the tests that follow
    // The shell's restart message adds the icon again and is answered.
    EXPECT_EQ(::SendMessageW(s_hWnd, TaskbarCreatedMessage(), 0, 0), 0);
    EXPECT_TRUE(IsTrayIconAdded());
}

TEST_F(MainFrameTest, TrayMenuClosedFromOutsideIsMadeAgainWhenNextShown) {
    const HWND old = TrayMenu();
    ::SendMessageW(old, WM_CLOSE, 0, 0);  // another program closes it: it deletes itself
    ASSERT_FALSE(::IsWindow(old));
    EXPECT_FALSE(TakeQuitMessage()) << "the console keeps running";
    // Judged by the object, not by a handle value that another window may take next.
    EXPECT_EQ(s_frame->TrayMenu(), nullptr);

    EXPECT_EQ(::SendMessageW(s_hWnd, WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN), 0);
    ASSERT_TRUE(::IsWindow(TrayMenu()));
    EXPECT_TRUE(::IsWindowVisible(TrayMenu()));
    EXPECT_NE(s_frame->TrayMenu()->PaintManager().FindControl(L"closebtn"), nullptr);
    ::ShowWindow(TrayMenu(), SW_HIDE);
}

// Last: it ends the main window.
// Ctrl+Tab and Ctrl+Shift+Tab, sent to the main window, step through the four pages in
// the navigation's order, wrapping.
TEST_F(MainFrameTest, CtrlTabSwitchesThePagesInTurn) {
    for (const wchar_t *name : {L"menu1", L"menu1_1", L"menu0", L"menu0_0"})
        testsupport::ClickControl(s_hWnd, Find(name));
    auto ctrlTab = [](bool shift) {
        BYTE saved[256], keys[256];
        ::GetKeyboardState(saved);
        memcpy(keys, saved, sizeof keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::SendMessageW(s_hWnd, WM_KEYDOWN, VK_TAB, 1);
        ::SendMessageW(s_hWnd, WM_KEYUP, VK_TAB, 0xC0000001);
        ::SetKeyboardState(saved);
    };
    struct Step {
        bool back;
        int groups, stations, calls;
    } steps[] = {{false, 0, 1, 1}, {false, 1, 1, 1}, {false, 1, 1, 0},
                 {false, 0, 0, 0}, {true, 1, 0, 0},  {true, 1, 0, 1}};
    for (const Step &step : steps) {
        ctrlTab(step.back);
        EXPECT_EQ(CurSel(pm(), L"menu_switch"), step.groups);
        EXPECT_EQ(CurSel(pm(), L"menu0_switch"), step.stations);
        EXPECT_EQ(CurSel(pm(), L"menu1_switch"), step.calls);
    }
}

TEST_F(MainFrameTest, ZzDestroyingTheMainWindowQuitsAndRemovesTheIcon) {
    ASSERT_TRUE(IsTrayIconAdded());
    ::DestroyWindow(s_hWnd);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_FALSE(IsTrayIconAdded());
    EXPECT_FALSE(::IsWindow(s_hWnd));
}
