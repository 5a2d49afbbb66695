// CListUI (header over a body of rows), CListHeaderUI and CListHeaderItemUI.
#include "uilib/controls/UIList.h"

#include <algorithm>

#include "uilib/controls/UIButton.h"
#include "uilib/controls/UIListBody.h"
#include "uilib/controls/UIListInfo.h"
#include "uilib/controls/UIPalette.h"
#include "uilib/controls/UIScrollBar.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

const int kDefaultHeaderHeight = 32;
const int kMinStretchColumn = 60;  // px, a stretching column never shrinks below this
const DWORD kHeaderBkColor = 0xFFEEF2FB;
const DWORD kHeaderTextColor = 0xFF3A4560;
const DWORD kHeaderSepColor = uilib::kPaletteBorder;

// Column rectangles from left for an available width: fixed widths as given, stretching
// columns (width 0) share what is left.
// Column edges are the scaled skin offsets, so that rounding never adds up along a row.
int LayoutColumns(const CListHeaderUI *header, int left, int top, int bottom, int cxAvailable, RECT *out, int maxOut) {
    const CPaintManagerUI *manager = header->GetManager();
    auto scale = [manager](int v) { return manager != nullptr ? manager->Scale(v) : v; };
    const int count = header->GetCount();
    int fixed = 0, stretch = 0;
    for (int i = 0; i < count; ++i) {
        const int w = header->GetItemAt(i)->GetSkinFixedSize().cx;
        if (w > 0)
            fixed += w;
        else
            ++stretch;
    }
    const int share = stretch > 0 ? std::max(scale(kMinStretchColumn), (cxAvailable - scale(fixed)) / stretch) : 0;
    int skinX = 0, stretched = 0, x = left;
    for (int i = 0; i < count; ++i) {
        const int w = header->GetItemAt(i)->GetSkinFixedSize().cx;
        if (w > 0)
            skinX += w;
        else
            ++stretched;
        const int right = left + scale(skinX) + stretched * share;
        if (out != nullptr && i < maxOut) out[i] = {x, top, right, bottom};
        x = right;
    }
    return x - left;
}

}  // namespace

// ---- CListUI ----

CListUI::CListUI() {
    m_pHeader = new CListHeaderUI;
    m_pList = new CListBodyUI(this);
    CContainerUI::AddAt(m_pHeader, 0);
    CContainerUI::AddAt(m_pList, 1);
    m_pList->EnableScrollBar(true, false);
    SetDefaultListColors(m_ListInfo);
}

LPCTSTR CListUI::GetClass() const { return L"List"; }

LPVOID CListUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"List")) return static_cast<CListUI *>(this);
    if (uilib::SameName(pstrName, L"IListOwner")) return static_cast<IListOwnerUI *>(this);
    return CVerticalLayoutUI::GetInterface(pstrName);
}

UINT CListUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_WANTRETURN : 0; }
CListHeaderUI *CListUI::GetHeader() const { return m_pHeader; }
CContainerUI *CListUI::GetList() const { return m_pList; }
TListInfoUI *CListUI::GetListInfo() { return &m_ListInfo; }
int CListUI::GetCurSel() const { return m_iCurSel; }

bool CListUI::SelectItem(int iIndex, bool bTakeFocus) {
    return ChangeRowSelection(*this, *this, m_iCurSel, iIndex, bTakeFocus, [this](int iNew, int /*iOld*/) {
        if (iNew >= 0) EnsureVisible(iNew);
    });
}

void CListUI::EnsureVisible(int iIndex) { m_pList->EnsureVisible(iIndex); }

CControlUI *CListUI::GetItemAt(int iIndex) const { return m_pList->GetItemAt(iIndex); }
int CListUI::GetItemIndex(CControlUI *pControl) const { return m_pList->GetItemIndex(pControl); }
bool CListUI::SetItemIndex(CControlUI *pControl, int iIndex) { return m_pList->SetItemIndex(pControl, iIndex); }
int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::Add(CControlUI *pControl) {
    if (pControl == nullptr) return false;
    if (pControl->GetInterface(L"ListHeader") != nullptr) {
        // A header from the skin replaces the empty one made by the constructor.
        if (pControl == m_pHeader) return false;
        CListHeaderUI *old = m_pHeader;
        m_pHeader = static_cast<CListHeaderUI *>(pControl);
        auto it = std::find(m_items.begin(), m_items.end(), old);
        if (it != m_items.end()) m_items.erase(it);
        delete old;
        CContainerUI::AddAt(m_pHeader, 0);
        NeedUpdate();
        return true;
    }
    return m_pList->Add(pControl);
}

bool CListUI::AddAt(CControlUI *pControl, int iIndex) {
    if (pControl != nullptr && pControl->GetInterface(L"ListHeader") != nullptr) return Add(pControl);
    return m_pList->AddAt(pControl, iIndex);
}

bool CListUI::Remove(CControlUI *pControl) { return m_pList->Remove(pControl); }
bool CListUI::RemoveAt(int iIndex) { return m_pList->RemoveAt(iIndex); }
void CListUI::RemoveAll() { m_pList->RemoveAll(); }

void CListUI::OnRowRemoved(int iIndex) {
    if (m_iCurSel == iIndex)
        m_iCurSel = -1;
    else if (m_iCurSel > iIndex)
        --m_iCurSel;
}

void CListUI::OnRowInserted(int iIndex) {
    if (m_iCurSel >= iIndex) ++m_iCurSel;
}

void CListUI::OnRowsCleared() { m_iCurSel = -1; }

void CListUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal) {
    m_pList->EnableScrollBar(bEnableVertical, bEnableHorizontal);
}

CScrollBarUI *CListUI::GetVerticalScrollBar() const { return m_pList->GetVerticalScrollBar(); }
CScrollBarUI *CListUI::GetHorizontalScrollBar() const { return m_pList->GetHorizontalScrollBar(); }
SIZE CListUI::GetScrollPos() const { return m_pList->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_pList->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE szPos) { m_pList->SetScrollPos(szPos); }

void CListUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT inset = GetInset();
    RECT inner = {rc.left + inset.left, rc.top + inset.top, rc.right - inset.right, rc.bottom - inset.bottom};
    int headerHeight = 0;
    if (m_pHeader != nullptr && m_pHeader->IsVisible())
        headerHeight = m_pHeader->EstimateSize({inner.right - inner.left, inner.bottom - inner.top}).cy;
    RECT body = {inner.left, std::min(inner.bottom, inner.top + headerHeight), inner.right, inner.bottom};
    m_pList->SetPos(body, bNeedInvalidate);
    PlaceHeader();
}

void CListUI::PlaceHeader() {
    if (m_pHeader == nullptr) {
        m_ListInfo.nColumns = 0;
        return;
    }
    const RECT rows = m_pList->GetRowsRect();
    const int viewW = std::max(0, static_cast<int>(rows.right - rows.left));
    const int scrollX = m_pList->GetScrollPos().cx;
    const int top = m_rcItem.top + GetInset().top;
    const int height = m_pHeader->IsVisible() ? std::max(0, static_cast<int>(m_pList->GetPos().top - top)) : 0;
    const int width = std::max(m_pHeader->GetColumnsWidth(viewW), viewW);
    const int left = rows.left - scrollX;
    m_pHeader->SetPos({left, top, left + width, top + height}, true);
    // Rows draw their cells in these rectangles; their own top and bottom are used.
    m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), UILIST_MAX_COLUMNS);
    LayoutColumns(m_pHeader, left, top, top + height, viewW, m_ListInfo.rcColumn, UILIST_MAX_COLUMNS);
    m_pList->Invalidate();
}

void CListUI::DoEvent(TEventUI &event) {
    switch (event.Type) {
    case UIEVENT_KEYDOWN: {
        if (!IsEnabled() || GetCount() == 0) break;
        const int page = std::max(1, m_pList->GetPageRows());
        int target = m_iCurSel;
        switch (event.chKey) {
        case VK_UP: target = m_iCurSel < 0 ? 0 : m_iCurSel - 1; break;
        case VK_DOWN: target = m_iCurSel + 1; break;
        case VK_PRIOR: target = m_iCurSel - page; break;
        case VK_NEXT: target = m_iCurSel < 0 ? page - 1 : m_iCurSel + page; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = GetCount() - 1; break;
        case VK_RETURN:
            // The row's default button if it has one (a call row plays), else what a
            // double-click on the row does.
            if (CControlUI *row = GetItemAt(m_iCurSel)) {
                if (CButtonUI *button = CButtonUI::FindKeyButton(row, false))
                    button->Activate();
                else
                    row->Activate();
            }
            return;
        default: CVerticalLayoutUI::DoEvent(event); return;
        }
        target = std::max(0, std::min(target, GetCount() - 1));
        if (target != m_iCurSel) SelectItem(target, true);
        return;
    }
    case UIEVENT_SCROLLWHEEL: {
        // Rows and the body hand the wheel here; it goes no further up. The tilt wheel
        // scrolls rows wider than the view sideways.
        const bool up = LOWORD(event.wParam) == SB_LINEUP;
        const bool sideways = IsHorizontalWheel(event);
        CScrollBarUI *bar = sideways ? m_pList->GetHorizontalScrollBar() : m_pList->GetVerticalScrollBar();
        const int line = bar != nullptr ? bar->GetLineSize() : 30;
        SIZE pos = m_pList->GetScrollPos();
        (sideways ? pos.cx : pos.cy) += up ? -3 * line : 3 * line;
        m_pList->SetScrollPos(pos);
        return;
    }
    default: CVerticalLayoutUI::DoEvent(event);
    }
}

void CListUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    bool b = false;
    if (uilib::SameName(pstrName, L"header")) {
        if (m_pHeader != nullptr) m_pHeader->SetVisible(_wcsicmp(pstrValue, L"hidden") != 0);
    } else if (SetListInfoAttribute(m_ListInfo, pstrName, pstrValue)) {
        Invalidate();
    } else if (uilib::SameName(pstrName, L"vscrollbar")) {
        if (uilib::ParseBool(pstrValue, b)) m_pList->EnableScrollBar(b, m_pList->GetHorizontalScrollBar() != nullptr);
    } else if (uilib::SameName(pstrName, L"hscrollbar")) {
        if (uilib::ParseBool(pstrValue, b)) m_pList->EnableScrollBar(m_pList->GetVerticalScrollBar() != nullptr, b);
    } else {
        CVerticalLayoutUI::SetAttribute(pstrName, pstrValue);
    }
}

bool SetListInfoAttribute(TListInfoUI &info, LPCTSTR pstrName, LPCTSTR pstrValue) {
    RECT rc;
    int n = 0;
    if (uilib::SameName(pstrName, L"itemfont")) {
        if (uilib::ParseInt(pstrValue, n)) info.nFont = n;
    } else if (uilib::SameName(pstrName, L"itemalign")) {
        info.uTextStyle &= ~(DT_LEFT | DT_CENTER | DT_RIGHT);
        if (wcsstr(pstrValue, L"center") != nullptr)
            info.uTextStyle |= DT_CENTER;
        else if (wcsstr(pstrValue, L"right") != nullptr)
            info.uTextStyle |= DT_RIGHT;
        else
            info.uTextStyle |= DT_LEFT;
    } else if (uilib::SameName(pstrName, L"itemtextpadding")) {
        if (ParseRect(pstrValue, rc)) info.rcTextPadding = rc;
    } else if (uilib::SameName(pstrName, L"itemtextcolor"))
        info.dwTextColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itembkcolor"))
        info.dwBkColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemaltbkcolor"))
        info.dwAltBkColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemselectedtextcolor"))
        info.dwSelectedTextColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemselectedbkcolor"))
        info.dwSelectedBkColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemhottextcolor"))
        info.dwHotTextColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemhotbkcolor"))
        info.dwHotBkColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemdisabledtextcolor"))
        info.dwDisabledTextColor = ParseColor(pstrValue);
    else if (uilib::SameName(pstrName, L"itemlinecolor"))
        info.dwLineColor = ParseColor(pstrValue);
    else
        return false;
    return true;
}

void SetDefaultListColors(TListInfoUI &info) {
    info.dwTextColor = uilib::kPaletteText;
    info.dwAltBkColor = 0xFFF8FAFE;
    info.dwHotBkColor = 0xFFEEF3FE;
    info.dwSelectedBkColor = 0xFFDCE6FD;
    info.dwSelectedTextColor = uilib::kPaletteText;
    info.dwDisabledTextColor = 0xFFA9B1C4;
    info.dwLineColor = 0xFFE8ECF5;
}

IListItemUI *AsListItem(CControlUI *control) {
    return control != nullptr ? static_cast<IListItemUI *>(control->GetInterface(L"ListItem")) : nullptr;
}

void MoveRowSelection(const IContainerUI &rows, int iOld, int iNew) {
    if (IListItemUI *row = AsListItem(rows.GetItemAt(iOld))) row->Select(false);
    if (IListItemUI *row = AsListItem(rows.GetItemAt(iNew))) row->Select(true);
}

bool ChangeRowSelection(CControlUI &owner, const IContainerUI &rows, int &iCurSel, int iIndex, bool bTakeFocus,
                        const std::function<void(int, int)> &onMoved) {
    if (iIndex < 0 || iIndex >= rows.GetCount()) iIndex = -1;
    if (bTakeFocus) owner.SetFocus();
    if (iIndex == iCurSel) return iIndex >= 0;
    const int old = iCurSel;
    iCurSel = iIndex;
    MoveRowSelection(rows, old, iIndex);
    onMoved(iIndex, old);
    if (CPaintManagerUI *manager = owner.GetManager()) {
        if (CControlUI *row = rows.GetItemAt(iIndex)) {
            manager->NotifyAccessible(row, EVENT_OBJECT_SELECTION);
            if (manager->GetFocus() == &owner) manager->NotifyAccessible(row, EVENT_OBJECT_FOCUS);
        }
        manager->NotifyAccessible(&owner, EVENT_OBJECT_VALUECHANGE, true);
    }
    if (owner.GetManager() != nullptr) owner.GetManager()->SendNotify(&owner, DUI_MSGTYPE_ITEMSELECT, iIndex, old);
    return iIndex >= 0;
}

bool CListUI::GetInspectValue(int &value) const {
    value = m_iCurSel;
    return true;
}

// ---- CListHeaderUI ----

CListHeaderUI::CListHeaderUI() { m_dwBackColor = kHeaderBkColor; }

LPCTSTR CListHeaderUI::GetClass() const { return L"ListHeader"; }

LPVOID CListHeaderUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListHeader")) return static_cast<CListHeaderUI *>(this);
    return CHorizontalLayoutUI::GetInterface(pstrName);
}

SIZE CListHeaderUI::EstimateSize(SIZE szAvailable) {
    return {GetColumnsWidth(szAvailable.cx), Scaled(m_cxyFixed.cy > 0 ? m_cxyFixed.cy : kDefaultHeaderHeight)};
}

int CListHeaderUI::GetColumnsWidth(int cxAvailable) const {
    return LayoutColumns(this, 0, 0, 0, cxAvailable, nullptr, 0);
}

void CListHeaderUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    std::vector<RECT> columns(m_items.size());
    // Stretching columns share the width in view, as the rows' columns do (PlaceHeader).
    int view = rc.right - rc.left;
    if (m_pParent != nullptr && m_pParent->GetInterface(L"List") != nullptr) {
        const RECT rows = static_cast<CListBodyUI *>(static_cast<CListUI *>(m_pParent)->GetList())->GetRowsRect();
        view = rows.right - rows.left;
    }
    LayoutColumns(this, rc.left, rc.top, rc.bottom, std::min<int>(view, rc.right - rc.left), columns.data(),
                  static_cast<int>(columns.size()));
    for (size_t i = 0; i < m_items.size(); ++i) m_items[i]->SetPos(columns[i], bNeedInvalidate);
}

// ---- CListHeaderItemUI ----

CListHeaderItemUI::CListHeaderItemUI() {
    m_dwTextColor = kHeaderTextColor;
    m_dwSepColor = kHeaderSepColor;
    m_rcTextPadding = {10, 0, 8, 0};
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
}

LPCTSTR CListHeaderItemUI::GetClass() const { return L"ListHeaderItem"; }

LPVOID CListHeaderItemUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListHeaderItem")) return static_cast<CListHeaderItemUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}

void CListHeaderItemUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (uilib::SameName(pstrName, L"sepcolor"))
        m_dwSepColor = ParseColor(pstrValue);
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CListHeaderItemUI::PaintBorder(HDC hDC) {
    CLabelUI::PaintBorder(hDC);
    if (m_dwSepColor == 0) return;
    RECT sep = {m_rcItem.right - 1, m_rcItem.top + 8, m_rcItem.right, m_rcItem.bottom - 8};
    CRenderEngine::DrawColor(hDC, sep, m_dwSepColor);
}
