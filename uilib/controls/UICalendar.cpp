// The month calendar of the date picker: date arithmetic, the grid control and its popup.
#include "uilib/controls/UICalendar.h"

#include <algorithm>
#include <cstdio>

#include "uilib/controls/UIPalette.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/core/UIScale.h"
#include "uilib/render/UIRender.h"

namespace {

const wchar_t kWeekdayNames[] = L"一二三四五六日";  // headings, Monday first
const wchar_t kMonthTitleFormat[] = L"%d年%d月";
const int kPad = 8;
const int kNavHeight = 32;
const int kWeekdayHeight = 28;
const int kTitleFont = 2;  // the skins' bold 12 px font, when the owner's window has it
const DWORD kBkColor = 0xFFFFFFFF;
const DWORD kBorderColor = uilib::kPaletteBorder;
const DWORD kTextColor = uilib::kPaletteText;
const DWORD kSecondaryColor = uilib::kPaletteTextSecondary;
const DWORD kBrandBlue = uilib::kPaletteBrand;
const DWORD kHotColor = 0xFFEEF3FE;
const DWORD kOnBrand = 0xFFFFFFFF;

void DrawArrowGlyph(HDC hDC, const RECT &rc, bool left, DWORD color) {
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    for (int i = 0; i < 5; ++i) {
        const int x = left ? cx + 2 - i : cx - 2 + i;
        CRenderEngine::DrawColor(hDC, {x - 1, cy - 4 + i, x + 1, cy - 3 + i}, color);
        CRenderEngine::DrawColor(hDC, {x - 1, cy + 3 - i, x + 1, cy + 4 - i}, color);
    }
}

}  // namespace

// ---- date arithmetic ----

namespace uilib {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfWeek(int year, int month, int day) {
    // Sakamoto's method on the proleptic Gregorian calendar.
    static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

CDuiString FormatDate(const SYSTEMTIME &st) {
    wchar_t buf[32];
    swprintf(buf, 32, L"%04u-%02u-%02u", st.wYear, st.wMonth, st.wDay);
    return buf;
}

bool ParseDate(LPCTSTR text, SYSTEMTIME &st) {
    if (text == nullptr || wcslen(text) != 10 || text[4] != L'-' || text[7] != L'-') return false;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < lengths[p]; ++i) {
            const wchar_t ch = text[starts[p] + i];
            if (ch < L'0' || ch > L'9') return false;
            parts[p] = parts[p] * 10 + (ch - L'0');
        }
    }
    if (!IsValidDate(parts[0], parts[1], parts[2])) return false;
    st.wYear = static_cast<WORD>(parts[0]);
    st.wMonth = static_cast<WORD>(parts[1]);
    st.wDay = static_cast<WORD>(parts[2]);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(parts[0], parts[1], parts[2]));
    return true;
}

void AddDays(SYSTEMTIME &st, int days) {
    int y = st.wYear, m = st.wMonth, d = st.wDay + days;
    while (d < 1) {
        if (--m < 1) {
            m = 12;
            --y;
        }
        d += DaysInMonth(y, m);
    }
    while (d > DaysInMonth(y, m)) {
        d -= DaysInMonth(y, m);
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    if (!IsValidDate(y, m, d)) return;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(y, m, d));
}

void AddMonths(SYSTEMTIME &st, int months) {
    int index = st.wYear * 12 + (st.wMonth - 1) + months;
    const int y = index / 12, m = index % 12 + 1;
    const int d = std::min<int>(st.wDay, DaysInMonth(y, m));
    if (!IsValidDate(y, m, d)) return;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(y, m, d));
}

}  // namespace uilib

// ---- CCalendarUI ----

CCalendarUI::CCalendarUI(CCalendarWnd *pWnd) : m_pWnd(pWnd) {
    ::GetLocalTime(&m_today);
    m_date = m_today;
    m_year = m_today.wYear;
    m_month = m_today.wMonth;
    m_dwBackColor = kBkColor;
    m_dwBorderColor = kBorderColor;
    m_nBorderSize = 1;
}

LPCTSTR CCalendarUI::GetClass() const { return L"Calendar"; }
UINT CCalendarUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

void CCalendarUI::SetDate(const SYSTEMTIME &st) {
    m_date = st;
    ShowMonth(st.wYear, st.wMonth);
}

const SYSTEMTIME &CCalendarUI::GetDate() const { return m_date; }

void CCalendarUI::ShowMonth(int year, int month) {
    if (!uilib::IsValidDate(year, month, 1)) return;
    m_year = year;
    m_month = month;
    m_hotDay = 0;
    Invalidate();
}

RECT CCalendarUI::GetPrevRect() const {
    return {m_rcItem.left + Scaled(kPad), m_rcItem.top + Scaled(kPad),
            m_rcItem.left + Scaled(kPad) + Scaled(kNavHeight), m_rcItem.top + Scaled(kPad) + Scaled(kNavHeight)};
}

RECT CCalendarUI::GetNextRect() const {
    return {m_rcItem.right - Scaled(kPad) - Scaled(kNavHeight), m_rcItem.top + Scaled(kPad),
            m_rcItem.right - Scaled(kPad), m_rcItem.top + Scaled(kPad) + Scaled(kNavHeight)};
}

static RECT GridIn(const RECT &rc, int dpi) {
    auto px = [dpi](int v) { return uilib::ScaleValue(v, dpi); };
    return {rc.left + px(kPad), rc.top + px(kPad) + px(kNavHeight) + px(kWeekdayHeight), rc.right - px(kPad),
            rc.bottom - px(kPad)};
}

RECT CCalendarUI::GridRect() const { return GridIn(m_rcItem, Scaled(96)); }

int CCalendarUI::FirstCell() const { return (uilib::DayOfWeek(m_year, m_month, 1) + 6) % 7; }

RECT CCalendarUI::DayRectIn(const RECT &rcItem, int year, int month, int day, int dpi) {
    const RECT grid = GridIn(rcItem, dpi);
    const int cell = (uilib::DayOfWeek(year, month, 1) + 6) % 7 + day - 1;
    const int w = (grid.right - grid.left) / 7, h = (grid.bottom - grid.top) / 6;
    const int col = cell % 7, row = cell / 7;
    return {grid.left + col * w, grid.top + row * h, grid.left + (col + 1) * w, grid.top + (row + 1) * h};
}

RECT CCalendarUI::GetDayRect(int day) const { return DayRectIn(m_rcItem, m_year, m_month, day, Scaled(96)); }

int CCalendarUI::DayAt(POINT pt) const {
    const RECT grid = GridRect();
    const int w = (grid.right - grid.left) / 7, h = (grid.bottom - grid.top) / 6;
    if (w <= 0 || h <= 0 || !::PtInRect(&grid, pt)) return 0;
    const int col = (pt.x - grid.left) / w, row = (pt.y - grid.top) / h;
    if (col > 6 || row > 5) return 0;
    const int day = row * 7 + col - FirstCell() + 1;
    return day >= 1 && day <= uilib::DaysInMonth(m_year, m_month) ? day : 0;
}

void CCalendarUI::DoEvent(TEventUI &event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        const RECT prev = GetPrevRect(), next = GetNextRect();
        if (::PtInRect(&prev, event.ptMouse) || ::PtInRect(&next, event.ptMouse)) {
            SYSTEMTIME shown = m_date;
            shown.wYear = static_cast<WORD>(m_year);
            shown.wMonth = static_cast<WORD>(m_month);
            shown.wDay = 1;
            uilib::AddMonths(shown, ::PtInRect(&prev, event.ptMouse) ? -1 : 1);
            ShowMonth(shown.wYear, shown.wMonth);
            return;
        }
        const int day = DayAt(event.ptMouse);
        if (day > 0 && m_pWnd != nullptr) {
            SYSTEMTIME picked = m_date;
            picked.wYear = static_cast<WORD>(m_year);
            picked.wMonth = static_cast<WORD>(m_month);
            picked.wDay = static_cast<WORD>(day);
            picked.wDayOfWeek = static_cast<WORD>(uilib::DayOfWeek(m_year, m_month, day));
            m_pWnd->Pick(picked);
        }
        return;
    }
    case UIEVENT_MOUSEMOVE: {
        const RECT prev = GetPrevRect(), next = GetNextRect();
        const int arrow = ::PtInRect(&prev, event.ptMouse) ? -1 : ::PtInRect(&next, event.ptMouse) ? 1 : 0;
        const int day = DayAt(event.ptMouse);
        if (day != m_hotDay || arrow != m_hotArrow) {
            m_hotDay = day;
            m_hotArrow = arrow;
            Invalidate();
        }
        return;
    }
    case UIEVENT_MOUSELEAVE:
        m_hotDay = 0;
        m_hotArrow = 0;
        Invalidate();
        return;
    case UIEVENT_SCROLLWHEEL: {
        if (IsHorizontalWheel(event)) return;
        SYSTEMTIME shown = m_date;
        shown.wYear = static_cast<WORD>(m_year);
        shown.wMonth = static_cast<WORD>(m_month);
        shown.wDay = 1;
        uilib::AddMonths(shown, LOWORD(event.wParam) == SB_LINEUP ? -1 : 1);
        ShowMonth(shown.wYear, shown.wMonth);
        return;
    }
    case UIEVENT_KEYDOWN: {
        SYSTEMTIME moved = m_date;
        switch (event.chKey) {
        case VK_LEFT: uilib::AddDays(moved, -1); break;
        case VK_RIGHT: uilib::AddDays(moved, 1); break;
        case VK_UP: uilib::AddDays(moved, -7); break;
        case VK_DOWN: uilib::AddDays(moved, 7); break;
        case VK_PRIOR: uilib::AddMonths(moved, -1); break;
        case VK_NEXT: uilib::AddMonths(moved, 1); break;
        case VK_RETURN:
        case VK_SPACE:
            if (m_pWnd != nullptr) m_pWnd->Pick(m_date);
            return;
        case VK_ESCAPE:
            if (m_pWnd != nullptr) m_pWnd->Dismiss();
            return;
        default: return;
        }
        SetDate(moved);
        return;
    }
    default: CControlUI::DoEvent(event);
    }
}

void CCalendarUI::PaintText(HDC hDC) {
    // Navigation: arrows and the month title.
    const RECT prev = GetPrevRect(), next = GetNextRect();
    if (m_hotArrow != 0) CRenderEngine::FillRoundRect(hDC, m_hotArrow < 0 ? prev : next, 6, 6, kHotColor);
    DrawArrowGlyph(hDC, prev, true, kSecondaryColor);
    DrawArrowGlyph(hDC, next, false, kSecondaryColor);
    wchar_t title[32];
    swprintf(title, 32, kMonthTitleFormat, m_year, m_month);
    RECT rcTitle = {prev.right, prev.top, next.left, prev.bottom};
    const int titleFont = m_pManager != nullptr && m_pManager->GetFontInfo(kTitleFont) != nullptr ? kTitleFont : -1;
    CRenderEngine::DrawText(hDC, m_pManager, rcTitle, title, kTextColor, titleFont,
                            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);

    // Weekday headings.
    const RECT grid = GridRect();
    const int w = (grid.right - grid.left) / 7;
    for (int i = 0; i < 7; ++i) {
        RECT rc = {grid.left + i * w, grid.top - Scaled(kWeekdayHeight), grid.left + (i + 1) * w, grid.top};
        const wchar_t name[2] = {kWeekdayNames[i], 0};
        CRenderEngine::DrawText(hDC, m_pManager, rc, name, i >= 5 ? kBrandBlue : kSecondaryColor, -1,
                                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    CRenderEngine::DrawColor(hDC, {grid.left, grid.top - 1, grid.right, grid.top}, kBorderColor);

    // Days: the selected one filled, today ringed, the hot one tinted.
    const int days = uilib::DaysInMonth(m_year, m_month);
    for (int day = 1; day <= days; ++day) {
        RECT cell = GetDayRect(day);
        RECT dot = {cell.left + 3, cell.top + 3, cell.right - 3, cell.bottom - 3};
        const bool selected = m_date.wYear == m_year && m_date.wMonth == m_month && m_date.wDay == day;
        const bool today = m_today.wYear == m_year && m_today.wMonth == m_month && m_today.wDay == day;
        DWORD color = kTextColor;
        if (selected) {
            CRenderEngine::FillRoundRect(hDC, dot, 8, 8, kBrandBlue);
            color = kOnBrand;
        } else if (day == m_hotDay) {
            CRenderEngine::FillRoundRect(hDC, dot, 8, 8, kHotColor);
        }
        if (today && !selected) CRenderEngine::DrawRoundRect(hDC, dot, 1, 8, 8, kBrandBlue);
        wchar_t text[4];
        swprintf(text, 4, L"%d", day);
        CRenderEngine::DrawText(hDC, m_pManager, cell, text, color, -1,
                                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
}

// ---- CCalendarWnd ----

const wchar_t *const CCalendarWnd::kClassName = L"UICalendarDrop";

CCalendarWnd::CCalendarWnd(CDateTimeUI *pOwner) : m_pOwner(pOwner) {}

LPCTSTR CCalendarWnd::GetWindowClassName() const { return kClassName; }
UINT CCalendarWnd::GetClassStyle() const { return CS_DROPSHADOW; }

void CCalendarWnd::Open() {
    const CPaintManagerUI *owner = m_pOwner->GetManager();
    const SIZE size = owner != nullptr ? owner->Scale(SIZE{kWidth, kHeight}) : SIZE{kWidth, kHeight};
    uilib::ShowPopupBelow(*this, m_pOwner, size.cx, size.cy);
}

void CCalendarWnd::Detach() {
    m_pOwner = nullptr;
    DestroyWhenIdle();
}

void CCalendarWnd::Pick(const SYSTEMTIME &st) {
    if (m_bClosing) return;
    CDateTimeUI *owner = m_pOwner;
    Dismiss();
    if (owner == nullptr) return;
    SYSTEMTIME picked = owner->GetTime();
    picked.wYear = st.wYear;
    picked.wMonth = st.wMonth;
    picked.wDay = st.wDay;
    picked.wDayOfWeek = st.wDayOfWeek;
    const bool changed = uilib::FormatDate(picked) != owner->GetText();
    owner->SetTime(&picked);
    if (changed && owner->GetManager() != nullptr) owner->GetManager()->SendNotify(owner, DUI_MSGTYPE_VALUECHANGED);
}

void CCalendarWnd::Dismiss() {
    if (m_bClosing) return;
    m_bClosing = true;
    // Posted: this runs inside the calendar's own event handling.
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

LRESULT CCalendarWnd::HandlePopupMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE: {
        m_pm.Init(m_hWnd);
        if (m_pOwner == nullptr) return 0;
        uilib::CopyPopupFonts(m_pOwner->GetManager(), &m_pm, kTitleFont);
        m_pCalendar = new CCalendarUI(this);
        m_pCalendar->SetDate(m_pOwner->GetTime());
        m_pm.AttachDialog(m_pCalendar);
        m_pm.SetFocus(m_pCalendar);
        return 0;
    }
    case WM_KILLFOCUS:
        if (m_hWnd != reinterpret_cast<HWND>(wParam)) Dismiss();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            Dismiss();
            return 0;
        }
        break;
    case WM_CLOSE:
        uilib::RaiseOwnerWindow(m_pOwner);
        DestroyWhenIdle();
        return 0;
    default: break;
    }
    LRESULT lRes = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CCalendarWnd::OnPopupGone() {
    if (m_pOwner == nullptr) return;
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->Invalidate();
}
