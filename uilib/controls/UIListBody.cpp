// CListBodyUI: virtualised layout, painting and hit-testing of a list's rows.
#include "uilib/core/UIText.h"
#include "uilib/controls/UIListBody.h"

#include <algorithm>

#include "uilib/controls/UIList.h"
#include "uilib/controls/UIListInfo.h"
#include "uilib/controls/UIScrollBar.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

const int kDefaultRowHeight = 28;

}  // namespace

CListBodyUI::CListBodyUI(CListUI *pOwner) : m_pOwner(pOwner) { m_aTops.push_back(0); }

LPCTSTR CListBodyUI::GetClass() const { return L"ListBody"; }

LPVOID CListBodyUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ListBody")) return static_cast<CListBodyUI *>(this);
    return CVerticalLayoutUI::GetInterface(pstrName);
}

void CListBodyUI::Reindex(int iFrom) {
    for (size_t i = std::max(0, iFrom); i < m_items.size(); ++i) {
        if (IListItemUI *row = AsListItem(m_items[i])) row->SetIndex(static_cast<int>(i));
    }
}

void CListBodyUI::InvalidateRowHeights(int iFromIndex) {
    m_nMeasured = std::min(m_nMeasured, static_cast<size_t>(std::max(0, iFromIndex)));
    NeedUpdate();
}

bool CListBodyUI::Add(CControlUI *pControl) { return AddAt(pControl, static_cast<int>(m_items.size())); }

bool CListBodyUI::AddAt(CControlUI *pControl, int iIndex) {
    if (!CVerticalLayoutUI::AddAt(pControl, iIndex)) return false;
    if (IListItemUI *row = AsListItem(pControl)) {
        row->SetOwner(m_pOwner);
        row->SetIndex(iIndex);
    }
    m_aTops.resize(m_items.size() + 1);
    m_nMeasured = std::min(m_nMeasured, static_cast<size_t>(iIndex));
    if (iIndex + 1 < static_cast<int>(m_items.size())) {
        Reindex(iIndex + 1);
        m_pOwner->OnRowInserted(iIndex);
    }
    // A row built with "selected" (before it had an owner) becomes the selection.
    IListItemUI *row = AsListItem(pControl);
    if (row != nullptr && row->IsSelected() && m_pOwner->m_iCurSel < 0) m_pOwner->m_iCurSel = iIndex;
    RowsReordered();
    return true;
}

bool CListBodyUI::Remove(CControlUI *pControl) {
    const int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CListBodyUI::RemoveAt(int iIndex) {
    CControlUI *item = GetItemAt(iIndex);
    if (item == nullptr) return false;
    // A removed row may outlive this call (its notification is still being dispatched):
    // it must no longer reach the list.
    if (IListItemUI *row = AsListItem(item)) {
        row->SetOwner(nullptr);
        row->SetIndex(-1);
    }
    CVerticalLayoutUI::RemoveAt(iIndex);
    m_aTops.resize(m_items.size() + 1);
    m_nMeasured = std::min(m_nMeasured, static_cast<size_t>(iIndex));
    Reindex(iIndex);
    m_iLastLaid = std::min(m_iLastLaid, static_cast<int>(m_items.size()) - 1);
    m_iFirstLaid = std::min(m_iFirstLaid, std::max(0, m_iLastLaid));
    m_pOwner->OnRowRemoved(iIndex);
    RowsReordered();
    return true;
}

void CListBodyUI::RemoveAll() {
    for (CControlUI *item : m_items) {
        if (IListItemUI *row = AsListItem(item)) {
            row->SetOwner(nullptr);
            row->SetIndex(-1);
        }
    }
    CVerticalLayoutUI::RemoveAll();
    m_aTops.assign(1, 0);
    m_nMeasured = 0;
    m_iFirstLaid = 0;
    m_iLastLaid = -1;
    m_iEnsureVisible = -1;
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetScrollPos(0);
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetScrollPos(0);
    m_pOwner->OnRowsCleared();
    RowsReordered();
}

void CListBodyUI::RowsReordered() {
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(m_pOwner, EVENT_OBJECT_REORDER);
}

bool CListBodyUI::SetItemIndex(CControlUI *pControl, int iIndex) {
    if (!CVerticalLayoutUI::SetItemIndex(pControl, iIndex)) return false;
    Reindex(0);
    m_nMeasured = 0;
    // The selected row may have moved.
    m_pOwner->m_iCurSel = -1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        IListItemUI *row = AsListItem(m_items[i]);
        if (row != nullptr && row->IsSelected()) {
            m_pOwner->m_iCurSel = static_cast<int>(i);
            break;
        }
    }
    return true;
}

int CListBodyUI::RowHeight(CControlUI *pRow, int cxAvailable) {
    if (!pRow->IsVisible()) return 0;
    int h = pRow->GetFixedHeight();
    if (h <= 0) h = pRow->EstimateSize({cxAvailable, 0}).cy;
    if (h <= 0) h = Scaled(kDefaultRowHeight);
    const RECT pad = pRow->GetPadding();
    return h + pad.top + pad.bottom;
}

void CListBodyUI::MeasureRows(int cxAvailable) {
    const int dpi = m_pManager != nullptr ? m_pManager->GetDPI() : 96;
    if (dpi != m_nMeasuredDpi) {
        m_nMeasured = 0;
        m_nMeasuredDpi = dpi;
    }
    m_aTops.resize(m_items.size() + 1);
    for (size_t i = m_nMeasured; i < m_items.size(); ++i)
        m_aTops[i + 1] = m_aTops[i] + RowHeight(m_items[i], cxAvailable);
    m_nMeasured = m_items.size();
}

int CListBodyUI::GetContentHeight() {
    MeasureRows(GetRowsRect().right - GetRowsRect().left);
    return m_aTops.back();
}

int CListBodyUI::RowAtContentY(int y) const {
    // The last row whose top is at or above y.
    auto it = std::upper_bound(m_aTops.begin(), m_aTops.begin() + m_nMeasured + 1, y);
    int index = static_cast<int>(it - m_aTops.begin()) - 1;
    return std::max(0, std::min(index, static_cast<int>(m_items.size()) - 1));
}

void CListBodyUI::GetVisibleRange(int &first, int &last) const {
    first = m_iFirstLaid;
    last = m_iLastLaid;
}

RECT CListBodyUI::GetRowsRect() const { return GetContentRect(); }

int CListBodyUI::GetPageRows() {
    const RECT rows = GetRowsRect();
    const int rowHeight = m_nMeasured > 0 ? std::max(1, m_aTops[1] - m_aTops[0]) : kDefaultRowHeight;
    return std::max(1, static_cast<int>(rows.bottom - rows.top) / rowHeight);
}

void CListBodyUI::EnsureVisible(int iIndex) {
    if (iIndex < 0 || iIndex >= static_cast<int>(m_items.size())) return;
    const RECT rows = GetRowsRect();
    if (m_nMeasured <= static_cast<size_t>(iIndex) || rows.bottom <= rows.top) {
        m_iEnsureVisible = iIndex;  // applied by the next layout
        NeedUpdate();
        return;
    }
    const int viewH = rows.bottom - rows.top;
    SIZE pos = GetScrollPos();
    const int top = m_aTops[iIndex], bottom = m_aTops[iIndex + 1];
    if (top < pos.cy)
        pos.cy = top;
    else if (bottom > pos.cy + viewH)
        pos.cy = bottom - viewH;
    else
        return;
    SetScrollPos(pos);
}

void CListBodyUI::SetScrollPos(SIZE szPos) {
    const SIZE before = GetScrollPos();
    CVerticalLayoutUI::SetScrollPos(szPos);
    // The header follows the rows sideways.
    if (GetScrollPos().cx != before.cx) m_pOwner->PlaceHeader();
}

void CListBodyUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    if (!IsVisible()) return;  // heights of rows measured while hidden would all be 0
    const int prevFirst = m_iFirstLaid, prevLast = std::min(m_iLastLaid, static_cast<int>(m_items.size()) - 1);
    RECT content = GetContentRect();
    MeasureRows(content.right - content.left);
    const int cyNeeded = m_aTops.back();
    CListHeaderUI *header = m_pOwner->GetHeader();
    const int columns = header != nullptr ? header->GetColumnsWidth(content.right - content.left) : 0;
    ProcessScrollBar(content, columns, cyNeeded);  // may lay out again when a bar comes or goes

    content = GetContentRect();
    const int viewW = content.right - content.left;
    const int viewH = content.bottom - content.top;
    if (m_iEnsureVisible >= 0 && m_iEnsureVisible < static_cast<int>(m_items.size()) &&
        m_pVerticalScrollBar != nullptr && m_bVScrollShown) {
        const int top = m_aTops[m_iEnsureVisible], bottom = m_aTops[m_iEnsureVisible + 1];
        int pos = m_pVerticalScrollBar->GetScrollPos();
        if (top < pos)
            pos = top;
        else if (bottom > pos + viewH)
            pos = bottom - viewH;
        m_pVerticalScrollBar->SetScrollPos(pos);
    }
    m_iEnsureVisible = -1;

    const SIZE scroll = GetScrollPos();
    const int rowWidth = std::max(viewW, columns);
    m_iFirstLaid = 0;
    m_iLastLaid = -1;
    if (!m_items.empty() && viewH > 0) {
        m_iFirstLaid = RowAtContentY(scroll.cy);
        int i = m_iFirstLaid;
        for (; i < static_cast<int>(m_items.size()) && m_aTops[i] < scroll.cy + viewH; ++i) {
            const int height = m_aTops[i + 1] - m_aTops[i];
            if (height <= 0) continue;
            CControlUI *row = m_items[i];
            const RECT pad = row->GetPadding();
            const int top = content.top + m_aTops[i] - scroll.cy;
            const int left = content.left - scroll.cx;
            row->SetPos({left + pad.left, top + pad.top, left + rowWidth - pad.right, top + height - pad.bottom},
                        bNeedInvalidate);
        }
        m_iLastLaid = i - 1;
    }
    // Rows that just left the view go where they really are (outside it), so that no
    // stale rectangle inside the view is left behind for hit tests or inspection.
    for (int i = prevFirst; i <= prevLast; ++i) {
        if (i >= m_iFirstLaid && i <= m_iLastLaid) continue;
        const int height = m_aTops[i + 1] - m_aTops[i];
        const int top = content.top + m_aTops[i] - scroll.cy;
        const int left = content.left - scroll.cx;
        m_items[i]->SetPos({left, top, left + rowWidth, top + height}, false);
    }
    if (m_pVerticalScrollBar != nullptr && m_nMeasured > 0)
        m_pVerticalScrollBar->SetLineSize(std::max(8, m_aTops[1] - m_aTops[0]));
}

void CListBodyUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CRenderClip clip(hDC, rcTemp);
    CControlUI::DoPaint(hDC, rcPaint);
    const RECT content = GetContentRect();
    RECT rcRows;
    if (::IntersectRect(&rcRows, &rcTemp, &content) && m_iLastLaid < static_cast<int>(m_items.size())) {
        CRenderClip rowsClip(hDC, rcRows);
        for (int i = m_iFirstLaid; i <= m_iLastLaid; ++i) {
            CControlUI *row = m_items[i];
            if (!row->IsVisible()) continue;
            RECT r = row->GetPos(), tmp;
            if (::IntersectRect(&tmp, &rcRows, &r)) row->DoPaint(hDC, rcRows);
        }
    }
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) m_pVerticalScrollBar->DoPaint(hDC, rcTemp);
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) m_pHorizontalScrollBar->DoPaint(hDC, rcTemp);
}

void CListBodyUI::DoEvent(TEventUI &event) {
    // The list scrolls (and stops) the wheel; keys go to the list's selection.
    if (event.Type == UIEVENT_SCROLLWHEEL || event.Type == UIEVENT_KEYDOWN) {
        m_pOwner->DoEvent(event);
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

CControlUI *CListBodyUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if (PassedBySearch(pData, uFlags)) return nullptr;
    const bool hitTest = (uFlags & UIFIND_HITTEST) != 0;
    if ((uFlags & UIFIND_UPDATETEST) != 0 && Proc(this, pData) != nullptr) return nullptr;
    if ((uFlags & UIFIND_ME_FIRST) != 0 && (!hitTest || m_bMouseEnabled)) {
        if (CControlUI *found = Proc(this, pData)) return found;
    }
    if (hitTest) {
        if (CControlUI *found = FindInScrollBars(Proc, pData, uFlags)) return found;
    }
    if (!hitTest || m_bMouseChildEnabled) {
        // Hit tests and layout passes see the rows in view only; lookups see every row.
        int first = 0, last = static_cast<int>(m_items.size()) - 1;
        if (hitTest || (uFlags & UIFIND_UPDATETEST) != 0) {
            first = m_iFirstLaid;
            last = std::min(m_iLastLaid, last);
            const RECT content = GetContentRect();
            if (hitTest && !::PtInRect(&content, *static_cast<LPPOINT>(pData))) last = first - 1;
        }
        const bool topFirst = (uFlags & UIFIND_TOP_FIRST) != 0;
        for (int n = first; n <= last; ++n) {
            CControlUI *row = m_items[topFirst ? last - (n - first) : n];
            if (CControlUI *found = row->FindControl(Proc, pData, uFlags)) return found;
        }
    }
    if ((uFlags & UIFIND_ME_FIRST) == 0 && (!hitTest || m_bMouseEnabled)) return Proc(this, pData);
    return nullptr;
}
