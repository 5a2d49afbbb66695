// CPaintManagerUI: one per window. Owns the attached control tree, paints it
// double-buffered, turns window messages into control events, keeps focus, capture,
// control timers, option groups, fonts and images, and sends notifications to its
// notifiers. Process-wide: the module instance, the resource path (skins and images),
// the message loop. Everything runs on the thread that owns the window.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "uilib/core/UIControl.h"

// A loaded image: a 32-bit premultiplied DIB with its size and whether it has alpha.
// nX x nY are the bitmap's pixels, already resampled to the manager's scale; logicalX x
// logicalY is the size the skin wrote it for (96 DPI), the unit of its source and corner.
struct TImageInfo {
    HBITMAP hBitmap = nullptr;
    const DWORD *bits = nullptr;  // hBitmap's pixels, top-down, rows nX apart
    int nX = 0;
    int nY = 0;
    int logicalX = 0;
    int logicalY = 0;
    bool alphaChannel = false;
};

// A font registered by a skin's <Font> element.
struct TFontInfo {
    HFONT hFont = nullptr;
    CDuiString sFontName;
    int iSize = 0;
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICW tm = {};
};

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();

    // Binds to a window (no name needed). A manager never initialised handles nothing.
    void Init(HWND hWnd, LPCTSTR pstrName = nullptr);
    HWND GetPaintWindow() const;
    LPCTSTR GetName() const;

    void NeedUpdate();
    void Invalidate();

    // Scale: skins are written at 96 DPI; the manager knows its window's DPI (read at Init,
    // changed by WM_DPICHANGED or SetDPI) and every pixel value a skin gives goes through
    // Scale on its way to layout, painting and hit tests. SetDPI remakes fonts and images
    // and lays the tree out again.
    int GetDPI() const;
    void SetDPI(int dpi);
    int Scale(int value) const;
    RECT Scale(const RECT &rc) const;
    SIZE Scale(const SIZE &sz) const;
    // The DPI of a window (of the system when the window is null or the call is missing).
    static int WindowDPI(HWND hWnd);
    void Invalidate(const RECT &rcItem);

    POINT GetMousePos() const;
    SIZE GetClientSize() const;
    // The window settings of the skin, set at 96 DPI and read back scaled.
    SIZE GetInitSize() const;          // the skin's "size"
    void SetInitSize(int cx, int cy);  // also sizes the window when it is 0 x 0
    RECT GetSizeBox() const;
    void SetSizeBox(const RECT &rcSizeBox);
    RECT GetCaptionRect() const;  // left/right: insets; top/bottom: client y
    void SetCaptionRect(const RECT &rcCaption);
    SIZE GetRoundCorner() const;
    void SetRoundCorner(int cx, int cy);
    SIZE GetMinInfo() const;
    void SetMinInfo(int cx, int cy);
    SIZE GetMaxInfo() const;
    void SetMaxInfo(int cx, int cy);

    // Process-wide
    static HINSTANCE GetInstance();
    static void SetInstance(HINSTANCE hInst);
    static CDuiString GetInstancePath();  // folder of the exe, with a trailing '\'
    static CDuiString GetResourcePath();  // with a trailing '\'
    static void SetResourcePath(LPCTSTR pStrPath);
    // Resolves a skin or image name ("/Button/Play.png", "//Button//X.png", "a.xml")
    // to a full path under the resource path.
    static CDuiString ResolveResourceFile(LPCTSTR pstrName);

    // Fonts: id -1 is the default font.
    DWORD GetDefaultDisabledColor() const;
    void SetDefaultDisabledColor(DWORD dwColor);
    DWORD GetDefaultFontColor() const;
    void SetDefaultFontColor(DWORD dwColor);
    void SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    HFONT AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    HFONT GetFont(int id) const;  // the default font for an unknown id
    const TFontInfo *GetFontInfo(int id) const;

    // Images by name at the manager's scale, decoded on first use and shared with every
    // other manager; null (and one line on standard error) when missing. RemoveAllImages
    // forgets this manager's names; the images themselves live until Term.
    const TImageInfo *GetImage(LPCTSTR bitmap);
    void RemoveAllImages();

    // Default attribute lists per control class (<Default name="Button" value="..."/>).
    void AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList);
    LPCTSTR GetDefaultAttributeList(LPCTSTR pStrControlName) const;

    // The control tree
    bool AttachDialog(CControlUI *pControl);  // null is accepted: empty window
    bool InitControls(CControlUI *pControl, CControlUI *pParent = nullptr);
    void ReapObjects(CControlUI *pControl);  // forget a control being destroyed
    CControlUI *GetRoot() const;
    CControlUI *FindControl(POINT pt) const;
    CControlUI *FindControl(LPCTSTR pstrName) const;
    CControlUI *FindSubControlByPoint(CControlUI *pParent, POINT pt) const;
    CControlUI *FindSubControlByName(CControlUI *pParent, LPCTSTR pstrName) const;
    void NameChanged(CControlUI *pControl, LPCTSTR pstrOldName);

    // Option groups
    bool AddOptionGroup(LPCTSTR pStrGroupName, CControlUI *pControl);
    std::vector<CControlUI *> *GetOptionGroup(LPCTSTR pStrGroupName);
    void RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI *pControl);

    // Focus, capture, timers (control timers do not depend on the window's WM_TIMER)
    CControlUI *GetFocus() const;
    void SetFocus(CControlUI *pControl);
    void SetFocusNeeded(CControlUI *pControl);
    bool SetNextTabControl(bool bForward = true);
    // True after keyboard navigation (Tab) until the next mouse press: the focused control
    // shows a focus frame, drawn by the manager over the tree.
    bool IsFocusCueShown() const;
    void ShowFocusCue();
    bool SetTimer(CControlUI *pControl, UINT nTimerID, UINT uElapse);
    bool KillTimer(CControlUI *pControl, UINT nTimerID);
    void KillTimer(CControlUI *pControl);
    void RemoveAllTimers();
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const;

    // Notifications
    bool AddNotifier(INotifyUI *pControl);
    bool RemoveNotifier(INotifyUI *pControl);
    void SendNotify(TNotifyUI &Msg, bool bAsync = false);
    void SendNotify(CControlUI *pControl, LPCTSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool bAsync = false);
    bool AddPreMessageFilter(IMessageFilterUI *pFilter);
    bool RemovePreMessageFilter(IMessageFilterUI *pFilter);
    bool AddMessageFilter(IMessageFilterUI *pFilter);
    bool RemoveMessageFilter(IMessageFilterUI *pFilter);

    // Controls removed while a notification is dispatched are destroyed afterwards.
    void AddDelayedCleanup(CControlUI *pControl);

    // Message loop of this thread; returns when WM_QUIT is retrieved.
    static void MessageLoop();
    static bool TranslateMessage(const LPMSG pMsg);
    static void Term();

    // Window messages: true when consumed, with the result in lRes.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes);

    // The inspection dump of this manager's tree (the text the hook sends).
    std::string InspectDump() const;

    // Accessibility (uilib/access): the id clients know a control by (assigned on first
    // use, 0 for none), the control with an id, and a win event for a control of this
    // window. With bKnownOnly the event is raised only for a control a client has already
    // met, so that bulk changes (list fills) cost nothing when no one listens.
    LONG GetAccessibleId(CControlUI *pControl);
    CControlUI *FindAccessibleId(LONG id) const;
    void NotifyAccessible(CControlUI *pControl, DWORD dwEvent, bool bKnownOnly = false);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
