// WindowImplBase: a frameless skinned window. Its own dispatch (HandleMessage) sends the
// common messages to the virtual handlers below; each handler takes the handled flag by
// reference and clears it to pass the message on. The library's OnCreate builds
// GetSkinFolder() + GetSkinFile() into m_PaintManager. Windows that declare a paint
// manager of their own and a dispatch of their own may fall back to HandleMessage: with
// m_PaintManager never initialised it then only does the native default handling.
#pragma once

#include "uilib/core/UIManager.h"
#include "uilib/core/UINotifyPump.h"
#include "uilib/core/UIWindow.h"

enum UILIB_RESOURCETYPE {
    UILIB_FILE = 1,
    UILIB_ZIP,
    UILIB_RESOURCE,
    UILIB_ZIPRESOURCE,
};

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();

    LPCTSTR GetWindowClassName() const override = 0;
    LPCTSTR GetSuperClassName() const override;
    UINT GetClassStyle() const override;  // CS_DBLCLKS
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // What HandleMessage does after the handler: HandleCustomMessage, m_PaintManager, the
    // default procedure. A window whose own dispatch has already run the handler falls back
    // to this, so that the handler does not run a second time.
    LRESULT HandlePassedOn(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnFinalMessage(HWND hWnd) override;
    ~WindowImplBase() override;

    virtual void InitWindow();
    virtual void OnClick(TNotifyUI &msg);
    virtual CDuiString GetSkinFolder() = 0;
    virtual CDuiString GetSkinFile() = 0;
    virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);
    virtual UILIB_RESOURCETYPE GetResourceType() const;
    virtual CDuiString GetZIPFileName() const;
    virtual LPCTSTR GetResourceID() const;

    // Library defaults: OnClose and OnDestroy leave the message unhandled.
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);
    virtual LONG GetStyle();

    // INotifyUI: routes through the notify maps (NotifyPump).
    void Notify(TNotifyUI &msg) override;
    // IMessageFilterUI: default key handling (not registered by default).
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool &bHandled) override;
    // IDialogBuilderCallback: no custom controls.
    CControlUI *CreateControl(LPCTSTR pstrClass) override;

    DUI_DECLARE_MESSAGE_MAP()

protected:
    CPaintManagerUI m_PaintManager;
};
