#include "uilib/controls/UILabel.h"

#include <algorithm>

#include "uilib/controls/UILabelPaint.h"

#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

LPCTSTR CLabelUI::GetClass() const { return L"Label"; }

LPVOID CLabelUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"Label") == 0) return static_cast<CLabelUI *>(this);
    return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) {
    m_uTextStyle = uStyle;
    Invalidate();
}
UINT CLabelUI::GetTextStyle() const { return m_uTextStyle; }
void CLabelUI::SetTextColor(DWORD dwTextColor) {
    m_dwTextColor = dwTextColor;
    Invalidate();
}
DWORD CLabelUI::GetTextColor() const { return m_dwTextColor; }
void CLabelUI::SetDisabledTextColor(DWORD dwTextColor) {
    m_dwDisabledTextColor = dwTextColor;
    Invalidate();
}
DWORD CLabelUI::GetDisabledTextColor() const { return m_dwDisabledTextColor; }
void CLabelUI::SetFont(int index) {
    m_iFont = index;
    Invalidate();
}
int CLabelUI::GetFont() const { return m_iFont; }
RECT CLabelUI::GetTextPadding() const { return Scaled(m_rcTextPadding); }
void CLabelUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    Invalidate();
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) { return CControlUI::EstimateSize(szAvailable); }

void CLabelUI::DoEvent(TEventUI &event) { CControlUI::DoEvent(event); }

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName == nullptr || pstrValue == nullptr) return;
    const uilib::AttrName name{pstrName};
    const CDuiString value = pstrValue;
    bool b = false;
    int n = 0;
    RECT rc;
    if (name == L"align") {
        // Words: "left", "center" and "right" across, "top", "vcenter" and "bottom" down.
        static const struct {
            const wchar_t *word;
            UINT clear, set;
        } kWords[] = {
            {L"left", DT_CENTER | DT_RIGHT, DT_LEFT},     {L"center", DT_LEFT | DT_RIGHT, DT_CENTER},
            {L"right", DT_LEFT | DT_CENTER, DT_RIGHT},    {L"top", DT_BOTTOM | DT_VCENTER, DT_TOP},
            {L"vcenter", DT_TOP | DT_BOTTOM, DT_VCENTER}, {L"bottom", DT_TOP | DT_VCENTER, DT_BOTTOM},
        };
        size_t at = 0;
        while ((at = value.find_first_not_of(L" ,|", at)) != CDuiString::npos) {
            const size_t end = std::min(value.find_first_of(L" ,|", at), value.size());
            const CDuiString word = value.substr(at, end - at);
            for (const auto &w : kWords) {
                if (_wcsicmp(word.c_str(), w.word) == 0) m_uTextStyle = (m_uTextStyle & ~w.clear) | w.set;
            }
            at = end;
        }
        Invalidate();
    } else if (name == L"valign") {
        if (value == L"top") {
            m_uTextStyle = (m_uTextStyle & ~(DT_BOTTOM | DT_VCENTER)) | DT_TOP;
        } else if (value == L"bottom") {
            m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_VCENTER)) | DT_BOTTOM;
        } else if (value == L"vcenter" || value == L"center") {
            m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_BOTTOM)) | DT_VCENTER;
        }
        Invalidate();
    } else if (name == L"endellipsis") {
        if (uilib::ParseBool(pstrValue, b))
            SetTextStyle(b ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS));
    } else if (name == L"multiline") {
        if (uilib::ParseBool(pstrValue, b)) {
            SetTextStyle(b ? ((m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK)
                           : ((m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE));
        }
    } else if (name == L"font") {
        if (uilib::ParseInt(pstrValue, n)) SetFont(n);
    } else if (name == L"textcolor") {
        SetTextColor(ParseColor(pstrValue));
    } else if (name == L"disabledtextcolor") {
        SetDisabledTextColor(ParseColor(pstrValue));
    } else if (name == L"textpadding") {
        if (ParseRect(pstrValue, rc)) SetTextPadding(rc);
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

namespace uilib {

void DrawLabelText(HDC hDC, CPaintManagerUI *manager, RECT rc, const CDuiString &text, DWORD color, int font,
                   UINT style) {
    if (text.empty()) return;
    if ((style & DT_SINGLELINE) == 0 && (style & (DT_VCENTER | DT_BOTTOM)) != 0) {
        RECT calc = {rc.left, rc.top, rc.right, rc.top};
        HFONT hFont = manager != nullptr ? manager->GetFont(font) : nullptr;
        HGDIOBJ old = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
        ::DrawTextW(hDC, text.c_str(), -1, &calc, (style & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT | DT_NOPREFIX);
        if (old != nullptr) ::SelectObject(hDC, old);
        int h = calc.bottom - calc.top;
        int free = (rc.bottom - rc.top) - h;
        if (free > 0) rc.top += (style & DT_BOTTOM) != 0 ? free : free / 2;
        style &= ~(DT_VCENTER | DT_BOTTOM);
    }
    CRenderEngine::DrawText(hDC, manager, rc, text.c_str(), color, font, style);
}

}  // namespace uilib

void CLabelUI::PaintText(HDC hDC) {
    DWORD color = m_dwTextColor;
    if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultFontColor();
    if (!IsEnabled()) {
        color = m_dwDisabledTextColor;
        if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultDisabledColor();
    }
    RECT rc = {m_rcItem.left + Scaled(m_rcTextPadding).left, m_rcItem.top + Scaled(m_rcTextPadding).top,
               m_rcItem.right - Scaled(m_rcTextPadding).right, m_rcItem.bottom - Scaled(m_rcTextPadding).bottom};
    uilib::DrawLabelText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
}

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

LPCTSTR CTextUI::GetClass() const { return L"Text"; }

LPVOID CTextUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"Text") == 0) return static_cast<CTextUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}
