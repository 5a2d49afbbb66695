// CDateTimeUI: the closed date field; the calendar popup is CCalendarWnd (UICalendar.cpp).
#include "uilib/core/UIText.h"
#include "uilib/controls/UIDateTime.h"

#include <algorithm>
#include <functional>

#include "uilib/controls/UICalendar.h"
#include "uilib/controls/UIPalette.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kDateHot = 1 };
const DWORD kFieldBkColor = 0xFFFFFFFF;
const DWORD kFieldBorderColor = uilib::kPaletteBorder;
const DWORD kFieldFocusColor = uilib::kPaletteBrand;
const DWORD kIconColor = uilib::kPaletteTextSecondary;
const int kIconWidth = 28;
const DWORD kPartColor = 0xFFDCE6FD;  // the part the arrows change

// A small calendar sheet: outline, a binding bar and two rings.
// A calendar sheet drawn in 14 x 15 skin pixels, scaled by px.
void DrawCalendarGlyph(HDC hDC, const RECT &area, DWORD color, const std::function<int(int)> &px) {
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    RECT sheet = {cx - px(7), cy - px(6), cx + px(7), cy + px(7)};
    CRenderEngine::DrawRect(hDC, sheet, px(1), color);
    CRenderEngine::DrawColor(hDC, {sheet.left, sheet.top, sheet.right, sheet.top + px(3)}, color);
    CRenderEngine::DrawColor(hDC, {cx - px(4), sheet.top - px(2), cx - px(2), sheet.top + px(1)}, color);
    CRenderEngine::DrawColor(hDC, {cx + px(2), sheet.top - px(2), cx + px(4), sheet.top + px(1)}, color);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            CRenderEngine::DrawColor(hDC,
                                     {sheet.left + px(3 + c * 3), sheet.top + px(5 + r * 3), sheet.left + px(5 + c * 3),
                                      sheet.top + px(7 + r * 3)},
                                     color);
}

}  // namespace

CDateTimeUI::CDateTimeUI() {
    ::GetLocalTime(&m_sysTime);
    m_sText = uilib::FormatDate(m_sysTime);
    m_rcTextPadding = {8, 0, kIconWidth, 0};
    m_dwBackColor = kFieldBkColor;
    m_dwBorderColor = kFieldBorderColor;
    m_dwFocusBorderColor = kFieldFocusColor;
    m_nBorderSize = 1;
}

CDateTimeUI::~CDateTimeUI() {
    if (m_pWindow != nullptr) m_pWindow->Detach();
}

LPCTSTR CDateTimeUI::GetClass() const { return L"DateTime"; }

LPVOID CDateTimeUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"DateTime")) return static_cast<CDateTimeUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CDateTimeUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_WANTRETURN : 0; }

SYSTEMTIME &CDateTimeUI::GetTime() { return m_sysTime; }

void CDateTimeUI::SetTime(SYSTEMTIME *pst) {
    if (pst == nullptr || !uilib::IsValidDate(pst->wYear, pst->wMonth, pst->wDay)) return;
    m_sysTime = *pst;
    m_sysTime.wDayOfWeek = static_cast<WORD>(uilib::DayOfWeek(pst->wYear, pst->wMonth, pst->wDay));
    m_sText = uilib::FormatDate(m_sysTime);
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, EVENT_OBJECT_VALUECHANGE, true);
}

CDuiString CDateTimeUI::GetText() const { return uilib::FormatDate(m_sysTime); }

void CDateTimeUI::SetEnabled(bool bEnable) {
    CLabelUI::SetEnabled(bEnable);
    if (bEnable || m_pWindow == nullptr) return;
    m_pWindow->Detach();
    m_pWindow = nullptr;
}

bool CDateTimeUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pWindow != nullptr) return true;
    return uilib::OpenDropDown(this, m_pWindow);
}

void CDateTimeUI::DoEvent(TEventUI &event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        if (m_pManager != nullptr) m_pManager->SetFocus(this);
        Activate();
        return;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE: return;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
        m_uButtonState = event.Type == UIEVENT_MOUSEENTER ? (m_uButtonState | kDateHot) : (m_uButtonState & ~kDateHot);
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        if (IsEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN || uilib::IsDropDownKey(event))) {
            Activate();
            return;
        }
        if (IsEnabled() && StepPart(event.chKey)) return;
        break;
    default: break;
    }
    CLabelUI::DoEvent(event);
}

void CDateTimeUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (uilib::SameName(pstrName, L"value")) {
        SYSTEMTIME st = m_sysTime;
        if (uilib::ParseDate(pstrValue, st)) SetTime(&st);
    } else if (uilib::SameName(pstrName, L"normalimage"))
        m_sNormalImage = pstrValue;
    else if (uilib::SameName(pstrName, L"hotimage"))
        m_sHotImage = pstrValue;
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

bool CDateTimeUI::StepPart(wchar_t vk) {
    if (vk == VK_LEFT || vk == VK_RIGHT) {
        m_iPart = std::max(0, std::min(2, m_iPart + (vk == VK_LEFT ? -1 : 1)));
        Invalidate();
        return true;
    }
    if (vk != VK_UP && vk != VK_DOWN) return false;
    const int step = vk == VK_UP ? 1 : -1;
    int year = m_sysTime.wYear, month = m_sysTime.wMonth, day = m_sysTime.wDay;
    if (m_iPart == 0) year = std::max(1601, std::min(30827, year + step));
    if (m_iPart == 1) month = (month - 1 + step + 12) % 12 + 1;
    const int days = uilib::DaysInMonth(year, month);
    if (m_iPart == 2) day = (day - 1 + step + days) % days + 1;
    day = std::min(day, days);
    SYSTEMTIME st = m_sysTime;
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    if (uilib::FormatDate(st) == GetText()) return true;
    SetTime(&st);
    if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED);
    return true;
}

void CDateTimeUI::PaintText(HDC hDC) {
    m_sText = uilib::FormatDate(m_sysTime);  // "text" from a skin never replaces the date
    if (m_bFocused && m_sText.size() == 10) {
        // The part the arrows change, marked behind its digits.
        static const int kStart[] = {0, 5, 8}, kEnd[] = {4, 7, 10};
        const RECT rc = {m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
                         m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
        auto width = [&](size_t n) {
            return CRenderEngine::GetTextSize(hDC, m_pManager, m_sText.substr(0, n).c_str(), m_iFont, m_uTextStyle).cx;
        };
        const int whole = width(m_sText.size());
        int x = rc.left;
        if ((m_uTextStyle & DT_CENTER) != 0) x = (rc.left + rc.right - whole) / 2;
        if ((m_uTextStyle & DT_RIGHT) != 0) x = rc.right - whole;
        const int h = m_pManager != nullptr && m_pManager->GetFontInfo(m_iFont) != nullptr
                          ? m_pManager->GetFontInfo(m_iFont)->tm.tmHeight
                          : 16;
        const int cy = (rc.top + rc.bottom) / 2;
        const RECT part = {x + width(kStart[m_iPart]) - 1, cy - h / 2, x + width(kEnd[m_iPart]) + 1, cy - h / 2 + h};
        CRenderEngine::DrawColor(hDC, part, kPartColor);
    }
    CLabelUI::PaintText(hDC);
}

void CDateTimeUI::PaintStatusImage(HDC hDC) {
    const CDuiString &image = (m_uButtonState & kDateHot) && !m_sHotImage.empty() ? m_sHotImage : m_sNormalImage;
    if (!image.empty() && DrawImage(hDC, image.c_str())) return;
    RECT icon = {m_rcItem.right - Scaled(kIconWidth), m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
    DrawCalendarGlyph(hDC, icon, (m_uButtonState & kDateHot) || m_pWindow != nullptr ? kFieldFocusColor : kIconColor,
                      [this](int v) { return Scaled(v); });
}

CDuiString CDateTimeUI::GetInspectText() const { return uilib::FormatDate(m_sysTime); }
