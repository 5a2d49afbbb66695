// Lists: CListUI is a header (CListHeaderUI of CListHeaderItemUI columns) over a
// scrolling body of rows. Rows are list elements: CListLabelElementUI (one text),
// CListTextElementUI (one text per column) and CListContainerElementUI (any controls).
// The list owns its rows; item operations (GetCount, GetItemAt, Add, RemoveAt, ...)
// address the rows, never the header. Only rows in view are laid out and painted.
// Notifications: "itemselect" when the selection changes (wParam: new, lParam: old),
// "itemclick" when a row is clicked, "dbclick" when a row is double-clicked (sender: the
// row; routed like the list's other notifications).
#pragma once

#include "uilib/controls/UILabel.h"
#include "uilib/layout/UIHorizontalLayout.h"
#include "uilib/layout/UIVerticalLayout.h"

#define UILIST_MAX_COLUMNS 32

// Shared look of a list's rows, set by the list's "item..." attributes.
struct TListInfoUI {
    int nColumns = 0;
    RECT rcColumn[UILIST_MAX_COLUMNS] = {};
    int nFont = -1;
    UINT uTextStyle = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    RECT rcTextPadding = {6, 0, 6, 0};
    DWORD dwTextColor = 0;
    DWORD dwBkColor = 0;
    DWORD dwAltBkColor = 0;  // every other row, when not 0
    DWORD dwSelectedTextColor = 0;
    DWORD dwSelectedBkColor = 0;
    DWORD dwHotTextColor = 0;
    DWORD dwHotBkColor = 0;
    DWORD dwDisabledTextColor = 0;
    DWORD dwLineColor = 0;  // line under each row, when not 0
};

class IListOwnerUI {
public:
    virtual TListInfoUI *GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false) = 0;
    virtual void DoEvent(TEventUI &event) = 0;
protected:
    ~IListOwnerUI() = default;
};

class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    virtual IListOwnerUI *GetOwner() = 0;
    virtual void SetOwner(CControlUI *pOwner) = 0;
    virtual bool IsSelected() const = 0;
    virtual bool Select(bool bSelect = true) = 0;
    virtual void DrawItemText(HDC hDC, const RECT &rcItem) = 0;
protected:
    ~IListItemUI() = default;
};

class CListHeaderUI;
class CListBodyUI;

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    LPCTSTR GetClass() const override;               // "List"
    LPVOID GetInterface(LPCTSTR pstrName) override;  // also "List", "IListOwner"
    UINT GetControlFlags() const override;

    CListHeaderUI *GetHeader() const;
    CContainerUI *GetList() const;  // the body
    TListInfoUI *GetListInfo() override;

    int GetCurSel() const override;  // -1: none
    bool SelectItem(int iIndex, bool bTakeFocus = false) override;
    void EnsureVisible(int iIndex);

    CControlUI *GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI *pControl) const override;
    bool SetItemIndex(CControlUI *pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI *pControl) override;  // a CListHeaderUI becomes the header
    bool AddAt(CControlUI *pControl, int iIndex) override;
    bool Remove(CControlUI *pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    void EnableScrollBar(bool bEnableVertical = true, bool bEnableHorizontal = false) override;
    CScrollBarUI *GetVerticalScrollBar() const override;    // the body's
    CScrollBarUI *GetHorizontalScrollBar() const override;  // the body's
    SIZE GetScrollPos() const override;
    SIZE GetScrollRange() const override;
    void SetScrollPos(SIZE szPos) override;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI &event) override;
    // "header" (hidden), "itemfont", "itemalign", "itemtextpadding", "itemtextcolor",
    // "itembkcolor", "itemaltbkcolor", "itemselectedtextcolor", "itemselectedbkcolor",
    // "itemhottextcolor", "itemhotbkcolor", "itemdisabledtextcolor", "itemlinecolor",
    // "vscrollbar", "hscrollbar" and the layout's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    bool GetInspectValue(int &value) const override;

protected:
    friend class CListBodyUI;
    // Called by the body: a row left (index), a row came in before index, the body scrolled.
    void OnRowRemoved(int iIndex);
    void OnRowInserted(int iIndex);
    void OnRowsCleared();
    void PlaceHeader();  // header and column rectangles for the body's scroll

    CListHeaderUI *m_pHeader = nullptr;  // owned through the layout's items
    CListBodyUI *m_pList = nullptr;      // owned through the layout's items
    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
};

// The column headings: a horizontal layout of CListHeaderItemUI.
class CListHeaderUI : public CHorizontalLayoutUI {
public:
    CListHeaderUI();
    LPCTSTR GetClass() const override;  // "ListHeader"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    // Places the headings side by side from rc.left at their widths (stretching ones share
    // what is left); rows draw in the same column rectangles.
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    // Total width of the columns for an available width.
    int GetColumnsWidth(int cxAvailable) const;
};

// One column heading; its "width" is the column's width.
class CListHeaderItemUI : public CLabelUI {
public:
    CListHeaderItemUI();
    LPCTSTR GetClass() const override;  // "ListHeaderItem"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;  // "sepcolor" too
    void PaintBorder(HDC hDC) override;
protected:
    DWORD m_dwSepColor = 0;
};

// Common row behaviour over either base (a plain control or a container): index, owner,
// selection, hover, click and double-click. Implemented for CControlUI and CContainerUI.
template <class TBase>
class CListRowUI : public TBase, public IListItemUI {
public:
    LPVOID GetInterface(LPCTSTR pstrName) override;  // "ListItem", then the base's
    UINT GetControlFlags() const override;

    int GetIndex() const override;
    void SetIndex(int iIndex) override;
    IListOwnerUI *GetOwner() override;
    void SetOwner(CControlUI *pOwner) override;
    bool IsSelected() const override;
    bool Select(bool bSelect = true) override;
    void SetVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    bool Activate() override;  // what a double-click does: selects, then "dbclick"
    void Invalidate();
    void DoEvent(TEventUI &event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;  // "selected"
    void DrawItemBk(HDC hDC, const RECT &rcItem);
    int GetInspectSelected() const override;

protected:
    bool IsHot() const;  // the mouse is over the row

    int m_iIndex = -1;
    bool m_bSelected = false;
    UINT m_uButtonState = 0;
    IListOwnerUI *m_pOwner = nullptr;
};

extern template class CListRowUI<CControlUI>;
extern template class CListRowUI<CContainerUI>;

class CListElementUI : public CListRowUI<CControlUI> {
public:
    LPCTSTR GetClass() const override;               // "ListElement"
    LPVOID GetInterface(LPCTSTR pstrName) override;  // also "ListItem"
};

class CListLabelElementUI : public CListElementUI {
public:
    CListLabelElementUI();
    LPCTSTR GetClass() const override;  // "ListLabelElement"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    void DrawItemText(HDC hDC, const RECT &rcItem) override;
};

// A row with one text per column of the owner's header.
class CListTextElementUI : public CListLabelElementUI {
public:
    CListTextElementUI();
    ~CListTextElementUI() override;
    LPCTSTR GetClass() const override;  // "ListTextElement"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    LPCTSTR GetText(int iIndex) const;  // "" for a column never set
    void SetText(int iIndex, LPCTSTR pstrText);
    using CListLabelElementUI::GetText;
    using CListLabelElementUI::SetText;
    int GetColumnCount() const;

    void SetOwner(CControlUI *pOwner) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DrawItemText(HDC hDC, const RECT &rcItem) override;
    CDuiString GetInspectText() const override;  // columns joined by U+001F

protected:
    std::vector<CDuiString> m_aTexts;
};

// A row that holds any controls (a container); selection and clicks as other rows.
class CListContainerElementUI : public CListRowUI<CContainerUI> {
public:
    CListContainerElementUI();
    LPCTSTR GetClass() const override;               // "ListContainerElement"
    LPVOID GetInterface(LPCTSTR pstrName) override;  // also "ListItem"

    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    void DrawItemText(HDC hDC, const RECT &rcItem) override;
    // A hit on a child that takes no input of its own (a layout, a plain label) is a hit
    // on the row, so that a click on the row's background selects it.
    CControlUI *FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
};
