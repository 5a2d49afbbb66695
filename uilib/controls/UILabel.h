// CLabelUI: one line of text (or several with "multiline"/endellipsis) with font, colour,
// alignment and text padding. CTextUI: multi-line text ("Text").
#pragma once

#include "uilib/core/UIControl.h"

class CLabelUI : public CControlUI {
public:
    LPCTSTR GetClass() const override;  // "Label"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    void SetTextStyle(UINT uStyle);  // DT_* flags
    UINT GetTextStyle() const;
    void SetTextColor(DWORD dwTextColor);
    DWORD GetTextColor() const;
    void SetDisabledTextColor(DWORD dwTextColor);
    DWORD GetDisabledTextColor() const;
    void SetFont(int index);
    int GetFont() const;
    RECT GetTextPadding() const;
    void SetTextPadding(RECT rc);

    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI &event) override;
    // "align" (left|center|right|top|bottom|vcenter), "valign", "endellipsis", "multiline",
    // "font", "textcolor", "disabledtextcolor", "textpadding" and the base's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT m_rcTextPadding = {0, 0, 0, 0};
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    LPCTSTR GetClass() const override;  // "Text"
    LPVOID GetInterface(LPCTSTR pstrName) override;
};
