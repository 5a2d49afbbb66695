// CComboUI: the closed combo box (text of the selection and an arrow) and its items.
#include "uilib/controls/UICombo.h"

#include <algorithm>

#include "uilib/controls/UIComboWnd.h"
#include "uilib/controls/UIListInfo.h"
#include "uilib/controls/UIPalette.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kComboHot = 1, kComboPushed = 2 };
const DWORD kComboBkColor = 0xFFFFFFFF;
const DWORD kComboBorderColor = uilib::kPaletteBorder;
const DWORD kComboFocusColor = uilib::kPaletteBrand;
const DWORD kComboTextColor = uilib::kPaletteText;
const DWORD kArrowColor = uilib::kPaletteTextSecondary;
const DWORD kDisabledBkColor = uilib::kPalettePage;

// A small chevron pointing down, centred in rc.
void DrawChevron(HDC hDC, const RECT &rc, DWORD color) {
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        // Two pixels thick so it reads as a stroke.
        CRenderEngine::DrawColor(hDC, {cx - 4 + i, cy - 2 + i, cx - 2 + i, cy - 1 + i}, color);
        CRenderEngine::DrawColor(hDC, {cx + 2 - i, cy - 2 + i, cx + 4 - i, cy - 1 + i}, color);
    }
}

}  // namespace

CComboUI::CComboUI() {
    SetDefaultListColors(m_ListInfo);
    m_dwBackColor = kComboBkColor;
    m_dwBorderColor = kComboBorderColor;
    m_dwFocusBorderColor = kComboFocusColor;
    m_nBorderSize = 1;
}

CComboUI::~CComboUI() {
    if (m_pWindow != nullptr) m_pWindow->Detach();
}

LPCTSTR CComboUI::GetClass() const { return L"Combo"; }

LPVOID CComboUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"Combo")) return static_cast<CComboUI *>(this);
    if (uilib::SameName(pstrName, L"IListOwner")) return static_cast<IListOwnerUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

UINT CComboUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP : 0; }

CDuiString CComboUI::GetText() const {
    CControlUI *item = GetItemAt(m_iCurSel);
    return item != nullptr ? item->GetText() : CDuiString();
}

void CComboUI::SetEnabled(bool bEnable) {
    CContainerUI::SetEnabled(bEnable);
    if (!bEnable) {
        m_uButtonState = 0;
        if (m_pWindow != nullptr) m_pWindow->Detach();
        m_pWindow = nullptr;
    }
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pWindow != nullptr) return true;
    if (!uilib::OpenDropDown(this, m_pWindow)) return false;
    Invalidate();
    return true;
}

TListInfoUI *CComboUI::GetListInfo() { return &m_ListInfo; }
int CComboUI::GetCurSel() const { return m_iCurSel; }

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus) {
    return ChangeRowSelection(*this, *this, m_iCurSel, iIndex, bTakeFocus, [this](int /*iNew*/, int /*iOld*/) {
        if (m_pWindow != nullptr) m_pWindow->SyncSelection();
        Invalidate();
    });
}

static void Reindex(CComboUI *combo, int from) {
    for (int i = std::max(0, from); i < combo->GetCount(); ++i) {
        if (IListItemUI *row = AsListItem(combo->GetItemAt(i))) row->SetIndex(i);
    }
}

bool CComboUI::SetItemIndex(CControlUI *pControl, int iIndex) {
    CControlUI *selected = GetItemAt(m_iCurSel);
    if (!CContainerUI::SetItemIndex(pControl, iIndex)) return false;
    Reindex(this, 0);
    m_iCurSel = GetItemIndex(selected);
    return true;
}

bool CComboUI::Add(CControlUI *pControl) { return AddAt(pControl, GetCount()); }

bool CComboUI::AddAt(CControlUI *pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (IListItemUI *row = AsListItem(pControl)) {
        row->SetOwner(this);
        row->SetIndex(iIndex);
    }
    Reindex(this, iIndex + 1);
    if (m_iCurSel >= iIndex) ++m_iCurSel;
    // An item built with "selected" (before it had an owner) becomes the selection.
    IListItemUI *row = AsListItem(pControl);
    if (row != nullptr && row->IsSelected() && m_iCurSel < 0) m_iCurSel = iIndex;
    return true;
}

bool CComboUI::Remove(CControlUI *pControl) {
    const int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CComboUI::RemoveAt(int iIndex) {
    CControlUI *item = GetItemAt(iIndex);
    if (item == nullptr) return false;
    if (IListItemUI *row = AsListItem(item)) row->SetOwner(nullptr);
    if (!CContainerUI::RemoveAt(iIndex)) return false;
    Reindex(this, iIndex);
    if (m_iCurSel == iIndex)
        m_iCurSel = -1;
    else if (m_iCurSel > iIndex)
        --m_iCurSel;
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI *row = AsListItem(GetItemAt(i))) row->SetOwner(nullptr);
    }
    CContainerUI::RemoveAll();
    m_iCurSel = -1;
    Invalidate();
}

SIZE CComboUI::GetDropBoxSize() const { return Scaled(m_szDropBox); }
void CComboUI::SetDropBoxSize(SIZE szDropBox) { m_szDropBox = szDropBox; }
bool CComboUI::IsDropped() const { return m_pWindow != nullptr; }

void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) {
    // The items live in the drop-down; the closed combo lays none of them out.
    CControlUI::SetPos(rc, bNeedInvalidate);
}

void CComboUI::DoEvent(TEventUI &event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        if (m_pManager != nullptr) m_pManager->SetFocus(this);
        m_uButtonState |= kComboPushed;
        Activate();
        return;
    case UIEVENT_BUTTONUP:
        m_uButtonState &= ~kComboPushed;
        Invalidate();
        return;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
        if (event.Type == UIEVENT_MOUSEENTER)
            m_uButtonState |= kComboHot;
        else
            m_uButtonState &= ~kComboHot;
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE: return;
    case UIEVENT_SCROLLWHEEL:
        if (IsHorizontalWheel(event)) break;
        if (!IsEnabled() || GetCount() == 0) return;
        SelectItem(std::max(0, std::min(GetCount() - 1, m_iCurSel + (LOWORD(event.wParam) == SB_LINEUP ? -1 : 1))));
        return;
    case UIEVENT_CHAR: {
        if (!IsEnabled()) return;
        std::vector<CDuiString> texts;
        for (int i = 0; i < GetCount(); ++i)
            texts.push_back(GetItemAt(i)->IsEnabled() ? GetItemAt(i)->GetText() : CDuiString());
        const int match = m_typeAhead.Type(event.chKey, static_cast<DWORD>(::GetMessageTime()), m_iCurSel, texts);
        if (match >= 0) SelectItem(match);
        return;
    }
    case UIEVENT_KEYDOWN:
        if (!IsEnabled()) return;
        if (uilib::IsDropDownKey(event)) {
            Activate();
            return;
        }
        if (GetCount() > 0) {
            int target = m_iCurSel;
            switch (event.chKey) {
            case VK_UP: target = m_iCurSel - 1; break;
            case VK_DOWN: target = m_iCurSel + 1; break;
            case VK_HOME: target = 0; break;
            case VK_END: target = GetCount() - 1; break;
            default: CContainerUI::DoEvent(event); return;
            }
            SelectItem(std::max(0, std::min(target, GetCount() - 1)));
            return;
        }
        break;
    default: break;
    }
    CContainerUI::DoEvent(event);
}

void CComboUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    RECT rc;
    SIZE sz;
    int n = 0;
    if (uilib::SameName(pstrName, L"dropboxsize")) {
        if (ParseSize(pstrValue, sz)) SetDropBoxSize(sz);
    } else if (uilib::SameName(pstrName, L"textpadding")) {
        if (ParseRect(pstrValue, rc)) m_rcTextPadding = rc;
    } else if (uilib::SameName(pstrName, L"normalimage"))
        m_sNormalImage = pstrValue;
    else if (uilib::SameName(pstrName, L"hotimage"))
        m_sHotImage = pstrValue;
    else if (uilib::SameName(pstrName, L"pushedimage"))
        m_sPushedImage = pstrValue;
    else if (uilib::SameName(pstrName, L"focusedimage"))
        m_sFocusedImage = pstrValue;
    else if (uilib::SameName(pstrName, L"disabledimage"))
        m_sDisabledImage = pstrValue;
    else if (uilib::SameName(pstrName, L"textcolor"))
        m_dwTextColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"font")) {
        if (uilib::ParseInt(pstrValue, n)) m_iFont = n;
    } else if (!SetListInfoAttribute(m_ListInfo, pstrName, pstrValue)) {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
    Invalidate();
}

void CComboUI::DoPaint(HDC hDC, const RECT &rcPaint) { CControlUI::DoPaint(hDC, rcPaint); }

void CComboUI::PaintStatusImage(HDC hDC) {
    const CDuiString *image = &m_sNormalImage;
    if (!IsEnabled() && !m_sDisabledImage.empty())
        image = &m_sDisabledImage;
    else if ((m_uButtonState & kComboPushed || m_pWindow != nullptr) && !m_sPushedImage.empty())
        image = &m_sPushedImage;
    else if ((m_uButtonState & kComboHot) && !m_sHotImage.empty())
        image = &m_sHotImage;
    else if (m_bFocused && !m_sFocusedImage.empty())
        image = &m_sFocusedImage;
    if (!image->empty() && DrawImage(hDC, image->c_str())) return;
    if (!IsEnabled()) {
        if (m_cxyBorderRound.cx > 0)
            CRenderEngine::FillRoundRect(hDC, m_rcItem, GetBorderRound().cx, GetBorderRound().cy, kDisabledBkColor);
        else
            CRenderEngine::DrawColor(hDC, m_rcItem, kDisabledBkColor);
    }
    // No image: the drop-down arrow in the right padding.
    RECT arrow = {m_rcItem.right - std::max<LONG>(Scaled(16), Scaled(m_rcTextPadding).right), m_rcItem.top,
                  m_rcItem.right, m_rcItem.bottom};
    DrawChevron(hDC, arrow, IsEnabled() ? ((m_uButtonState & kComboHot) ? kComboFocusColor : kArrowColor) : 0xFFA9B1C4);
}

void CComboUI::PaintText(HDC hDC) {
    const CDuiString text = GetText();
    if (text.empty()) return;
    RECT rc = {m_rcItem.left + Scaled(m_rcTextPadding).left, m_rcItem.top + Scaled(m_rcTextPadding).top,
               m_rcItem.right - Scaled(m_rcTextPadding).right, m_rcItem.bottom - Scaled(m_rcTextPadding).bottom};
    DWORD color = m_dwTextColor != 0 ? m_dwTextColor : kComboTextColor;
    if (!IsEnabled()) color = m_pManager != nullptr ? m_pManager->GetDefaultDisabledColor() : 0xFFA9B1C4;
    CRenderEngine::DrawText(hDC, m_pManager, rc, text.c_str(), color, m_iFont,
                            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

bool CComboUI::GetInspectValue(int &value) const {
    value = m_iCurSel;
    return true;
}

CDuiString CComboUI::GetInspectText() const { return GetText(); }
