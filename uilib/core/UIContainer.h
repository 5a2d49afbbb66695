// Containers: IContainerUI (the item operations) and CContainerUI, which owns its items
// and destroys them when they are removed (deferred while a notification is dispatched),
// with an inset, child padding and optional scroll bars.
#pragma once

#include <vector>

#include "uilib/core/UIControl.h"

class CScrollBarUI;

namespace uilib {
// Whether control is a plain layout (a container painted as any control, then its
// items): "VerticalLayout", "HorizontalLayout", "TabLayout" or "Container".
bool IsPlainLayout(const CControlUI *control);
// Whether control is a visible plain layout whose background colour fills its rectangle
// opaque (no gradient, no round corners).
bool FillsOpaque(const CControlUI *control);
}  // namespace uilib

class IContainerUI {
public:
    virtual CControlUI *GetItemAt(int iIndex) const = 0;
    virtual int GetItemIndex(CControlUI *pControl) const = 0;
    virtual bool SetItemIndex(CControlUI *pControl, int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI *pControl) = 0;
    virtual bool AddAt(CControlUI *pControl, int iIndex) = 0;
    virtual bool Remove(CControlUI *pControl) = 0;
    virtual bool RemoveAt(int iIndex) = 0;
    virtual void RemoveAll() = 0;
protected:
    ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    LPCTSTR GetClass() const override;               // "Container"
    LPVOID GetInterface(LPCTSTR pstrName) override;  // also "Container", "IContainer"

    CControlUI *GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI *pControl) const override;
    bool SetItemIndex(CControlUI *pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI *pControl) override;
    bool AddAt(CControlUI *pControl, int iIndex) override;
    bool Remove(CControlUI *pControl) override;  // destroys it (unless auto-destroy is off)
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    void SetAutoDestroy(bool bAuto);
    void SetDelayedDestroy(bool bDelayed);

    virtual RECT GetInset() const;
    virtual void SetInset(RECT rcInset);
    virtual int GetChildPadding() const;
    virtual void SetChildPadding(int iPadding);
    virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool bEnable = true);

    // Scrolling: the bars exist after EnableScrollBar (or the "vscrollbar"/"hscrollbar"
    // attributes); their visibility follows the content unless set explicitly.
    virtual void EnableScrollBar(bool bEnableVertical = true, bool bEnableHorizontal = false);
    virtual CScrollBarUI *GetVerticalScrollBar() const;
    virtual CScrollBarUI *GetHorizontalScrollBar() const;
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE szPos);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void LineLeft();
    virtual void LineRight();

    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    void SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit = true) override;
    CControlUI *FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI &event) override;
    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    // A plain layout's background leaves out what its opaque descendants paint over again
    // (at 200 % a window's background is millions of pixels, most of them under a page).
    void PaintBkColor(HDC hDC) override;
    // "inset", "childpadding", "mousechild", "vscrollbar", "hscrollbar" and the base's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

protected:
    // Lays out the floating child at index i inside the container's rectangle.
    virtual void SetFloatPos(int iIndex);
    // Places the scroll bars and sets their ranges for a content of cxRequired x cyRequired.
    virtual void ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);

    std::vector<CControlUI *> m_items;  // owned
    RECT m_rcInset = {0, 0, 0, 0};
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bDelayedDestroy = true;
    bool m_bMouseChildEnabled = true;
    CScrollBarUI *m_pVerticalScrollBar = nullptr;    // owned
    CScrollBarUI *m_pHorizontalScrollBar = nullptr;  // owned

    // The content area: the item rectangle less the inset and the bars in view.
    RECT GetContentRect() const;
    // FindControl's shared steps: whether a search passes this container by (hidden,
    // disabled, or a hit outside it; its own flags only, hidden ancestors were pruned on
    // the way down), and a hit on a scroll bar in view.
    bool PassedBySearch(LPVOID pData, UINT uFlags) const;
    CControlUI *FindInScrollBars(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);
    // Appends the parts of clip that plain layouts inside fill opaque after this one's
    // background (each inside the clips its ancestors paint it with).
    void CollectOpaqueCovers(const RECT &clip, std::vector<RECT> &covers) const;
    // Whether the bars are in view, as decided by the content at the last layout.
    bool m_bVScrollShown = false;
    bool m_bHScrollShown = false;
private:
    int m_nScrollRelayout = 0;  // guards the relayout that follows a bar appearing
};
