// CButtonUI: a push button ("click" on release over it, or Space/Enter when focused),
// with images and text colours per state. COptionUI: a button that stays selected;
// options of one "group" are exclusive; "selectchanged" when the selection changes.
#pragma once

#include "uilib/controls/UILabel.h"

class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    LPCTSTR GetClass() const override;  // "Button"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;
    bool Activate() override;  // sends "click"
    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI &event) override;

    // Enter in a window (or a list row) clicks its "default" button; Esc its "cancel" one.
    bool IsDefaultButton() const;
    bool IsCancelButton() const;
    // The first visible, enabled default (or cancel) button in within, not inside a list
    // row below within; null when none.
    static CButtonUI *FindKeyButton(CControlUI *within, bool bCancel);

    LPCTSTR GetNormalImage() const;
    void SetNormalImage(LPCTSTR pStrImage);
    LPCTSTR GetHotImage() const;
    void SetHotImage(LPCTSTR pStrImage);
    LPCTSTR GetPushedImage() const;
    void SetPushedImage(LPCTSTR pStrImage);
    LPCTSTR GetFocusedImage() const;
    void SetFocusedImage(LPCTSTR pStrImage);
    LPCTSTR GetDisabledImage() const;
    void SetDisabledImage(LPCTSTR pStrImage);
    void SetHotBkColor(DWORD dwColor);
    void SetPushedBkColor(DWORD dwColor);
    void SetHotTextColor(DWORD dwColor);
    void SetPushedTextColor(DWORD dwColor);
    void SetFocusedTextColor(DWORD dwColor);

    SIZE EstimateSize(SIZE szAvailable) override;
    // "default", "cancel", "normalimage", "hotimage", "pushedimage", "focusedimage", "disabledimage",
    // "hotbkcolor", "pushedbkcolor", "hottextcolor", "pushedtextcolor",
    // "focusedtextcolor" and the label's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;

protected:
    enum : UINT { kStatePushed = 1, kStateHot = 2, kStateCaptured = 4, kStateSelected = 8 };
    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage, m_sHotImage, m_sPushedImage, m_sFocusedImage, m_sDisabledImage;
    DWORD m_dwHotBkColor = 0, m_dwPushedBkColor = 0;
    DWORD m_dwHotTextColor = 0, m_dwPushedTextColor = 0, m_dwFocusedTextColor = 0;
    bool m_bDefault = false, m_bCancel = false;
};

class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;
    LPCTSTR GetClass() const override;  // "Option"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit = true) override;
    bool Activate() override;  // selects (a lone option toggles)
    void SetEnabled(bool bEnable = true) override;
    // Arrow keys move the focus and the selection to the previous or next option of the
    // group (wrapping); the rest as a button.
    void DoEvent(TEventUI &event) override;

    LPCTSTR GetGroup() const;
    void SetGroup(LPCTSTR pStrGroupName = nullptr);
    bool IsSelected() const;
    // Selects or clears; sends "selectchanged" when the state changes and bTriggerEvent.
    virtual void Selected(bool bSelected, bool bTriggerEvent = true);

    void SetSelectedImage(LPCTSTR pStrImage);
    void SetSelectedHotImage(LPCTSTR pStrImage);
    void SetSelectedTextColor(DWORD dwTextColor);
    void SetSelectedBkColor(DWORD dwBkColor);

    // "group", "selected", "selectedimage", "selectedhotimage", "selectedtextcolor",
    // "selectedbkcolor" and the button's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void PaintBkColor(HDC hDC) override;
    int GetInspectSelected() const override;

protected:
    bool m_bSelected = false;
    CDuiString m_sGroupName;
    CDuiString m_sSelectedImage, m_sSelectedHotImage;
    DWORD m_dwSelectedTextColor = 0, m_dwSelectedBkColor = 0;
};
