#include "uilib/core/UIContainer.h"

#include <algorithm>
#include <iterator>

#include "uilib/controls/UIScrollBar.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

const int kWheelLines = 3;

int BarThickness(const CScrollBarUI *bar, bool horizontal) {
    int t = horizontal ? bar->GetFixedHeight() : bar->GetFixedWidth();
    if (t > 0) return t;
    return bar->GetManager() != nullptr ? bar->GetManager()->Scale(CScrollBarUI::kDefaultThickness)
                                        : CScrollBarUI::kDefaultThickness;
}

// A cover smaller than this is not worth the extra fills that cutting it out makes.
const long kMinCoverPixels = 16384;

// rects less cut: each rect it overlaps becomes the up to four bands around the overlap.
void CutOut(std::vector<RECT> &rects, const RECT &cut) {
    std::vector<RECT> kept;
    for (const RECT &r : rects) {
        RECT both;
        if (!::IntersectRect(&both, &r, &cut)) {
            kept.push_back(r);
            continue;
        }
        if (r.top < both.top) kept.push_back({r.left, r.top, r.right, both.top});
        if (both.bottom < r.bottom) kept.push_back({r.left, both.bottom, r.right, r.bottom});
        if (r.left < both.left) kept.push_back({r.left, both.top, both.left, both.bottom});
        if (both.right < r.right) kept.push_back({both.right, both.top, r.right, both.bottom});
    }
    rects.swap(kept);
}

}  // namespace

namespace uilib {

bool IsPlainLayout(const CControlUI *control) {
    static const wchar_t *const kPlainLayouts[] = {L"VerticalLayout", L"HorizontalLayout", L"TabLayout", L"Container"};
    return control != nullptr &&
           std::any_of(std::begin(kPlainLayouts), std::end(kPlainLayouts),
                       [control](LPCTSTR name) { return wcscmp(control->GetClass(), name) == 0; });
}

bool FillsOpaque(const CControlUI *control) {
    if (!IsPlainLayout(control) || !control->IsVisible()) return false;
    if ((control->GetBkColor() >> 24) != 0xFF || control->GetBkColor2() != 0) return false;
    const SIZE round = control->GetBorderRound();
    return round.cx <= 0 && round.cy <= 0;
}

}  // namespace uilib

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    if (m_bAutoDestroy) {
        for (CControlUI *item : m_items) delete item;
    }
    m_items.clear();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

LPCTSTR CContainerUI::GetClass() const { return L"Container"; }

LPVOID CContainerUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr) {
        if (wcscmp(pstrName, L"Container") == 0) return static_cast<CContainerUI *>(this);
        if (wcscmp(pstrName, L"IContainer") == 0) return static_cast<IContainerUI *>(this);
    }
    return CControlUI::GetInterface(pstrName);
}

CControlUI *CContainerUI::GetItemAt(int iIndex) const {
    if (iIndex < 0 || iIndex >= static_cast<int>(m_items.size())) return nullptr;
    return m_items[static_cast<size_t>(iIndex)];
}

int CContainerUI::GetItemIndex(CControlUI *pControl) const {
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI *pControl, int iIndex) {
    int from = GetItemIndex(pControl);
    if (from < 0 || iIndex < 0 || iIndex >= static_cast<int>(m_items.size())) return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + iIndex, pControl);
    NeedUpdate();
    return true;
}

int CContainerUI::GetCount() const { return static_cast<int>(m_items.size()); }

bool CContainerUI::Add(CControlUI *pControl) { return AddAt(pControl, static_cast<int>(m_items.size())); }

bool CContainerUI::AddAt(CControlUI *pControl, int iIndex) {
    if (pControl == nullptr || iIndex < 0 || iIndex > static_cast<int>(m_items.size())) return false;
    m_items.insert(m_items.begin() + iIndex, pControl);
    // A subtree built without a manager joins this one here: names, groups, Init.
    if (m_pManager != nullptr)
        m_pManager->InitControls(pControl, this);
    else
        pControl->SetManager(nullptr, this, false);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI *pControl) {
    int index = GetItemIndex(pControl);
    if (index < 0) return false;
    return RemoveAt(index);
}

bool CContainerUI::RemoveAt(int iIndex) {
    CControlUI *item = GetItemAt(iIndex);
    if (item == nullptr) return false;
    m_items.erase(m_items.begin() + iIndex);
    if (m_bAutoDestroy) {
        if (m_bDelayedDestroy && m_pManager != nullptr)
            m_pManager->AddDelayedCleanup(item);
        else
            delete item;
    }
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI *> items;
    items.swap(m_items);
    if (m_bAutoDestroy) {
        for (CControlUI *item : items) {
            if (m_bDelayedDestroy && m_pManager != nullptr)
                m_pManager->AddDelayedCleanup(item);
            else
                delete item;
        }
    }
    NeedUpdate();
}

void CContainerUI::SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
void CContainerUI::SetDelayedDestroy(bool bDelayed) { m_bDelayedDestroy = bDelayed; }

RECT CContainerUI::GetInset() const { return Scaled(m_rcInset); }
void CContainerUI::SetInset(RECT rcInset) {
    m_rcInset = rcInset;
    NeedUpdate();
}
int CContainerUI::GetChildPadding() const { return Scaled(m_iChildPadding); }
void CContainerUI::SetChildPadding(int iPadding) {
    m_iChildPadding = iPadding;
    NeedUpdate();
}
bool CContainerUI::IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
void CContainerUI::SetMouseChildEnabled(bool bEnable) { m_bMouseChildEnabled = bEnable; }

void CContainerUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal) {
    if (bEnableVertical && m_pVerticalScrollBar == nullptr) {
        m_pVerticalScrollBar = new CScrollBarUI;
        m_pVerticalScrollBar->SetOwner(this);
        m_pVerticalScrollBar->SetManager(m_pManager, this, false);
        m_pVerticalScrollBar->SetVisible(false);
    } else if (!bEnableVertical && m_pVerticalScrollBar != nullptr) {
        delete m_pVerticalScrollBar;
        m_pVerticalScrollBar = nullptr;
        m_bVScrollShown = false;
    }
    if (bEnableHorizontal && m_pHorizontalScrollBar == nullptr) {
        m_pHorizontalScrollBar = new CScrollBarUI;
        m_pHorizontalScrollBar->SetHorizontal(true);
        m_pHorizontalScrollBar->SetOwner(this);
        m_pHorizontalScrollBar->SetManager(m_pManager, this, false);
        m_pHorizontalScrollBar->SetVisible(false);
    } else if (!bEnableHorizontal && m_pHorizontalScrollBar != nullptr) {
        delete m_pHorizontalScrollBar;
        m_pHorizontalScrollBar = nullptr;
        m_bHScrollShown = false;
    }
    NeedUpdate();
}

CScrollBarUI *CContainerUI::GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
CScrollBarUI *CContainerUI::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }

SIZE CContainerUI::GetScrollPos() const {
    SIZE sz = {0, 0};
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) sz.cy = m_pVerticalScrollBar->GetScrollPos();
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) sz.cx = m_pHorizontalScrollBar->GetScrollPos();
    return sz;
}

SIZE CContainerUI::GetScrollRange() const {
    SIZE sz = {0, 0};
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) sz.cy = m_pVerticalScrollBar->GetScrollRange();
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) sz.cx = m_pHorizontalScrollBar->GetScrollRange();
    return sz;
}

void CContainerUI::SetScrollPos(SIZE szPos) {
    SIZE before = GetScrollPos();
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) m_pVerticalScrollBar->SetScrollPos(szPos.cy);
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
    SIZE after = GetScrollPos();
    if (after.cx == before.cx && after.cy == before.cy) return;
    RECT rc = m_rcItem;
    m_rcItem = {0, 0, 0, 0};  // forces the layout to run
    // One invalidation of the whole container covers every child moved inside it.
    SetPos(rc, false);
    Invalidate();
}

void CContainerUI::LineUp() {
    int line = m_pVerticalScrollBar != nullptr ? m_pVerticalScrollBar->GetLineSize() : 8;
    SIZE sz = GetScrollPos();
    sz.cy -= line;
    SetScrollPos(sz);
}

void CContainerUI::LineDown() {
    int line = m_pVerticalScrollBar != nullptr ? m_pVerticalScrollBar->GetLineSize() : 8;
    SIZE sz = GetScrollPos();
    sz.cy += line;
    SetScrollPos(sz);
}

void CContainerUI::PageUp() {
    RECT rc = GetContentRect();
    SIZE sz = GetScrollPos();
    sz.cy -= std::max<LONG>(1, rc.bottom - rc.top);
    SetScrollPos(sz);
}

void CContainerUI::PageDown() {
    RECT rc = GetContentRect();
    SIZE sz = GetScrollPos();
    sz.cy += std::max<LONG>(1, rc.bottom - rc.top);
    SetScrollPos(sz);
}

void CContainerUI::LineLeft() {
    int line = m_pHorizontalScrollBar != nullptr ? m_pHorizontalScrollBar->GetLineSize() : 8;
    SIZE sz = GetScrollPos();
    sz.cx -= line;
    SetScrollPos(sz);
}

void CContainerUI::LineRight() {
    int line = m_pHorizontalScrollBar != nullptr ? m_pHorizontalScrollBar->GetLineSize() : 8;
    SIZE sz = GetScrollPos();
    sz.cx += line;
    SetScrollPos(sz);
}

void CContainerUI::SetVisible(bool bVisible) { CControlUI::SetVisible(bVisible); }
void CContainerUI::SetInternVisible(bool bVisible) { CControlUI::SetInternVisible(bVisible); }
void CContainerUI::SetEnabled(bool bEnable) { CControlUI::SetEnabled(bEnable); }

void CContainerUI::SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit) {
    for (CControlUI *item : m_items) item->SetManager(pManager, this, bInit);
    if (m_pVerticalScrollBar != nullptr) m_pVerticalScrollBar->SetManager(pManager, this, bInit);
    if (m_pHorizontalScrollBar != nullptr) m_pHorizontalScrollBar->SetManager(pManager, this, bInit);
    CControlUI::SetManager(pManager, pParent, bInit);
}

bool CContainerUI::PassedBySearch(LPVOID pData, UINT uFlags) const {
    if ((uFlags & UIFIND_VISIBLE) != 0 && (!m_bVisible || !m_bInternVisible)) return true;
    if ((uFlags & UIFIND_ENABLED) != 0 && !m_bEnabled) return true;
    return (uFlags & UIFIND_HITTEST) != 0 && !::PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData));
}

CControlUI *CContainerUI::FindInScrollBars(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) {
        if (CControlUI *found = m_pVerticalScrollBar->FindControl(Proc, pData, uFlags)) return found;
    }
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) {
        if (CControlUI *found = m_pHorizontalScrollBar->FindControl(Proc, pData, uFlags)) return found;
    }
    return nullptr;
}

CControlUI *CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if (PassedBySearch(pData, uFlags)) return nullptr;
    const bool hitTest = (uFlags & UIFIND_HITTEST) != 0;

    // An update search visits containers whether or not they need a layout themselves.
    const bool selfEligible = (!hitTest || m_bMouseEnabled) && ((uFlags & UIFIND_UPDATETEST) == 0 || m_bUpdateNeeded);
    if ((uFlags & UIFIND_ME_FIRST) != 0 && selfEligible) {
        if (CControlUI *found = Proc(this, pData)) return found;
    }
    if (hitTest) {
        if (CControlUI *found = FindInScrollBars(Proc, pData, uFlags)) return found;
    }
    if (!hitTest || m_bMouseChildEnabled) {
        RECT content = GetContentRect();
        const bool inContent = !hitTest || ::PtInRect(&content, *static_cast<LPPOINT>(pData));
        const int count = static_cast<int>(m_items.size());
        const bool topFirst = (uFlags & UIFIND_TOP_FIRST) != 0;
        for (int n = 0; n < count; ++n) {
            CControlUI *item = m_items[static_cast<size_t>(topFirst ? count - 1 - n : n)];
            if (hitTest && !inContent && !item->IsFloat()) continue;
            if (CControlUI *found = item->FindControl(Proc, pData, uFlags)) return found;
        }
    }
    if ((uFlags & UIFIND_ME_FIRST) == 0 && selfEligible) return Proc(this, pData);
    return nullptr;
}

RECT CContainerUI::GetContentRect() const {
    RECT rc = m_rcItem;
    const RECT inset = GetInset();
    rc.left += inset.left;
    rc.top += inset.top;
    rc.right -= inset.right;
    rc.bottom -= inset.bottom;
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) rc.right -= BarThickness(m_pVerticalScrollBar, false);
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) rc.bottom -= BarThickness(m_pHorizontalScrollBar, true);
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT content = GetContentRect();
    SIZE scroll = GetScrollPos();
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI *item = m_items[i];
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(static_cast<int>(i));
        } else {
            RECT r = {content.left - scroll.cx, content.top - scroll.cy, content.right - scroll.cx,
                      content.bottom - scroll.cy};
            item->SetPos(r, bNeedInvalidate);
        }
    }
    ProcessScrollBar(content, 0, 0);
}

void CContainerUI::SetFloatPos(int iIndex) {
    CControlUI *item = GetItemAt(iIndex);
    if (item == nullptr) return;
    SIZE xy = item->GetFixedXY();
    int cx = item->GetFixedWidth();
    int cy = item->GetFixedHeight();
    RECT rc = {m_rcItem.left + xy.cx, m_rcItem.top + xy.cy, 0, 0};
    rc.right = cx > 0 ? rc.left + cx : m_rcItem.right;
    rc.bottom = cy > 0 ? rc.top + cy : m_rcItem.bottom;
    item->SetPos(rc, true);
}

void CContainerUI::ProcessScrollBar(RECT rc, int cxRequired, int cyRequired) {
    bool relayout = false;
    if (m_pVerticalScrollBar != nullptr) {
        int height = rc.bottom - rc.top;
        bool need = cyRequired > height;
        if (need) {
            m_pVerticalScrollBar->SetScrollRange(cyRequired - height);
            int t = BarThickness(m_pVerticalScrollBar, false);
            m_pVerticalScrollBar->SetPos({rc.right, rc.top, rc.right + t, rc.bottom}, true);
        } else {
            m_pVerticalScrollBar->SetScrollRange(0);
            m_pVerticalScrollBar->SetScrollPos(0);
        }
        if (need != m_bVScrollShown) {
            m_bVScrollShown = need;
            m_pVerticalScrollBar->SetVisible(need);
            relayout = true;
        }
    }
    if (m_pHorizontalScrollBar != nullptr) {
        int width = rc.right - rc.left;
        bool need = cxRequired > width;
        if (need) {
            m_pHorizontalScrollBar->SetScrollRange(cxRequired - width);
            int t = BarThickness(m_pHorizontalScrollBar, true);
            m_pHorizontalScrollBar->SetPos({rc.left, rc.bottom, rc.right, rc.bottom + t}, true);
        } else {
            m_pHorizontalScrollBar->SetScrollRange(0);
            m_pHorizontalScrollBar->SetScrollPos(0);
        }
        if (need != m_bHScrollShown) {
            m_bHScrollShown = need;
            m_pHorizontalScrollBar->SetVisible(need);
            relayout = true;
        }
    }
    // A bar that appears or goes changes the content area: lay out once more.
    if (relayout && m_nScrollRelayout < 2) {
        ++m_nScrollRelayout;
        RECT item = m_rcItem;
        m_rcItem = {0, 0, 0, 0};
        SetPos(item, true);
        --m_nScrollRelayout;
    }
}

void CContainerUI::DoEvent(TEventUI &event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && IsEnabled()) {
        bool up = LOWORD(event.wParam) == SB_LINEUP;
        if (m_pVerticalScrollBar != nullptr && m_bVScrollShown && !IsHorizontalWheel(event)) {
            SIZE pos = GetScrollPos();
            SIZE range = GetScrollRange();
            if ((up && pos.cy > 0) || (!up && pos.cy < range.cy)) {
                for (int i = 0; i < kWheelLines; ++i) {
                    if (up)
                        LineUp();
                    else
                        LineDown();
                }
                return;
            }
        } else if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) {
            SIZE pos = GetScrollPos();
            SIZE range = GetScrollRange();
            if ((up && pos.cx > 0) || (!up && pos.cx < range.cx)) {
                for (int i = 0; i < kWheelLines; ++i) {
                    if (up)
                        LineLeft();
                    else
                        LineRight();
                }
                return;
            }
        }
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    RECT rcTemp;
    if (!::IntersectRect(&rcTemp, &rcPaint, &m_rcItem)) return;
    CRenderClip clip(hDC, rcTemp);
    CControlUI::DoPaint(hDC, rcPaint);
    if (!m_items.empty()) {
        RECT content = GetContentRect();
        RECT rcChildren;
        if (::IntersectRect(&rcChildren, &rcTemp, &content)) {
            CRenderClip childClip(hDC, rcChildren);
            for (CControlUI *item : m_items) {
                if (item->IsFloat() || !item->IsVisible()) continue;
                RECT r = item->GetPos();
                RECT tmp;
                if (!::IntersectRect(&tmp, &rcChildren, &r)) continue;
                item->DoPaint(hDC, rcChildren);
            }
        }
        for (CControlUI *item : m_items) {
            if (!item->IsFloat() || !item->IsVisible()) continue;
            RECT r = item->GetPos();
            RECT tmp;
            if (!::IntersectRect(&tmp, &rcTemp, &r)) continue;
            item->DoPaint(hDC, rcTemp);
        }
    }
    if (m_pVerticalScrollBar != nullptr && m_bVScrollShown) m_pVerticalScrollBar->DoPaint(hDC, rcTemp);
    if (m_pHorizontalScrollBar != nullptr && m_bHScrollShown) m_pHorizontalScrollBar->DoPaint(hDC, rcTemp);
}

void CContainerUI::PaintBkColor(HDC hDC) {
    if (!uilib::FillsOpaque(this)) {
        CControlUI::PaintBkColor(hDC);
        return;
    }
    std::vector<RECT> covers, fills = {m_rcPaint};
    CollectOpaqueCovers(m_rcPaint, covers);
    for (const RECT &cover : covers) {
        if ((cover.right - cover.left) * (cover.bottom - cover.top) >= kMinCoverPixels) CutOut(fills, cover);
    }
    for (const RECT &rc : fills) CRenderEngine::DrawColor(hDC, rc, m_dwBackColor);
}

void CContainerUI::CollectOpaqueCovers(const RECT &clip, std::vector<RECT> &covers) const {
    const RECT content = GetContentRect();
    RECT inside;
    if (!::IntersectRect(&inside, &clip, &content)) return;
    for (CControlUI *item : m_items) {
        if (item->IsFloat() || !uilib::IsPlainLayout(item) || !item->IsVisible()) continue;
        RECT part;
        if (!::IntersectRect(&part, &inside, &item->GetPos())) continue;
        if (uilib::FillsOpaque(item)) {
            covers.push_back(part);
            continue;
        }
        // A rounded one of one opaque colour fills whole rows between its corners' rows.
        const SIZE round = item->GetBorderRound();
        RECT rows = item->GetPos();
        ::InflateRect(&rows, 0, -round.cy);
        if ((item->GetBkColor() >> 24) == 0xFF && item->GetBkColor2() == 0 && ::IntersectRect(&rows, &rows, &part))
            covers.push_back(rows);
        static_cast<const CContainerUI *>(item)->CollectOpaqueCovers(part, covers);
    }
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName == nullptr || pstrValue == nullptr) return;
    const uilib::AttrName name{pstrName};
    RECT rc;
    int n = 0;
    bool b = false;
    if (name == L"inset") {
        if (ParseRect(pstrValue, rc)) SetInset(rc);
    } else if (name == L"childpadding") {
        if (uilib::ParseInt(pstrValue, n)) SetChildPadding(n);
    } else if (name == L"mousechild") {
        if (uilib::ParseBool(pstrValue, b)) SetMouseChildEnabled(b);
    } else if (name == L"vscrollbar") {
        if (uilib::ParseBool(pstrValue, b)) EnableScrollBar(b, m_pHorizontalScrollBar != nullptr);
    } else if (name == L"hscrollbar") {
        if (uilib::ParseBool(pstrValue, b)) EnableScrollBar(m_pVerticalScrollBar != nullptr, b);
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}
