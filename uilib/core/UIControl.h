// CControlUI: the windowless control. Owned by its parent container (or, for a root, by
// the paint manager it is attached to); positions are client coordinates of the paint
// manager's window. Attributes use the skin's names and value texts (SetAttribute).
#pragma once

#include "uilib/core/UIDefine.h"

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();

    // Identity
    virtual CDuiString GetName() const;
    virtual void SetName(LPCTSTR pstrName);
    virtual LPCTSTR GetClass() const;               // "Control"
    virtual LPVOID GetInterface(LPCTSTR pstrName);  // "Control", and subclasses' names
    virtual UINT GetControlFlags() const;
    virtual bool Activate();  // false when disabled or hidden

    // Tree
    virtual CPaintManagerUI *GetManager() const;
    virtual void SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit = true);
    virtual CControlUI *GetParent() const;

    // Text
    virtual CDuiString GetText() const;
    virtual void SetText(LPCTSTR pstrText);

    // Appearance: colours are 0xAARRGGBB; 0 means none.
    DWORD GetBkColor() const;
    void SetBkColor(DWORD dwBackColor);
    DWORD GetBkColor2() const;
    void SetBkColor2(DWORD dwBackColor);
    LPCTSTR GetBkImage() const;
    void SetBkImage(LPCTSTR pStrImage);
    DWORD GetBorderColor() const;
    void SetBorderColor(DWORD dwBorderColor);
    DWORD GetFocusBorderColor() const;
    void SetFocusBorderColor(DWORD dwBorderColor);
    int GetBorderSize() const;
    void SetBorderSize(int nSize);
    SIZE GetBorderRound() const;
    void SetBorderRound(SIZE cxyRound);

    // Position and size. Sizes, paddings and offsets are set in skin pixels (96 DPI) and
    // read back scaled to the window's DPI; GetPos is in window pixels.
    virtual const RECT &GetPos() const;
    virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetX() const;
    virtual int GetY() const;
    virtual RECT GetPadding() const;
    virtual void SetPadding(RECT rcPadding);  // outer margin used by layouts
    virtual SIZE GetFixedXY() const;          // offset inside the parent when floating
    virtual void SetFixedXY(SIZE szXY);
    virtual int GetFixedWidth() const;  // 0: stretch
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const;  // 0: stretch
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);
    virtual SIZE EstimateSize(SIZE szAvailable);
    virtual bool IsFloat() const;
    virtual void SetFloat(bool bFloat = true);

    // Tooltip and user data
    virtual CDuiString GetToolTip() const;
    virtual void SetToolTip(LPCTSTR pstrText);
    virtual CDuiString GetUserData() const;
    virtual void SetUserData(LPCTSTR pstrText);
    virtual UINT_PTR GetTag() const;
    virtual void SetTag(UINT_PTR pTag);
    // What a screen reader calls the control ("accname"); empty: its text or tooltip.
    CDuiString GetAccName() const;
    void SetAccName(LPCTSTR pstrName);
    // A role the skin gives instead of the kind's own ("accrole": "tab", "none", ...).
    CDuiString GetAccRole() const;
    void SetAccRole(LPCTSTR pstrRole);
    // Tab order ("tabindex"): 0 in visual order, above 0 first and ascending, -1 never.
    int GetTabIndex() const;
    void SetTabIndex(int nIndex);

    // State
    virtual bool IsVisible() const;  // own flag and every ancestor's
    virtual void SetVisible(bool bVisible = true);
    virtual void SetInternVisible(bool bVisible = true);  // set by a parent (tabs, scrolling)
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool bEnable = true);
    virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool bEnable = true);
    virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool bEnable = true);
    virtual bool IsFocused() const;
    virtual void SetFocus();

    // Lookup: visits this control (and, for containers, its children).
    virtual CControlUI *FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);

    // Invalidation and layout
    void Invalidate();
    bool IsUpdateNeeded() const;
    void NeedUpdate();
    void NeedParentUpdate();

    // Life cycle: Init runs once when the control joins a paint manager (DoInit first).
    virtual void Init();
    virtual void DoInit();

    // Input
    virtual void Event(TEventUI &event);  // offers to the event's filters, then DoEvent
    virtual void DoEvent(TEventUI &event);

    // Attributes by skin name: "name", "text", "pos", "width", "height", "float",
    // "padding", "bkcolor", "bkimage", "bordercolor", "bordersize", "borderround",
    // "tooltip", "userdata", "accname", "accrole", "tabindex", "visible", "enabled", "mouse", "keyboard", "virtualwnd",
    // "minwidth", "maxwidth", "minheight", "maxheight". Unknown names are ignored.
    virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    CControlUI *ApplyAttributeList(LPCTSTR pstrList);  // name="value" name2="value2" ...

    // Painting: DoPaint paints in this order: bk colour, bk image, status image, text, border.
    virtual void DoPaint(HDC hDC, const RECT &rcPaint);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);

    // Notification routing: the virtual-window name of this control or its nearest ancestor.
    CDuiString GetVirtualWnd() const;
    void SetVirtualWnd(LPCTSTR pstrValue);

    // Inspection: selected state (-1: none), value (false: none), text shown in the dump.
    virtual int GetInspectSelected() const;
    virtual bool GetInspectValue(int &value) const;
    virtual CDuiString GetInspectText() const;

    // The fixed size as the skin gave it (96 DPI).
    SIZE GetSkinFixedSize() const { return m_cxyFixed; }

protected:
    bool DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
    // A skin value in this control's window pixels (unchanged before it has a manager).
    int Scaled(int value) const;
    RECT Scaled(const RECT &rc) const;
    SIZE Scaled(const SIZE &sz) const;

    CPaintManagerUI *m_pManager = nullptr;
    CControlUI *m_pParent = nullptr;
    CDuiString m_sName;
    CDuiString m_sText;
    CDuiString m_sToolTip;
    CDuiString m_sUserData;
    CDuiString m_sAccName;
    CDuiString m_sAccRole;
    int m_nTabIndex = 0;
    CDuiString m_sVirtualWnd;
    CDuiString m_sBkImage;
    UINT_PTR m_pTag = 0;
    bool m_bUpdateNeeded = true;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bSetPos = false;  // guards SetPos re-entry
    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPadding = {0, 0, 0, 0};
    SIZE m_cXY = {0, 0};
    SIZE m_cxyFixed = {0, 0};
    SIZE m_cxyMin = {0, 0};
    SIZE m_cxyMax = {9999, 9999};
    RECT m_rcPaint = {0, 0, 0, 0};
    DWORD m_dwBackColor = 0;
    DWORD m_dwBackColor2 = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    SIZE m_cxyBorderRound = {0, 0};
};
