// CScrollBarUI: a vertical or horizontal bar owned by a container; arrows, a draggable
// thumb, page clicks and the owner's wheel move its position and scroll the owner.
#pragma once

#include "uilib/core/UIControl.h"

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();
    LPCTSTR GetClass() const override;  // "ScrollBar"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    CContainerUI *GetOwner() const;
    void SetOwner(CContainerUI *pOwner);
    bool IsHorizontal() const;
    void SetHorizontal(bool bHorizontal = true);
    int GetScrollRange() const;
    void SetScrollRange(int nRange);
    int GetScrollPos() const;
    void SetScrollPos(int nPos);  // clamped to 0..range
    int GetLineSize() const;
    void SetLineSize(int nSize);
    DWORD GetThumbColor() const;
    void SetThumbColor(DWORD dwColor);
    void SetThumbHotColor(DWORD dwColor);
    void SetRailColor(DWORD dwColor);
    bool IsShowButtons() const;
    void SetShowButtons(bool bShow);

    void SetVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI &event) override;
    // "hor", "range", "value", "linesize", "showbutton1", "showbutton2", "thumbcolor",
    // "thumbhotcolor", "railcolor", "width"/"height" (its thickness) and the base's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    bool GetInspectValue(int &value) const override;

    // Thickness when the bar has no fixed width/height of its own.
    static const int kDefaultThickness = 10;

protected:
    CContainerUI *m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 100;
    int m_nScrollPos = 0;
    int m_nLineSize = 8;
    bool m_bShowButtons = false;
    DWORD m_dwThumbColor = 0xFF9AA5B1;
    DWORD m_dwThumbHotColor = 0;
    DWORD m_dwRailColor = 0;
    RECT m_rcThumb = {0, 0, 0, 0};
    RECT m_rcButton1 = {0, 0, 0, 0};
    RECT m_rcButton2 = {0, 0, 0, 0};
    POINT m_ptLastMouse = {0, 0};
    int m_nLastScrollPos = 0;
    UINT m_uThumbState = 0;
};
