// CDemoFrameWnd: the console's main window (800 x 572, "skin.xml"). Owns the three page
// handlers, the base-station list's rows and the list lock, and the tray menu; adds the
// tray icon while it is created. Notifications reach it through its notify map; the
// pages' own controls reach their handlers by virtual-window name.
#pragma once

#include "basestation/BsListPage.h"
#include "basestation/BsListRows.h"
#include "calls/CallRecordPage.h"
#include "calls/RecordingPage.h"
#include "ui/KeyFilter.h"
#include "ui/SkinnedWindow.h"
#include "uilib/UIlib.h"

class CTaskIconMenuWnd;

class CDemoFrameWnd : public WindowImplBase {
public:
    CDemoFrameWnd();

    LPCTSTR GetWindowClassName() const override;  // "UIMainFrame"
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Keeps the object: the poller and the report callback reach its list and lock from
    // other threads until the process ends.
    void OnFinalMessage(HWND hWnd) override;

    void OnClick(TNotifyUI &msg) override;
    CDuiString GetSkinFolder() override;
    CDuiString GetSkinFile() override;

    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    SKINNED_WINDOW_FRAME_HANDLERS()
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;

    virtual void OnSelectChanged(TNotifyUI &msg);
    virtual void OnItemClick(TNotifyUI &msg);

    void Notify(TNotifyUI &msg) override;

    CPaintManagerUI &PaintManager() { return m_pm; }
    // The tray menu; null once its window is gone (made again when next shown).
    CTaskIconMenuWnd *TrayMenu() const { return m_pTrayMenu; }
    BsListRows &Rows() { return m_rows; }

    DUI_DECLARE_MESSAGE_MAP()

private:
    void InitMainFrame();
    // The five private messages and "TaskbarCreated"; false for any other message.
    bool HandlePrivateMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes);
    void CreateTrayMenu();
    void ShowTrayMenu();
    // Ctrl+Tab, Ctrl+Shift+Tab: the next or previous of the four pages, wrapping.
    bool SwitchPage(bool bForward);

    CPaintManagerUI m_pm;
    CControlUI *m_pCloseBtn = nullptr;
    CControlUI *m_pMaxBtn = nullptr;
    CControlUI *m_pRestoreBtn = nullptr;
    CControlUI *m_pMinBtn = nullptr;
    CMenu0_0 m_menu0_0;
    CMenu1_1 m_menu1_1;
    CMenu1_0 m_menu1_0;
    CListUI *m_pBsList = nullptr;
    CRITICAL_SECTION m_listLock;  // initialised during creation, never deleted
    // Deletes itself when its window is destroyed, and clears this pointer as it goes.
    CTaskIconMenuWnd *m_pTrayMenu = nullptr;
    BsListRows m_rows;
    CKeyFilter m_pageKeys{[this](WPARAM vk, LPARAM) {
        return vk == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
               SwitchPage((::GetKeyState(VK_SHIFT) & 0x8000) == 0);
    }};
};
