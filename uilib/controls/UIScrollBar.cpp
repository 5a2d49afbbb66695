// CScrollBarUI: geometry of the arrows, rail and thumb, and the input that moves it.
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"
#include "uilib/controls/UIScrollBar.h"

#include <algorithm>

#include "uilib/controls/UIPalette.h"
#include "uilib/core/UIContainer.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kThumbHot = 1, kThumbDragging = 2 };
const int kMinThumb = 16;  // px, so a long content keeps a grabbable thumb
const DWORD kArrowColor = uilib::kPaletteTextSecondary;
const DWORD kDisabledThumbColor = 0xFFE3E7F0;

}  // namespace

const int CScrollBarUI::kDefaultThickness;

CScrollBarUI::CScrollBarUI() { m_cxyFixed.cx = kDefaultThickness; }

LPCTSTR CScrollBarUI::GetClass() const { return L"ScrollBar"; }

LPVOID CScrollBarUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"ScrollBar")) return static_cast<CScrollBarUI *>(this);
    return CControlUI::GetInterface(pstrName);
}

CContainerUI *CScrollBarUI::GetOwner() const { return m_pOwner; }
void CScrollBarUI::SetOwner(CContainerUI *pOwner) { m_pOwner = pOwner; }
bool CScrollBarUI::IsHorizontal() const { return m_bHorizontal; }

void CScrollBarUI::SetHorizontal(bool bHorizontal) {
    if (m_bHorizontal == bHorizontal) return;
    m_bHorizontal = bHorizontal;
    // The thickness moves to the other axis; the length comes from the owner.
    int thickness = bHorizontal ? m_cxyFixed.cx : m_cxyFixed.cy;
    if (thickness <= 0) thickness = kDefaultThickness;
    m_cxyFixed.cx = bHorizontal ? 0 : thickness;
    m_cxyFixed.cy = bHorizontal ? thickness : 0;
    NeedParentUpdate();
}

int CScrollBarUI::GetScrollRange() const { return m_nRange; }

void CScrollBarUI::SetScrollRange(int nRange) {
    nRange = std::max(0, nRange);
    if (m_nRange == nRange) return;
    m_nRange = nRange;
    if (m_nScrollPos > m_nRange) m_nScrollPos = m_nRange;
    SetPos(m_rcItem, true);
}

int CScrollBarUI::GetScrollPos() const { return m_nScrollPos; }

void CScrollBarUI::SetScrollPos(int nPos) {
    nPos = std::max(0, std::min(nPos, m_nRange));
    if (m_nScrollPos == nPos) return;
    m_nScrollPos = nPos;
    SetPos(m_rcItem, true);
}

int CScrollBarUI::GetLineSize() const { return m_nLineSize; }
void CScrollBarUI::SetLineSize(int nSize) { m_nLineSize = std::max(1, nSize); }
DWORD CScrollBarUI::GetThumbColor() const { return m_dwThumbColor; }

void CScrollBarUI::SetThumbColor(DWORD dwColor) {
    m_dwThumbColor = dwColor;
    Invalidate();
}

void CScrollBarUI::SetThumbHotColor(DWORD dwColor) {
    m_dwThumbHotColor = dwColor;
    Invalidate();
}

void CScrollBarUI::SetRailColor(DWORD dwColor) {
    m_dwRailColor = dwColor;
    Invalidate();
}

bool CScrollBarUI::IsShowButtons() const { return m_bShowButtons; }

void CScrollBarUI::SetShowButtons(bool bShow) {
    m_bShowButtons = bShow;
    SetPos(m_rcItem, true);
}

void CScrollBarUI::SetVisible(bool bVisible) {
    // Owners re-assert the visibility on every layout: only a change may relayout.
    if (m_bVisible == bVisible) return;
    CControlUI::SetVisible(bVisible);
}

void CScrollBarUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable) m_uThumbState = 0;
}

void CScrollBarUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    rc = m_rcItem;
    const int length = m_bHorizontal ? rc.right - rc.left : rc.bottom - rc.top;
    const int thickness = m_bHorizontal ? rc.bottom - rc.top : rc.right - rc.left;
    const int button = m_bShowButtons ? std::min(thickness, length / 3) : 0;
    int railStart = (m_bHorizontal ? rc.left : rc.top) + button;
    int railEnd = (m_bHorizontal ? rc.right : rc.bottom) - button;
    if (m_bHorizontal) {
        m_rcButton1 = {rc.left, rc.top, rc.left + button, rc.bottom};
        m_rcButton2 = {rc.right - button, rc.top, rc.right, rc.bottom};
    } else {
        m_rcButton1 = {rc.left, rc.top, rc.right, rc.top + button};
        m_rcButton2 = {rc.left, rc.bottom - button, rc.right, rc.bottom};
    }
    const int rail = std::max(0, railEnd - railStart);
    // The thumb's share of the rail is the view's share of view + range.
    int thumb = rail;
    int offset = 0;
    if (m_nRange > 0 && rail > 0) {
        thumb = std::max(std::min(Scaled(kMinThumb), rail),
                         static_cast<int>(static_cast<long long>(rail) * rail / (rail + m_nRange)));
        offset = static_cast<int>(static_cast<long long>(rail - thumb) * m_nScrollPos / m_nRange);
    }
    if (m_bHorizontal)
        m_rcThumb = {railStart + offset, rc.top, railStart + offset + thumb, rc.bottom};
    else
        m_rcThumb = {rc.left, railStart + offset, rc.right, railStart + offset + thumb};
}

// Moves the owner (or the bar alone) to nPos on this bar's axis.
static void MoveOwner(CScrollBarUI *bar, CContainerUI *owner, int nPos) {
    if (owner == nullptr) {
        bar->SetScrollPos(nPos);
        return;
    }
    SIZE pos = owner->GetScrollPos();
    if (bar->IsHorizontal())
        pos.cx = nPos;
    else
        pos.cy = nPos;
    owner->SetScrollPos(pos);
}

void CScrollBarUI::DoEvent(TEventUI &event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__FIRST && event.Type < UIEVENT_KEYDOWN) {
        if (m_pOwner != nullptr) m_pOwner->DoEvent(event);
        return;
    }
    const bool enabled = IsEnabled() && m_nRange > 0;
    const POINT pt = event.ptMouse;
    const int along = m_bHorizontal ? pt.x : pt.y;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        if (!enabled) return;
        const int line = std::max(1, Scaled(m_nLineSize));
        if (::PtInRect(&m_rcButton1, pt)) {
            MoveOwner(this, m_pOwner, m_nScrollPos - line);
        } else if (::PtInRect(&m_rcButton2, pt)) {
            MoveOwner(this, m_pOwner, m_nScrollPos + line);
        } else if (::PtInRect(&m_rcThumb, pt)) {
            m_uThumbState |= kThumbDragging;
            m_ptLastMouse = pt;
            m_nLastScrollPos = m_nScrollPos;
            if (m_pManager != nullptr) m_pManager->SetCapture();
        } else {
            // A rail click pages towards the point.
            const int page = m_bHorizontal ? m_rcThumb.right - m_rcThumb.left : m_rcThumb.bottom - m_rcThumb.top;
            const int thumbStart = m_bHorizontal ? m_rcThumb.left : m_rcThumb.top;
            const int rail = (m_bHorizontal ? m_rcItem.right - m_rcItem.left : m_rcItem.bottom - m_rcItem.top);
            const int step = std::max(
                line, static_cast<int>(static_cast<long long>(m_nRange + rail) * page / std::max(1, rail)) - line);
            MoveOwner(this, m_pOwner, along < thumbStart ? m_nScrollPos - step : m_nScrollPos + step);
        }
        Invalidate();
        return;
    }
    case UIEVENT_BUTTONUP:
        if (m_uThumbState & kThumbDragging) {
            m_uThumbState &= ~kThumbDragging;
            if (m_pManager != nullptr) m_pManager->ReleaseCapture();
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uThumbState & kThumbDragging) {
            const int rail =
                (m_bHorizontal ? m_rcItem.right - m_rcItem.left : m_rcItem.bottom - m_rcItem.top) -
                (m_bHorizontal ? m_rcButton1.right - m_rcButton1.left : m_rcButton1.bottom - m_rcButton1.top) * 2;
            const int thumb = m_bHorizontal ? m_rcThumb.right - m_rcThumb.left : m_rcThumb.bottom - m_rcThumb.top;
            const int travel = std::max(1, rail - thumb);
            const int moved = along - (m_bHorizontal ? m_ptLastMouse.x : m_ptLastMouse.y);
            MoveOwner(this, m_pOwner,
                      m_nLastScrollPos + static_cast<int>(static_cast<long long>(moved) * m_nRange / travel));
        } else {
            const UINT hot = ::PtInRect(&m_rcThumb, pt) ? static_cast<UINT>(kThumbHot) : 0u;
            if ((m_uThumbState & kThumbHot) != hot) {
                m_uThumbState = (m_uThumbState & ~kThumbHot) | hot;
                Invalidate();
            }
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (m_uThumbState & kThumbHot) {
            m_uThumbState &= ~kThumbHot;
            Invalidate();
        }
        return;
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner != nullptr)
            m_pOwner->DoEvent(event);
        else if (enabled)
            MoveOwner(this, nullptr,
                      m_nScrollPos +
                          (LOWORD(event.wParam) == SB_LINEUP ? -Scaled(m_nLineSize) * 3 : Scaled(m_nLineSize) * 3));
        return;
    default: CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (uilib::SameName(pstrName, L"hor")) {
        bool on = false;
        if (uilib::ParseBool(pstrValue, on)) SetHorizontal(on);
    } else if (uilib::SameName(pstrName, L"range"))
        SetScrollRange(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"value"))
        SetScrollPos(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"linesize"))
        SetLineSize(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"showbutton1") || uilib::SameName(pstrName, L"showbutton2")) {
        bool on = false;
        if (uilib::ParseBool(pstrValue, on)) SetShowButtons(on);
    } else if (uilib::SameName(pstrName, L"thumbcolor"))
        SetThumbColor(ParseColor(pstrValue));
    else if (uilib::SameName(pstrName, L"thumbhotcolor"))
        SetThumbHotColor(ParseColor(pstrValue));
    else if (uilib::SameName(pstrName, L"railcolor"))
        SetRailColor(ParseColor(pstrValue));
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

// Draws a small triangle pointing away from the rail's centre.
static void DrawArrow(HDC hDC, const RECT &rc, bool horizontal, bool first) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w < 4 || h < 4) return;
    const int cx = rc.left + w / 2, cy = rc.top + h / 2;
    const int size = std::max(1, std::min(w, h) / 4);
    for (int i = 0; i <= size; ++i) {
        // Each step of the triangle is one line, narrowing towards the tip.
        const int half = i;
        RECT line;
        if (horizontal) {
            const int x = first ? cx - size / 2 + i : cx + size / 2 - i;
            line = {x, cy - half, x + 1, cy + half + 1};
        } else {
            const int y = first ? cy - size / 2 + i : cy + size / 2 - i;
            line = {cx - half, y, cx + half + 1, y + 1};
        }
        CRenderEngine::DrawColor(hDC, line, kArrowColor);
    }
}

void CScrollBarUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    RECT clip;
    if (!::IntersectRect(&clip, &rcPaint, &m_rcItem)) return;
    m_rcPaint = clip;
    if (m_dwRailColor != 0)
        CRenderEngine::DrawColor(hDC, m_rcItem, m_dwRailColor);
    else if (m_dwBackColor != 0)
        CRenderEngine::DrawColor(hDC, m_rcItem, m_dwBackColor);
    if (!m_sBkImage.empty()) DrawImage(hDC, m_sBkImage.c_str());
    if (m_bShowButtons) {
        DrawArrow(hDC, m_rcButton1, m_bHorizontal, true);
        DrawArrow(hDC, m_rcButton2, m_bHorizontal, false);
    }
    if (m_nRange <= 0) return;  // nothing to scroll: an empty rail
    DWORD color = m_dwThumbColor;
    if (!IsEnabled())
        color = kDisabledThumbColor;
    else if ((m_uThumbState & (kThumbHot | kThumbDragging)) && m_dwThumbHotColor != 0)
        color = m_dwThumbHotColor;
    RECT thumb = m_rcThumb;
    // A slim rounded thumb inset from the rail's edges.
    const int thickness = m_bHorizontal ? thumb.bottom - thumb.top : thumb.right - thumb.left;
    const int inset = thickness >= 8 ? 2 : 0;
    if (m_bHorizontal) {
        thumb.top += inset;
        thumb.bottom -= inset;
    } else {
        thumb.left += inset;
        thumb.right -= inset;
    }
    const int round = std::max(0, thickness - 2 * inset);
    CRenderEngine::FillRoundRect(hDC, thumb, round, round, color);
}

bool CScrollBarUI::GetInspectValue(int &value) const {
    value = m_nScrollPos;
    return true;
}
