#include "ui/DemoFrameWnd.h"

#include "app/ConsoleVersion.h"
#include "service/BmService.h"
#include "ui/ConsoleTitle.h"
#include "ui/MainWindowRef.h"
#include "ui/PrivateMessages.h"
#include "ui/SkinnedWindow.h"
#include "ui/StartupMarks.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

namespace {

// The tab layouts the navigation switches: the page groups, then each group's pages.
const wchar_t *const kTabLayouts[] = {L"menu_switch", L"menu0_switch", L"menu1_switch"};

struct PageSwitch {
    const wchar_t *option;
    int layout;  // index into kTabLayouts
    int page;
};

// Navigation options and the page each selects, searched in this order.
const PageSwitch kPageSwitches[] = {
    {L"menu0", 0, 0}, {L"menu1", 0, 1}, {L"menu0_0", 1, 0}, {L"menu0_1", 1, 1}, {L"menu1_0", 2, 0}, {L"menu1_1", 2, 1},
};

const wchar_t kGuideVersionText[] = L"版本 " CONSOLE_VERSION_WTEXT;

const LPARAM kTrayDoubleClick = WM_LBUTTONDBLCLK;  // 515
const LPARAM kTrayRightDown = WM_RBUTTONDOWN;      // 516

CTabLayoutUI *FindTabLayout(CPaintManagerUI &pm, LPCTSTR name) {
    CControlUI *control = pm.FindControl(name);
    if (control == nullptr) return nullptr;
    return static_cast<CTabLayoutUI *>(control->GetInterface(L"TabLayout"));
}

}  // namespace

DUI_BEGIN_MESSAGE_MAP(CDemoFrameWnd, WindowImplBase)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, CDemoFrameWnd::OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, CDemoFrameWnd::OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMCLICK, CDemoFrameWnd::OnItemClick)
DUI_END_MESSAGE_MAP()

CDemoFrameWnd::CDemoFrameWnd() : m_listLock() {}

LPCTSTR CDemoFrameWnd::GetWindowClassName() const { return L"UIMainFrame"; }
UINT CDemoFrameWnd::GetClassStyle() const { return CS_DBLCLKS; }
CDuiString CDemoFrameWnd::GetSkinFolder() { return L""; }
CDuiString CDemoFrameWnd::GetSkinFile() { return L"skin.xml"; }

void CDemoFrameWnd::OnFinalMessage(HWND) {}

LRESULT CDemoFrameWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    if (HandlePrivateMessage(uMsg, wParam, lParam, lRes)) return lRes;
    const bool routed = SkinnedWindow::RouteCommon(*this, uMsg, wParam, lParam, lRes, bHandled);
    if (bHandled) return lRes;
    return SkinnedWindow::PassOn(*this, m_pm, routed, uMsg, wParam, lParam);
}

bool CDemoFrameWnd::HandlePrivateMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes) {
    switch (uMsg) {
    case WM_BS_REPORT: lRes = m_rows.OnBsReport(wParam, lParam); return true;
    case WM_BS_REMOVE_SELECTED:
        m_rows.OnRemoveSelected();
        lRes = 0;
        return true;
    case WM_BS_GONE: lRes = m_rows.OnBsGone(wParam, lParam); return true;
    case WM_TRAY_NOTIFY:
        if (lParam == kTrayDoubleClick) {
            ::ShowWindow(m_hWnd, SW_SHOW);
        } else if (lParam == kTrayRightDown) {
            ShowTrayMenu();
        }
        lRes = 0;
        return true;
    case WM_HIDE_MAIN:
        ::ShowWindow(m_hWnd, SW_HIDE);
        lRes = 1;
        return true;
    case WM_SHOW_TRAY_MENU:
        ShowTrayMenu();
        lRes = 0;
        return true;
    default: break;
    }
    if (uMsg == TaskbarCreatedMessage()) {
        // The shell restarted and lost the icon: without it a hidden console is unreachable.
        ReaddTrayIcon();
        lRes = 0;
        return true;
    }
    return false;
}

void CDemoFrameWnd::CreateTrayMenu() {
    m_pTrayMenu = new CTaskIconMenuWnd(&m_pTrayMenu);
    const HWND menu = m_pTrayMenu->Create(nullptr, L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    if (menu == nullptr) {
        // Refused before its first message: it never got the chance to delete itself.
        delete m_pTrayMenu;
        m_pTrayMenu = nullptr;
        return;
    }
    m_pTrayMenu->CenterWindow();
    ::ShowWindow(menu, SW_HIDE);
}

void CDemoFrameWnd::ShowTrayMenu() {
    // A menu closed from outside has deleted itself and cleared the pointer: make a new
    // one. Its window handle alone could since name another window.
    if (m_pTrayMenu == nullptr) CreateTrayMenu();
    if (m_pTrayMenu != nullptr) m_pTrayMenu->ShowAtCursor();
}

bool CDemoFrameWnd::SwitchPage(bool bForward) {
    // The pages in the order the navigation shows them: group option, then page option.
    static const wchar_t *const kPages[][2] = {
        {L"menu0", L"menu0_0"}, {L"menu0", L"menu0_1"}, {L"menu1", L"menu1_1"}, {L"menu1", L"menu1_0"}};
    const int count = ARRAYSIZE(kPages);
    auto selected = [this](const wchar_t *name) {
        COptionUI *option = static_cast<COptionUI *>(
            m_pm.FindControl(name) != nullptr ? m_pm.FindControl(name)->GetInterface(L"Option") : nullptr);
        return option != nullptr && option->IsSelected();
    };
    int current = 0;
    for (int i = 0; i < count; ++i)
        if (selected(kPages[i][0]) && selected(kPages[i][1])) current = i;
    const int next = (current + (bForward ? 1 : count - 1)) % count;
    // Selected as a click selects them, so that the page switching is the options' own.
    for (const wchar_t *name : kPages[next])
        if (CControlUI *option = m_pm.FindControl(name)) option->Activate();
    if (CControlUI *page = m_pm.FindControl(kPages[next][1])) page->SetFocus();
    m_pm.ShowFocusCue();
    return true;
}

LRESULT CDemoFrameWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    SkinnedWindow::Create(m_hWnd, m_pm, L"skin.xml", this);
    startupprobe::Mark("main skin with its pages");
    InitMainFrame();
    m_pm.AddMessageFilter(&m_pageKeys);

    m_menu0_0.SetPaintManager(&m_pm);
    m_menu0_0.InitControls();
    AddVirtualWnd(L"V_Menu0_0", &m_menu0_0);
    startupprobe::Mark("base-station page and configuration dialog");

    m_menu1_1.SetPaintManager(&m_pm);
    m_menu1_1.InitControls();
    AddVirtualWnd(L"V_Menu1_1", &m_menu1_1);
    startupprobe::Mark("call-record page and playback window");

    m_menu1_0.SetPaintManager(&m_pm);
    m_menu1_0.SetControls(m_pm.FindControl(L"RecordCtrlBtn"), m_pm.FindControl(L"RecordNote"));
    AddVirtualWnd(L"V_Menu1_0", &m_menu1_0);
    startupprobe::Mark("recording page");

    g_pMainWnd = this;
    BmSrvSetCbProcBsReportInfo(BsReportCallback);
    startupprobe::Mark("report callback");
    bHandled = TRUE;
    return 0;
}

void CDemoFrameWnd::InitMainFrame() {
    m_pCloseBtn = m_pm.FindControl(L"closebtn");
    m_pMaxBtn = m_pm.FindControl(L"maxbtn");
    m_pRestoreBtn = m_pm.FindControl(L"restorebtn");
    m_pMinBtn = m_pm.FindControl(L"minbtn");
    if (CControlUI *list = m_pm.FindControl(L"BsList")) {
        m_pBsList = static_cast<CListUI *>(list->GetInterface(L"List"));
    }
    if (CControlUI *version = m_pm.FindControl(L"GuideVersion")) version->SetText(kGuideVersionText);

    AddTrayIcon(m_hWnd);
    startupprobe::Mark("tray icon");

    ::InitializeCriticalSection(&m_listLock);
    m_rows.Attach(m_pBsList, &m_listLock, m_hWnd);

    CreateTrayMenu();
    startupprobe::Mark("tray menu");
}

void CDemoFrameWnd::Notify(TNotifyUI &msg) { WindowImplBase::Notify(msg); }

void CDemoFrameWnd::OnClick(TNotifyUI &msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK) return;
    if (msg.pSender == nullptr) return;
    if (msg.pSender == m_pCloseBtn) {
        SendMessage(WM_HIDE_MAIN, 0, 0);
    } else if (msg.pSender == m_pMinBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

void CDemoFrameWnd::OnSelectChanged(TNotifyUI &msg) {
    if (msg.sType != DUI_MSGTYPE_SELECTCHANGED || msg.pSender == nullptr) return;
    const CDuiString name = msg.pSender->GetName();
    CTabLayoutUI *layouts[ARRAYSIZE(kTabLayouts)];
    for (size_t i = 0; i < ARRAYSIZE(kTabLayouts); ++i) layouts[i] = FindTabLayout(m_pm, kTabLayouts[i]);
    for (const PageSwitch &page : kPageSwitches) {
        if (name != page.option) continue;
        // A skin without the layout switches nothing rather than crashing.
        if (layouts[page.layout] != nullptr) layouts[page.layout]->SelectItem(page.page, true);
        return;
    }
}

void CDemoFrameWnd::OnItemClick(TNotifyUI &) {}

LRESULT CDemoFrameWnd::OnClose(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT CDemoFrameWnd::OnDestroy(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    DeleteTrayIcon();
    ::PostQuitMessage(0);
    bHandled = FALSE;
    return 0;
}
