// The tray menu: a small skinned pop-up ("TaskIconMenuUI.xml") shown at the cursor by the
// tray icon, hidden when it loses the focus. Its "closebtn" removes the tray icon and ends
// the console. Created once, hidden, by the main window; never sized by code.
#pragma once

#include "ui/SkinnedWindow.h"
#include "uilib/UIlib.h"

class CTaskIconMenuWnd : public WindowImplBase, public CContainerUI {
public:
    // ownerRef: the owner's pointer to this menu, cleared when the menu deletes itself.
    explicit CTaskIconMenuWnd(CTaskIconMenuWnd **ownerRef = nullptr);

    LPCTSTR GetWindowClassName() const override;  // "UIBsCfgFrame", shared with the dialog
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;

    CDuiString GetSkinFolder() override;
    CDuiString GetSkinFile() override;

    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    SKINNED_WINDOW_FRAME_HANDLERS()
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;

    void Notify(TNotifyUI &msg) override;
    void Init() override;  // looks up "closebtn"

    // Top-left corner at (cursor x, cursor y - 30), on top, shown and in the foreground.
    void ShowAtCursor();

    CPaintManagerUI &PaintManager() { return m_pm; }

private:
    CPaintManagerUI m_pm;
    CControlUI *m_pCloseBtn = nullptr;
    CTaskIconMenuWnd **m_ownerRef;
};
