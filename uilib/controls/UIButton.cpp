#include "uilib/controls/UIButton.h"

#include <algorithm>

#include "uilib/controls/UILabelPaint.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/render/UIRender.h"

namespace {

bool IsMouseEvent(int type) { return type > UIEVENT__FIRST && type < UIEVENT_KEYDOWN; }

}  // namespace

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPCTSTR CButtonUI::GetClass() const { return L"Button"; }

LPVOID CButtonUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"Button") == 0) return static_cast<CButtonUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UIFLAG_TABSTOP | UIFLAG_WANTRETURN : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

bool CButtonUI::IsDefaultButton() const { return m_bDefault; }
bool CButtonUI::IsCancelButton() const { return m_bCancel; }

CButtonUI *CButtonUI::FindKeyButton(CControlUI *within, bool bCancel) {
    CButtonUI *found = nullptr;
    uilib::ForEachControl(within, [&found, within, bCancel](CControlUI *c) {
        if (found != nullptr || !c->IsVisible() || !c->IsEnabled()) return;
        CButtonUI *button = static_cast<CButtonUI *>(c->GetInterface(L"Button"));
        if (button == nullptr || !(bCancel ? button->m_bCancel : button->m_bDefault)) return;
        // A list row's own buttons answer for the row only.
        for (CControlUI *p = c->GetParent(); p != nullptr && p != within; p = p->GetParent())
            if (p->GetInterface(L"ListItem") != nullptr) return;
        found = button;
    });
    return found;
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
    return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable) m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI &event) {
    if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
        if (m_pParent != nullptr)
            m_pParent->DoEvent(event);
        else
            CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
        CLabelUI::DoEvent(event);
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && IsEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            // A held key repeats (bit 30: it was down already); one press is one click.
            if ((event.lParam & 0x40000000) == 0) Activate();
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsEnabled() && ::PtInRect(&m_rcItem, event.ptMouse)) {
            m_uButtonState |= kStatePushed | kStateCaptured;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if ((m_uButtonState & kStateCaptured) != 0) {
            UINT before = m_uButtonState;
            if (::PtInRect(&m_rcItem, event.ptMouse))
                m_uButtonState |= kStatePushed;
            else
                m_uButtonState &= ~kStatePushed;
            if (before != m_uButtonState) Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if ((m_uButtonState & kStateCaptured) != 0) {
            bool inside = ::PtInRect(&m_rcItem, event.ptMouse) != FALSE;
            m_uButtonState &= ~(kStatePushed | kStateCaptured);
            Invalidate();
            if (inside) Activate();
        }
        return;
    case UIEVENT_CONTEXTMENU: break;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_uButtonState |= kStateHot;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if ((m_uButtonState & kStateHot) != 0) {
            m_uButtonState &= ~kStateHot;
            Invalidate();
        }
        return;
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursorW(nullptr, IDC_HAND)); return;
    default: break;
    }
    CLabelUI::DoEvent(event);
}

LPCTSTR CButtonUI::GetNormalImage() const { return m_sNormalImage.c_str(); }
void CButtonUI::SetNormalImage(LPCTSTR pStrImage) {
    m_sNormalImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
LPCTSTR CButtonUI::GetHotImage() const { return m_sHotImage.c_str(); }
void CButtonUI::SetHotImage(LPCTSTR pStrImage) {
    m_sHotImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
LPCTSTR CButtonUI::GetPushedImage() const { return m_sPushedImage.c_str(); }
void CButtonUI::SetPushedImage(LPCTSTR pStrImage) {
    m_sPushedImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
LPCTSTR CButtonUI::GetFocusedImage() const { return m_sFocusedImage.c_str(); }
void CButtonUI::SetFocusedImage(LPCTSTR pStrImage) {
    m_sFocusedImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
LPCTSTR CButtonUI::GetDisabledImage() const { return m_sDisabledImage.c_str(); }
void CButtonUI::SetDisabledImage(LPCTSTR pStrImage) {
    m_sDisabledImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
void CButtonUI::SetHotBkColor(DWORD dwColor) {
    m_dwHotBkColor = dwColor;
    Invalidate();
}
void CButtonUI::SetPushedBkColor(DWORD dwColor) {
    m_dwPushedBkColor = dwColor;
    Invalidate();
}
void CButtonUI::SetHotTextColor(DWORD dwColor) {
    m_dwHotTextColor = dwColor;
    Invalidate();
}
void CButtonUI::SetPushedTextColor(DWORD dwColor) {
    m_dwPushedTextColor = dwColor;
    Invalidate();
}
void CButtonUI::SetFocusedTextColor(DWORD dwColor) {
    m_dwFocusedTextColor = dwColor;
    Invalidate();
}

SIZE CButtonUI::EstimateSize(SIZE szAvailable) { return CLabelUI::EstimateSize(szAvailable); }

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName == nullptr || pstrValue == nullptr) return;
    const uilib::AttrName name{pstrName};
    bool b = false;
    if (name == L"default") {
        if (uilib::ParseBool(pstrValue, b)) m_bDefault = b;
    } else if (name == L"cancel") {
        if (uilib::ParseBool(pstrValue, b)) m_bCancel = b;
    } else if (name == L"normalimage")
        SetNormalImage(pstrValue);
    else if (name == L"hotimage")
        SetHotImage(pstrValue);
    else if (name == L"pushedimage")
        SetPushedImage(pstrValue);
    else if (name == L"focusedimage")
        SetFocusedImage(pstrValue);
    else if (name == L"disabledimage")
        SetDisabledImage(pstrValue);
    else if (name == L"hotbkcolor")
        SetHotBkColor(ParseColor(pstrValue));
    else if (name == L"pushedbkcolor")
        SetPushedBkColor(ParseColor(pstrValue));
    else if (name == L"hottextcolor")
        SetHotTextColor(ParseColor(pstrValue));
    else if (name == L"pushedtextcolor")
        SetPushedTextColor(ParseColor(pstrValue));
    else if (name == L"focusedtextcolor")
        SetFocusedTextColor(ParseColor(pstrValue));
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CButtonUI::PaintText(HDC hDC) {
    DWORD color = 0;
    if (!IsEnabled()) {
        color = m_dwDisabledTextColor;
        if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultDisabledColor();
    } else if ((m_uButtonState & kStatePushed) != 0 && m_dwPushedTextColor != 0) {
        color = m_dwPushedTextColor;
    } else if ((m_uButtonState & kStateHot) != 0 && m_dwHotTextColor != 0) {
        color = m_dwHotTextColor;
    } else if (IsFocused() && m_dwFocusedTextColor != 0) {
        color = m_dwFocusedTextColor;
    } else {
        color = m_dwTextColor;
        if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultFontColor();
    }
    RECT rc = {m_rcItem.left + Scaled(m_rcTextPadding).left, m_rcItem.top + Scaled(m_rcTextPadding).top,
               m_rcItem.right - Scaled(m_rcTextPadding).right, m_rcItem.bottom - Scaled(m_rcTextPadding).bottom};
    // Pressed text moves by a pixel, as the face is pushed in.
    if ((m_uButtonState & kStatePushed) != 0 && m_sPushedImage.empty() && m_dwPushedBkColor == 0)
        ::OffsetRect(&rc, 1, 1);
    uilib::DrawLabelText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
}

void CButtonUI::PaintBkColor(HDC hDC) {
    DWORD color = 0;
    if (IsEnabled()) {
        if ((m_uButtonState & kStatePushed) != 0) color = m_dwPushedBkColor;
        if (color == 0 && (m_uButtonState & (kStateHot | kStatePushed)) != 0) color = m_dwHotBkColor;
    }
    if (color == 0) {
        CLabelUI::PaintBkColor(hDC);
        return;
    }
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0)
        CRenderEngine::FillRoundRect(hDC, m_rcItem, GetBorderRound().cx, GetBorderRound().cy, color);
    else
        CRenderEngine::DrawColor(hDC, m_rcPaint, color);
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    if (!IsEnabled()) {
        if (!m_sDisabledImage.empty() && DrawImage(hDC, m_sDisabledImage.c_str())) return;
    } else if ((m_uButtonState & kStatePushed) != 0) {
        if (!m_sPushedImage.empty() && DrawImage(hDC, m_sPushedImage.c_str())) return;
        if (!m_sHotImage.empty() && DrawImage(hDC, m_sHotImage.c_str())) return;
    } else if ((m_uButtonState & kStateHot) != 0) {
        if (!m_sHotImage.empty() && DrawImage(hDC, m_sHotImage.c_str())) return;
    } else if (IsFocused()) {
        if (!m_sFocusedImage.empty() && DrawImage(hDC, m_sFocusedImage.c_str())) return;
    }
    if (!m_sNormalImage.empty()) DrawImage(hDC, m_sNormalImage.c_str());
}

// ---- COptionUI ----

COptionUI::~COptionUI() {
    if (!m_sGroupName.empty() && m_pManager != nullptr) m_pManager->RemoveOptionGroup(m_sGroupName.c_str(), this);
}

LPCTSTR COptionUI::GetClass() const { return L"Option"; }

LPVOID COptionUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"Option") == 0) return static_cast<COptionUI *>(this);
    return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit) {
    if (m_pManager != pManager && m_pManager != nullptr && !m_sGroupName.empty())
        m_pManager->RemoveOptionGroup(m_sGroupName.c_str(), this);
    bool joins = m_pManager != pManager;
    CButtonUI::SetManager(pManager, pParent, bInit);
    if (joins && pManager != nullptr && !m_sGroupName.empty()) {
        pManager->AddOptionGroup(m_sGroupName.c_str(), this);
        if (m_bSelected) {
            // The option selected in the skin clears the others of its group.
            m_bSelected = false;
            Selected(true, false);
        }
    }
}

bool COptionUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (!m_sGroupName.empty())
        Selected(true);
    else
        Selected(!m_bSelected);
    return true;
}

void COptionUI::SetEnabled(bool bEnable) { CButtonUI::SetEnabled(bEnable); }

void COptionUI::DoEvent(TEventUI &event) {
    const bool back = event.chKey == VK_LEFT || event.chKey == VK_UP;
    const bool ahead = event.chKey == VK_RIGHT || event.chKey == VK_DOWN;
    std::vector<CControlUI *> *group =
        m_pManager != nullptr && !m_sGroupName.empty() ? m_pManager->GetOptionGroup(m_sGroupName.c_str()) : nullptr;
    if (event.Type != UIEVENT_KEYDOWN || (!back && !ahead) || group == nullptr || !IsEnabled()) {
        CButtonUI::DoEvent(event);
        return;
    }
    std::vector<CControlUI *> members;
    for (CControlUI *c : *group)
        if (c == this || (c->IsVisible() && c->IsEnabled())) members.push_back(c);
    const size_t n = members.size();
    const size_t at = static_cast<size_t>(std::find(members.begin(), members.end(), this) - members.begin());
    if (n < 2 || at == n) return;
    CControlUI *next = members[back ? (at + n - 1) % n : (at + 1) % n];
    next->SetFocus();
    next->Activate();
}

LPCTSTR COptionUI::GetGroup() const { return m_sGroupName.c_str(); }

void COptionUI::SetGroup(LPCTSTR pStrGroupName) {
    CDuiString group = pStrGroupName != nullptr ? pStrGroupName : L"";
    if (group == m_sGroupName) return;
    if (!m_sGroupName.empty() && m_pManager != nullptr) m_pManager->RemoveOptionGroup(m_sGroupName.c_str(), this);
    m_sGroupName = group;
    if (!m_sGroupName.empty() && m_pManager != nullptr) {
        m_pManager->AddOptionGroup(m_sGroupName.c_str(), this);
        if (m_bSelected) {
            m_bSelected = false;
            Selected(true, false);
        }
    }
}

bool COptionUI::IsSelected() const { return m_bSelected; }

void COptionUI::Selected(bool bSelected, bool bTriggerEvent) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    Invalidate();
    if (m_pManager == nullptr) return;
    m_pManager->NotifyAccessible(this, EVENT_OBJECT_STATECHANGE, !m_bSelected);
    if (m_bSelected) m_pManager->NotifyAccessible(this, EVENT_OBJECT_SELECTION);
    if (!m_sGroupName.empty()) {
        if (!m_bSelected) return;
        // Only the newly selected option of a group reports the change.
        if (std::vector<CControlUI *> *group = m_pManager->GetOptionGroup(m_sGroupName.c_str())) {
            std::vector<CControlUI *> members = *group;
            for (CControlUI *member : members) {
                if (member != this) static_cast<COptionUI *>(member)->Selected(false, bTriggerEvent);
            }
        }
    }
    if (bTriggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
}

void COptionUI::SetSelectedImage(LPCTSTR pStrImage) {
    m_sSelectedImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
void COptionUI::SetSelectedHotImage(LPCTSTR pStrImage) {
    m_sSelectedHotImage = pStrImage != nullptr ? pStrImage : L"";
    Invalidate();
}
void COptionUI::SetSelectedTextColor(DWORD dwTextColor) {
    m_dwSelectedTextColor = dwTextColor;
    Invalidate();
}
void COptionUI::SetSelectedBkColor(DWORD dwBkColor) {
    m_dwSelectedBkColor = dwBkColor;
    Invalidate();
}

void COptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName == nullptr || pstrValue == nullptr) return;
    const uilib::AttrName name{pstrName};
    bool b = false;
    if (name == L"group")
        SetGroup(pstrValue);
    else if (name == L"selected") {
        if (uilib::ParseBool(pstrValue, b)) Selected(b, false);
    } else if (name == L"selectedimage")
        SetSelectedImage(pstrValue);
    else if (name == L"selectedhotimage")
        SetSelectedHotImage(pstrValue);
    else if (name == L"selectedtextcolor")
        SetSelectedTextColor(ParseColor(pstrValue));
    else if (name == L"selectedbkcolor")
        SetSelectedBkColor(ParseColor(pstrValue));
    else
        CButtonUI::SetAttribute(pstrName, pstrValue);
}

void COptionUI::PaintStatusImage(HDC hDC) {
    if (m_bSelected && IsEnabled()) {
        if ((m_uButtonState & kStateHot) != 0 && !m_sSelectedHotImage.empty() &&
            DrawImage(hDC, m_sSelectedHotImage.c_str()))
            return;
        if (!m_sSelectedImage.empty() && DrawImage(hDC, m_sSelectedImage.c_str())) return;
    }
    CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::PaintText(HDC hDC) {
    if (m_bSelected && IsEnabled() && m_dwSelectedTextColor != 0) {
        DWORD saved = m_dwTextColor, savedHot = m_dwHotTextColor;
        m_dwTextColor = m_dwSelectedTextColor;
        m_dwHotTextColor = 0;
        CButtonUI::PaintText(hDC);
        m_dwTextColor = saved;
        m_dwHotTextColor = savedHot;
        return;
    }
    CButtonUI::PaintText(hDC);
}

void COptionUI::PaintBkColor(HDC hDC) {
    if (m_bSelected && m_dwSelectedBkColor != 0) {
        if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0)
            CRenderEngine::FillRoundRect(hDC, m_rcItem, GetBorderRound().cx, GetBorderRound().cy, m_dwSelectedBkColor);
        else
            CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwSelectedBkColor);
        return;
    }
    CButtonUI::PaintBkColor(hDC);
}

int COptionUI::GetInspectSelected() const { return m_bSelected ? 1 : 0; }
