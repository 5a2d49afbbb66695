// CProgressUI and CSliderUI: value geometry, painting, and the slider's user input.
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"
#include "uilib/controls/UIProgress.h"

#include <algorithm>
#include <cstdio>

#include "uilib/controls/UIPalette.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kThumbHot = 1, kThumbCaptured = 2, kFocused = 4 };
const DWORD kDefaultRailColor = 0xFFE3E7F0;
const DWORD kDefaultForeColor = uilib::kPaletteBrand;
const DWORD kDefaultThumbColor = 0xFFFFFFFF;
const DWORD kThumbBorderColor = uilib::kPaletteBrand;
const int kRailThickness = 6;  // px, the bar when the control is taller than that

}  // namespace

// ---- CProgressUI ----

LPCTSTR CProgressUI::GetClass() const { return L"Progress"; }

LPVOID CProgressUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"Progress")) return static_cast<CProgressUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}

bool CProgressUI::IsHorizontal() const { return m_bHorizontal; }

void CProgressUI::SetHorizontal(bool bHorizontal) {
    m_bHorizontal = bHorizontal;
    Invalidate();
}

int CProgressUI::GetMinValue() const { return m_nMin; }

void CProgressUI::SetMinValue(int nMin) {
    m_nMin = nMin;
    if (m_nMax < m_nMin) m_nMax = m_nMin;
    m_nValue = std::max(m_nMin, std::min(m_nValue, m_nMax));
    Invalidate();
}

int CProgressUI::GetMaxValue() const { return m_nMax; }

void CProgressUI::SetMaxValue(int nMax) {
    m_nMax = nMax;
    if (m_nMin > m_nMax) m_nMin = m_nMax;
    m_nValue = std::max(m_nMin, std::min(m_nValue, m_nMax));
    Invalidate();
}

int CProgressUI::GetValue() const { return m_nValue; }

void CProgressUI::SetValue(int nValue) {
    nValue = std::max(m_nMin, std::min(nValue, m_nMax));
    if (m_nValue == nValue) return;
    m_nValue = nValue;
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, EVENT_OBJECT_VALUECHANGE, true);
}

void CProgressUI::SetForeImage(LPCTSTR pStrImage) {
    m_sForeImage = pStrImage ? pStrImage : L"";
    Invalidate();
}

void CProgressUI::SetForeColor(DWORD dwColor) {
    m_dwForeColor = dwColor;
    Invalidate();
}

void CProgressUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (uilib::SameName(pstrName, L"hor")) {
        bool on = false;
        if (uilib::ParseBool(pstrValue, on)) SetHorizontal(on);
    } else if (uilib::SameName(pstrName, L"min"))
        SetMinValue(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"max"))
        SetMaxValue(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"value"))
        SetValue(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"foreimage"))
        SetForeImage(pstrValue);
    else if (uilib::SameName(pstrName, L"forecolor"))
        SetForeColor(ParseColor(pstrValue));
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

// The filled part of rcBar for the current value.
static RECT FilledPart(const RECT &rcBar, bool horizontal, int value, int vmin, int vmax) {
    RECT rc = rcBar;
    const int span = std::max(1, vmax - vmin);
    if (horizontal) {
        rc.right = rc.left + static_cast<int>(static_cast<long long>(rcBar.right - rcBar.left) * (value - vmin) / span);
    } else {
        rc.top = rc.bottom - static_cast<int>(static_cast<long long>(rcBar.bottom - rcBar.top) * (value - vmin) / span);
    }
    return rc;
}

void CProgressUI::PaintStatusImage(HDC hDC) {
    const RECT filled = FilledPart(m_rcItem, m_bHorizontal, m_nValue, m_nMin, m_nMax);
    if (filled.right <= filled.left || filled.bottom <= filled.top) return;
    if (!m_sForeImage.empty()) {
        wchar_t modify[96];
        swprintf(modify, 96, L"dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", filled.left - m_rcItem.left,
                 filled.top - m_rcItem.top, filled.right - m_rcItem.left, filled.bottom - m_rcItem.top,
                 filled.left - m_rcItem.left, filled.top - m_rcItem.top, filled.right - m_rcItem.left,
                 filled.bottom - m_rcItem.top);
        if (DrawImage(hDC, m_sForeImage.c_str(), modify)) return;
    }
    const DWORD color = m_dwForeColor != 0 ? m_dwForeColor : kDefaultForeColor;
    if (m_cxyBorderRound.cx > 0)
        CRenderEngine::FillRoundRect(hDC, filled, GetBorderRound().cx, GetBorderRound().cy, color);
    else
        CRenderEngine::DrawColor(hDC, filled, color);
}

bool CProgressUI::GetInspectValue(int &value) const {
    value = m_nValue;
    return true;
}

// ---- CSliderUI ----

CSliderUI::CSliderUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

LPCTSTR CSliderUI::GetClass() const { return L"Slider"; }

LPVOID CSliderUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"Slider")) return static_cast<CSliderUI *>(this);
    return CProgressUI::GetInterface(pstrName);
}

UINT CSliderUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR | UIFLAG_TABSTOP : 0; }

void CSliderUI::SetEnabled(bool bEnable) {
    CProgressUI::SetEnabled(bEnable);
    if (!bEnable) m_uSliderState = 0;
}

int CSliderUI::GetChangeStep() const { return m_nStep; }
void CSliderUI::SetChangeStep(int step) { m_nStep = std::max(1, step); }

void CSliderUI::SetThumbSize(SIZE szXY) {
    m_szThumb = szXY;
    Invalidate();
}

// The rail the thumb's centre travels along: the control less half a thumb at each end.
static void Travel(const RECT &rc, bool horizontal, SIZE thumb, int &start, int &length) {
    if (horizontal) {
        start = rc.left + thumb.cx / 2;
        length = std::max(0, static_cast<int>(rc.right - rc.left - thumb.cx));
    } else {
        start = rc.bottom - thumb.cy / 2;
        length = std::max(0, static_cast<int>(rc.bottom - rc.top - thumb.cy));
    }
}

RECT CSliderUI::GetThumbRect() const {
    int start, length;
    Travel(m_rcItem, m_bHorizontal, Scaled(m_szThumb), start, length);
    const int span = std::max(1, m_nMax - m_nMin);
    const int offset = static_cast<int>(static_cast<long long>(length) * (m_nValue - m_nMin) / span);
    RECT rc;
    if (m_bHorizontal) {
        const int cx = start + offset;
        const int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
        rc = {cx - Scaled(m_szThumb).cx / 2, cy - Scaled(m_szThumb).cy / 2,
              cx - Scaled(m_szThumb).cx / 2 + Scaled(m_szThumb).cx,
              cy - Scaled(m_szThumb).cy / 2 + Scaled(m_szThumb).cy};
    } else {
        const int cy = start - offset;
        const int cx = (m_rcItem.left + m_rcItem.right) / 2;
        rc = {cx - Scaled(m_szThumb).cx / 2, cy - Scaled(m_szThumb).cy / 2,
              cx - Scaled(m_szThumb).cx / 2 + Scaled(m_szThumb).cx,
              cy - Scaled(m_szThumb).cy / 2 + Scaled(m_szThumb).cy};
    }
    return rc;
}

void CSliderUI::SetThumbImage(LPCTSTR pStrImage) {
    m_sThumbImage = pStrImage ? pStrImage : L"";
    Invalidate();
}

void CSliderUI::SetThumbColor(DWORD dwColor) {
    m_dwThumbColor = dwColor;
    Invalidate();
}

// The value under a point of the rail.
static int ValueAt(const RECT &rc, bool horizontal, SIZE thumb, POINT pt, int vmin, int vmax) {
    int start, length;
    Travel(rc, horizontal, thumb, start, length);
    if (length <= 0) return vmin;
    const int along = horizontal ? pt.x - start : start - pt.y;
    const long long span = vmax - vmin;
    // Rounded to the nearest value so that a click lands where the user aimed.
    long long v = vmin + (static_cast<long long>(along) * span + length / 2) / length;
    return static_cast<int>(std::max<long long>(vmin, std::min<long long>(v, vmax)));
}

// A move by the user: changes the value and says so.
static void UserMove(CSliderUI *slider, CPaintManagerUI *manager, int value) {
    if (value == slider->GetValue()) return;
    slider->CProgressUI::SetValue(value);
    if (manager != nullptr) manager->SendNotify(slider, DUI_MSGTYPE_VALUECHANGED);
}

void CSliderUI::DoEvent(TEventUI &event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__FIRST && event.Type < UIEVENT_KEYDOWN) {
        if (m_pParent != nullptr)
            m_pParent->DoEvent(event);
        else
            CProgressUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        if (m_pManager != nullptr && !IsFocused()) m_pManager->SetFocus(this);
        m_uSliderState |= kThumbCaptured;
        if (m_pManager != nullptr) m_pManager->SetCapture();
        // A press off the thumb jumps there; on the thumb it only grabs it.
        {
            RECT thumb = GetThumbRect();
            if (!::PtInRect(&thumb, event.ptMouse))
                UserMove(this, m_pManager,
                         ValueAt(m_rcItem, m_bHorizontal, Scaled(m_szThumb), event.ptMouse, m_nMin, m_nMax));
        }
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uSliderState & kThumbCaptured) {
            UserMove(this, m_pManager,
                     ValueAt(m_rcItem, m_bHorizontal, Scaled(m_szThumb), event.ptMouse, m_nMin, m_nMax));
        } else {
            RECT thumb = GetThumbRect();
            const UINT hot = ::PtInRect(&thumb, event.ptMouse) ? static_cast<UINT>(kThumbHot) : 0u;
            if ((m_uSliderState & kThumbHot) != hot) {
                m_uSliderState = (m_uSliderState & ~kThumbHot) | hot;
                Invalidate();
            }
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uSliderState & kThumbCaptured) {
            m_uSliderState &= ~kThumbCaptured;
            if (m_pManager != nullptr) m_pManager->ReleaseCapture();
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (m_uSliderState & kThumbHot) {
            m_uSliderState &= ~kThumbHot;
            Invalidate();
        }
        return;
    case UIEVENT_SCROLLWHEEL: {
        if (!IsEnabled()) return;
        // Up, or right on the tilt wheel, increases.
        const bool increase = (LOWORD(event.wParam) == SB_LINEUP) != IsHorizontalWheel(event);
        UserMove(this, m_pManager, std::max(m_nMin, std::min(m_nMax, m_nValue + (increase ? m_nStep : -m_nStep))));
        return;
    }
    case UIEVENT_KEYDOWN: {
        if (!IsEnabled()) return;
        int value = m_nValue;
        const int page = std::max(m_nStep, (m_nMax - m_nMin) / 10);
        switch (event.chKey) {
        case VK_LEFT:
        case VK_DOWN: value -= m_nStep; break;
        case VK_RIGHT:
        case VK_UP: value += m_nStep; break;
        case VK_PRIOR: value += page; break;
        case VK_NEXT: value -= page; break;
        case VK_HOME: value = m_nMin; break;
        case VK_END: value = m_nMax; break;
        default: CProgressUI::DoEvent(event); return;
        }
        UserMove(this, m_pManager, std::max(m_nMin, std::min(m_nMax, value)));
        return;
    }
    default: CProgressUI::DoEvent(event);
    }
}

void CSliderUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (uilib::SameName(pstrName, L"step"))
        SetChangeStep(_wtoi(pstrValue));
    else if (uilib::SameName(pstrName, L"thumbsize")) {
        SIZE sz;
        if (ParseSize(pstrValue, sz)) SetThumbSize(sz);
    } else if (uilib::SameName(pstrName, L"thumbimage"))
        SetThumbImage(pstrValue);
    else if (uilib::SameName(pstrName, L"thumbhotimage"))
        m_sThumbHotImage = pstrValue;
    else if (uilib::SameName(pstrName, L"thumbpushedimage"))
        m_sThumbPushedImage = pstrValue;
    else if (uilib::SameName(pstrName, L"thumbcolor"))
        SetThumbColor(ParseColor(pstrValue));
    else
        CProgressUI::SetAttribute(pstrName, pstrValue);
}

void CSliderUI::PaintStatusImage(HDC hDC) {
    // A slim rail across the middle, filled up to the thumb.
    RECT rail = m_rcItem;
    if (m_bHorizontal) {
        const int cy = (rail.top + rail.bottom) / 2;
        rail.top = cy - Scaled(kRailThickness) / 2;
        rail.bottom = rail.top + Scaled(kRailThickness);
        rail.left += Scaled(m_szThumb).cx / 2;
        rail.right -= Scaled(m_szThumb).cx / 2;
    } else {
        const int cx = (rail.left + rail.right) / 2;
        rail.left = cx - Scaled(kRailThickness) / 2;
        rail.right = rail.left + Scaled(kRailThickness);
        rail.top += Scaled(m_szThumb).cy / 2;
        rail.bottom -= Scaled(m_szThumb).cy / 2;
    }
    if (m_dwBackColor == 0 && m_sBkImage.empty())
        CRenderEngine::FillRoundRect(hDC, rail, Scaled(kRailThickness), Scaled(kRailThickness), kDefaultRailColor);
    const RECT filled = FilledPart(rail, m_bHorizontal, m_nValue, m_nMin, m_nMax);
    if (filled.right > filled.left && filled.bottom > filled.top) {
        if (m_sForeImage.empty() || !DrawImage(hDC, m_sForeImage.c_str()))
            CRenderEngine::FillRoundRect(hDC, filled, Scaled(kRailThickness), Scaled(kRailThickness),
                                         IsEnabled() ? (m_dwForeColor ? m_dwForeColor : kDefaultForeColor)
                                                     : kDefaultRailColor);
    }

    const RECT thumb = GetThumbRect();
    const CDuiString *image = &m_sThumbImage;
    if ((m_uSliderState & kThumbCaptured) && !m_sThumbPushedImage.empty())
        image = &m_sThumbPushedImage;
    else if ((m_uSliderState & kThumbHot) && !m_sThumbHotImage.empty())
        image = &m_sThumbHotImage;
    if (!image->empty()) {
        wchar_t modify[64];
        swprintf(modify, 64, L"dest='%d,%d,%d,%d'", thumb.left - m_rcItem.left, thumb.top - m_rcItem.top,
                 thumb.right - m_rcItem.left, thumb.bottom - m_rcItem.top);
        if (DrawImage(hDC, image->c_str(), modify)) return;
    }
    const DWORD border = IsEnabled() ? (m_dwForeColor ? m_dwForeColor : kThumbBorderColor) : 0xFFA9B1C4;
    const DWORD fill = m_dwThumbColor ? m_dwThumbColor : kDefaultThumbColor;
    const bool active = (m_uSliderState & (kThumbHot | kThumbCaptured)) || m_bFocused;
    CRenderEngine::DrawEllipse(hDC, thumb, active ? 3 : 2, border, fill);
}
