// CComboUI: shows the selected item's text; a click (or Alt+Down / F4) opens a drop-down
// window listing its items (list elements, e.g. <ListLabelElement text="..."/>); the
// wheel, arrow keys and type-ahead move the selection. "itemselect" when the selection
// changes.
#pragma once

#include "uilib/controls/UIList.h"
#include "uilib/controls/UITypeAhead.h"

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
    friend class CComboWnd;
public:
    CComboUI();
    ~CComboUI() override;
    LPCTSTR GetClass() const override;               // "Combo"
    LPVOID GetInterface(LPCTSTR pstrName) override;  // also "IListOwner"
    UINT GetControlFlags() const override;

    CDuiString GetText() const override;  // the selected item's text
    void SetEnabled(bool bEnable = true) override;
    bool Activate() override;  // opens the drop-down

    TListInfoUI *GetListInfo() override;
    int GetCurSel() const override;  // -1: none
    // Selects iIndex (any index naming no item clears the selection); takes the focus
    // only when bTakeFocus. Sends "itemselect" when the selection changes.
    bool SelectItem(int iIndex, bool bTakeFocus = false) override;

    bool SetItemIndex(CControlUI *pControl, int iIndex) override;
    bool Add(CControlUI *pControl) override;
    bool AddAt(CControlUI *pControl, int iIndex) override;
    bool Remove(CControlUI *pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    SIZE GetDropBoxSize() const;
    void SetDropBoxSize(SIZE szDropBox);
    bool IsDropped() const;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI &event) override;
    // "dropboxsize", "textpadding", "normalimage", "hotimage", "pushedimage",
    // "focusedimage", "disabledimage", "textcolor", "font", the list's "item..." ones.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    void PaintText(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    bool GetInspectValue(int &value) const override;
    CDuiString GetInspectText() const override;

protected:
    CComboWnd *m_pWindow = nullptr;  // the open drop-down, if any
    int m_iCurSel = -1;
    SIZE m_szDropBox = {0, 150};
    RECT m_rcTextPadding = {6, 0, 24, 0};
    UINT m_uButtonState = 0;
    DWORD m_dwTextColor = 0;
    int m_iFont = -1;
    CDuiString m_sNormalImage, m_sHotImage, m_sPushedImage, m_sFocusedImage, m_sDisabledImage;
    TListInfoUI m_ListInfo;
    uilib::TypeAhead m_typeAhead;  // letters typed while closed
};
