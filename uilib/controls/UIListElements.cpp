// List rows: CListRowUI (selection, hover, clicks, over either base), CListElementUI,
// CListLabelElementUI (one text), CListTextElementUI (a text per column) and
// CListContainerElementUI (any controls).
#include <algorithm>

#include "uilib/controls/UIList.h"
#include "uilib/controls/UIListBody.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kRowHot = 1 };
const int kMinRowHeight = 28;
const wchar_t kColumnSeparator = L'\x1F';

IListOwnerUI *OwnerOf(CControlUI *owner) {
    return owner != nullptr ? static_cast<IListOwnerUI *>(owner->GetInterface(L"IListOwner")) : nullptr;
}

// The body the row sits in, told when the row's height may change.
void RowHeightChanged(CControlUI *parent, int index) {
    if (parent != nullptr && parent->GetInterface(L"ListBody") != nullptr)
        static_cast<CListBodyUI *>(parent)->InvalidateRowHeights(index);
}

void DrawRowBk(HDC hDC, const RECT &rc, TListInfoUI *info, bool selected, bool hot, int index) {
    if (info == nullptr) return;
    DWORD bk = info->dwBkColor;
    if (selected && info->dwSelectedBkColor != 0)
        bk = info->dwSelectedBkColor;
    else if (hot && info->dwHotBkColor != 0)
        bk = info->dwHotBkColor;
    else if (info->dwAltBkColor != 0 && index % 2 == 1)
        bk = info->dwAltBkColor;
    if (bk != 0) CRenderEngine::DrawColor(hDC, rc, bk);
    if (info->dwLineColor != 0)
        CRenderEngine::DrawColor(hDC, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, info->dwLineColor);
}

DWORD RowTextColor(const TListInfoUI *info, CPaintManagerUI *manager, bool enabled, bool selected, bool hot) {
    DWORD color = info->dwTextColor;
    if (!enabled && info->dwDisabledTextColor != 0)
        color = info->dwDisabledTextColor;
    else if (selected && info->dwSelectedTextColor != 0)
        color = info->dwSelectedTextColor;
    else if (hot && info->dwHotTextColor != 0)
        color = info->dwHotTextColor;
    if (color == 0 && manager != nullptr) color = manager->GetDefaultFontColor();
    return color;
}

int RowEstimateHeight(CPaintManagerUI *manager, const TListInfoUI *info) {
    const TFontInfo *font = manager != nullptr ? manager->GetFontInfo(info != nullptr ? info->nFont : -1) : nullptr;
    const int text = font != nullptr ? font->tm.tmHeight : 16;
    auto scale = [manager](int v) { return manager != nullptr ? manager->Scale(v) : v; };
    const int pad = info != nullptr ? scale(info->rcTextPadding.top) + scale(info->rcTextPadding.bottom) : 0;
    return std::max(scale(kMinRowHeight), text + pad + scale(12));
}

void DrawCell(HDC hDC, CPaintManagerUI *manager, RECT rc, const CDuiString &text, const TListInfoUI *info,
              DWORD color) {
    if (text.empty()) return;
    const RECT pad = manager != nullptr ? manager->Scale(info->rcTextPadding) : info->rcTextPadding;
    rc.left += pad.left;
    rc.right -= pad.right;
    rc.top += pad.top;
    rc.bottom -= pad.bottom;
    if (rc.right <= rc.left) return;
    CRenderEngine::DrawText(hDC, manager, rc, text.c_str(), color, info->nFont,
                            info->uTextStyle | DT_NOPREFIX | DT_SINGLELINE);
}

// Clicks and keys shared by both kinds of row. Returns true when the event was used.
// Nothing after a notification touches the row: a handler may have removed it.
bool HandleRowEvent(CControlUI *self, IListItemUI *item, IListOwnerUI *owner, UINT &state, TEventUI &event) {
    CPaintManagerUI *manager = self->GetManager();
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
        if (!self->IsEnabled() || owner == nullptr) return true;
        owner->SelectItem(item->GetIndex(), true);
        if (item->GetOwner() != nullptr && manager != nullptr) manager->SendNotify(self, DUI_MSGTYPE_ITEMCLICK);
        return true;
    case UIEVENT_DBLCLICK:
        if (self->IsEnabled() && owner != nullptr) self->Activate();
        return true;
    case UIEVENT_BUTTONUP: return true;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSEMOVE:
        if (!(state & kRowHot) && self->IsEnabled()) {
            state |= kRowHot;
            self->Invalidate();
        }
        return true;
    case UIEVENT_MOUSELEAVE: {
        // Moving onto one of the row's own children keeps the row hot.
        RECT rc = self->GetPos();
        if ((state & kRowHot) && !::PtInRect(&rc, event.ptMouse)) {
            state &= ~kRowHot;
            self->Invalidate();
        }
        return true;
    }
    case UIEVENT_KEYDOWN:
    case UIEVENT_SCROLLWHEEL:
        if (owner != nullptr) owner->DoEvent(event);
        return true;
    default: return false;
    }
}

}  // namespace

// ---- CListRowUI: what both kinds of row share ----

template <class TBase>
LPVOID CListRowUI<TBase>::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListItem")) return static_cast<IListItemUI *>(this);
    return TBase::GetInterface(pstrName);
}

template <class TBase>
UINT CListRowUI<TBase>::GetControlFlags() const {
    return UIFLAG_WANTRETURN;
}
template <class TBase>
int CListRowUI<TBase>::GetIndex() const {
    return m_iIndex;
}
template <class TBase>
void CListRowUI<TBase>::SetIndex(int iIndex) {
    m_iIndex = iIndex;
}
template <class TBase>
IListOwnerUI *CListRowUI<TBase>::GetOwner() {
    return m_pOwner;
}
template <class TBase>
void CListRowUI<TBase>::SetOwner(CControlUI *pOwner) {
    m_pOwner = OwnerOf(pOwner);
}
template <class TBase>
bool CListRowUI<TBase>::IsSelected() const {
    return m_bSelected;
}
template <class TBase>
bool CListRowUI<TBase>::IsHot() const {
    return (m_uButtonState & kRowHot) != 0;
}

template <class TBase>
bool CListRowUI<TBase>::Select(bool bSelect) {
    if (m_bSelected == bSelect) return true;
    m_bSelected = bSelect;
    // Selecting a row by itself selects it in its list too (the list's own calls find the
    // list already in step and stop here).
    if (m_pOwner != nullptr) {
        if (bSelect && m_pOwner->GetCurSel() != m_iIndex)
            m_pOwner->SelectItem(m_iIndex);
        else if (!bSelect && m_pOwner->GetCurSel() == m_iIndex)
            m_pOwner->SelectItem(-1);
    }
    Invalidate();
    return true;
}

template <class TBase>
void CListRowUI<TBase>::SetVisible(bool bVisible) {
    if (this->m_bVisible == bVisible) return;
    TBase::SetVisible(bVisible);
    RowHeightChanged(this->m_pParent, m_iIndex);
}

template <class TBase>
void CListRowUI<TBase>::SetEnabled(bool bEnable) {
    TBase::SetEnabled(bEnable);
    if (!bEnable) m_uButtonState = 0;
}

template <class TBase>
bool CListRowUI<TBase>::Activate() {
    if (!TBase::Activate() || m_pOwner == nullptr) return false;
    // What a double-click does. Nothing after the notification touches the row: a
    // handler may have removed it.
    CPaintManagerUI *manager = this->m_pManager;
    m_pOwner->SelectItem(m_iIndex, true);
    if (m_pOwner != nullptr && manager != nullptr) manager->SendNotify(this, DUI_MSGTYPE_DBCLICK);
    return true;
}
template <class TBase>
void CListRowUI<TBase>::Invalidate() {
    CControlUI::Invalidate();
}

template <class TBase>
void CListRowUI<TBase>::DoEvent(TEventUI &event) {
    if (!HandleRowEvent(this, this, m_pOwner, m_uButtonState, event)) TBase::DoEvent(event);
}

template <class TBase>
void CListRowUI<TBase>::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    bool b = false;
    if (uilib::SameName(pstrName, L"selected")) {
        if (uilib::ParseBool(pstrValue, b)) Select(b);
    } else {
        TBase::SetAttribute(pstrName, pstrValue);
    }
}

template <class TBase>
void CListRowUI<TBase>::DrawItemBk(HDC hDC, const RECT &rcItem) {
    DrawRowBk(hDC, rcItem, m_pOwner != nullptr ? m_pOwner->GetListInfo() : nullptr, m_bSelected,
              IsHot() && this->IsEnabled(), m_iIndex);
}

template <class TBase>
int CListRowUI<TBase>::GetInspectSelected() const {
    return m_bSelected ? 1 : 0;
}

template class CListRowUI<CControlUI>;
template class CListRowUI<CContainerUI>;

// ---- CListElementUI ----

LPCTSTR CListElementUI::GetClass() const { return L"ListElement"; }

LPVOID CListElementUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListElement")) return static_cast<CListElementUI *>(this);
    return CListRowUI<CControlUI>::GetInterface(pstrName);
}

// ---- CListLabelElementUI ----

CListLabelElementUI::CListLabelElementUI() = default;

LPCTSTR CListLabelElementUI::GetClass() const { return L"ListLabelElement"; }

LPVOID CListLabelElementUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListLabelElement")) return static_cast<CListLabelElementUI *>(this);
    return CListElementUI::GetInterface(pstrName);
}

SIZE CListLabelElementUI::EstimateSize(SIZE /*szAvailable*/) {
    if (m_cxyFixed.cy > 0) return Scaled(m_cxyFixed);
    return {Scaled(m_cxyFixed.cx),
            RowEstimateHeight(m_pManager, m_pOwner != nullptr ? m_pOwner->GetListInfo() : nullptr)};
}

void CListLabelElementUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    DrawItemBk(hDC, m_rcItem);
    if (!m_sBkImage.empty()) DrawImage(hDC, m_sBkImage.c_str());
    DrawItemText(hDC, m_rcItem);
}

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT &rcItem) {
    if (m_pOwner == nullptr) return;
    const TListInfoUI *info = m_pOwner->GetListInfo();
    DrawCell(hDC, m_pManager, rcItem, m_sText, info, RowTextColor(info, m_pManager, IsEnabled(), m_bSelected, IsHot()));
}

// ---- CListTextElementUI ----

CListTextElementUI::CListTextElementUI() = default;
CListTextElementUI::~CListTextElementUI() = default;

LPCTSTR CListTextElementUI::GetClass() const { return L"ListTextElement"; }

LPVOID CListTextElementUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListTextElement")) return static_cast<CListTextElementUI *>(this);
    return CListLabelElementUI::GetInterface(pstrName);
}

LPCTSTR CListTextElementUI::GetText(int iIndex) const {
    if (iIndex < 0 || iIndex >= static_cast<int>(m_aTexts.size())) return L"";
    return m_aTexts[iIndex].c_str();
}

void CListTextElementUI::SetText(int iIndex, LPCTSTR pstrText) {
    if (iIndex < 0 || iIndex >= UILIST_MAX_COLUMNS) return;
    if (iIndex >= static_cast<int>(m_aTexts.size())) m_aTexts.resize(iIndex + 1);
    m_aTexts[iIndex] = pstrText != nullptr ? pstrText : L"";
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, EVENT_OBJECT_NAMECHANGE, true);
}

int CListTextElementUI::GetColumnCount() const {
    if (m_pOwner != nullptr && m_pOwner->GetListInfo()->nColumns > 0) return m_pOwner->GetListInfo()->nColumns;
    return static_cast<int>(m_aTexts.size());
}

void CListTextElementUI::SetOwner(CControlUI *pOwner) { CListLabelElementUI::SetOwner(pOwner); }

SIZE CListTextElementUI::EstimateSize(SIZE szAvailable) { return CListLabelElementUI::EstimateSize(szAvailable); }

void CListTextElementUI::DrawItemText(HDC hDC, const RECT &rcItem) {
    if (m_pOwner == nullptr) return;
    const TListInfoUI *info = m_pOwner->GetListInfo();
    const DWORD color = RowTextColor(info, m_pManager, IsEnabled(), m_bSelected, IsHot());
    if (info->nColumns <= 0) {
        DrawCell(hDC, m_pManager, rcItem, m_aTexts.empty() ? m_sText : m_aTexts[0], info, color);
        return;
    }
    for (int i = 0; i < info->nColumns && i < static_cast<int>(m_aTexts.size()); ++i) {
        RECT cell = {info->rcColumn[i].left, rcItem.top, info->rcColumn[i].right, rcItem.bottom};
        DrawCell(hDC, m_pManager, cell, m_aTexts[i], info, color);
    }
}

CDuiString CListTextElementUI::GetInspectText() const {
    CDuiString joined;
    for (size_t i = 0; i < m_aTexts.size(); ++i) {
        if (i > 0) joined += kColumnSeparator;
        joined += m_aTexts[i];
    }
    return joined;
}

// ---- CListContainerElementUI ----

CListContainerElementUI::CListContainerElementUI() = default;

LPCTSTR CListContainerElementUI::GetClass() const { return L"ListContainerElement"; }

LPVOID CListContainerElementUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListContainerElement")) return static_cast<CListContainerElementUI *>(this);
    return CListRowUI<CContainerUI>::GetInterface(pstrName);
}

void CListContainerElementUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    DrawItemBk(hDC, m_rcItem);
    CContainerUI::DoPaint(hDC, rcPaint);
}

void CListContainerElementUI::DrawItemText(HDC /*hDC*/, const RECT & /*rcItem*/) {}

// Whether a control takes mouse input of its own inside a row.
static bool TakesInput(CControlUI *control) {
    if (control->GetInterface(L"Button") != nullptr) return true;
    return (control->GetControlFlags() & (UIFLAG_TABSTOP | UIFLAG_SETCURSOR)) != 0;
}

CControlUI *CListContainerElementUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    CControlUI *found = CContainerUI::FindControl(Proc, pData, uFlags);
    if ((uFlags & UIFIND_HITTEST) == 0 || found == nullptr || found == this) return found;
    // Walk up from the hit: a control that takes input (a button) keeps it.
    for (CControlUI *c = found; c != nullptr && c != this; c = c->GetParent()) {
        if (TakesInput(c)) return found;
    }
    return CControlUI::FindControl(Proc, pData, uFlags);
}
