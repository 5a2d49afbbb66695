// CDateTimeUI: the closed date field; the calendar popup is CCalendarWnd (UICalendar.cpp).
#include "uilib/core/UIText.h"
#include "uilib/controls/UIDateTime.h"

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

UINT CDateTimeUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP : 0; }

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

void CDateTimeUI::PaintText(HDC hDC) {
    m_sText = uilib::FormatDate(m_sysTime);  // "text" from a skin never replaces the date
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
