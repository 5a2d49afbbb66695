// CEditUI: windowless single-line editing. Text positions are UTF-16 units; x offsets are
// measured per position through the render engine and cached until the text or font changes.
#include "uilib/controls/UIEdit.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

#include "uilib/controls/UIPalette.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

namespace {

enum : UINT { kEditHot = 1, kEditSelecting = 2 };
const UINT kCaretTimerId = 0x45444954;  // "EDIT"
const UINT kCaretBlinkMs = 530;
const wchar_t kPasswordChar = L'\x25CF';
const DWORD kSelectionColor = uilib::kPaletteBrand;
const DWORD kSelectionTextColor = 0xFFFFFFFF;
const DWORD kInactiveSelectionColor = 0xFFDCE6FD;
const DWORD kDisabledBkColor = uilib::kPalettePage;
const UINT kMeasureStyle = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT;

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
// Ctrl for commands: AltGr arrives as Ctrl+Alt and types characters instead.
bool CommandKeyDown() { return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

// Word classes for double-click and Ctrl+arrows: blanks, word characters, the rest.
int CharClass(wchar_t ch) {
    if (iswspace(ch)) return 0;
    if (iswalnum(ch) || ch == L'_' || ch >= 0x2E80) return 1;
    return 2;
}

}  // namespace

CEditUI::CEditUI() {
    m_rcTextPadding = {8, 0, 8, 0};
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    m_dwBorderColor = uilib::kPaletteBorder;
    m_dwFocusBorderColor = uilib::kPaletteBrand;
    m_nBorderSize = 1;
}

LPCTSTR CEditUI::GetClass() const { return L"Edit"; }

LPVOID CEditUI::GetInterface(LPCTSTR pstrName) {
    if (uilib::SameName(pstrName, L"Edit")) return static_cast<CEditUI *>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CEditUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR | UIFLAG_TABSTOP | UIFLAG_WANTIME : 0; }

void CEditUI::SetText(LPCTSTR pstrText) {
    m_sText = pstrText != nullptr ? pstrText : L"";
    m_nCaret = m_nSelAnchor = static_cast<int>(m_sText.size());
    m_nScrollX = 0;
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, EVENT_OBJECT_VALUECHANGE, true);
}

void CEditUI::SetMaxChar(UINT uMax) { m_uMaxChar = uMax; }
UINT CEditUI::GetMaxChar() const { return m_uMaxChar; }
void CEditUI::SetReadOnly(bool bReadOnly) {
    m_bReadOnly = bReadOnly;
    Invalidate();
}
bool CEditUI::IsReadOnly() const { return m_bReadOnly; }
void CEditUI::SetPasswordMode(bool bPasswordMode) {
    m_bPasswordMode = bPasswordMode;
    Invalidate();
}
bool CEditUI::IsPasswordMode() const { return m_bPasswordMode; }
void CEditUI::SetNumberOnly(bool bNumberOnly) { m_bNumberOnly = bNumberOnly; }
bool CEditUI::IsNumberOnly() const { return m_bNumberOnly; }

void CEditUI::SetSel(int nStart, int nEnd) {
    const int len = static_cast<int>(m_sText.size());
    if (nEnd < 0 || nEnd > len) nEnd = len;
    nStart = std::max(0, std::min(nStart, len));
    m_nSelAnchor = nStart;
    m_nCaret = nEnd;
    ScrollToCaret();
    Invalidate();
}

void CEditUI::GetSel(int &nStart, int &nEnd) const {
    nStart = std::min(m_nSelAnchor, m_nCaret);
    nEnd = std::max(m_nSelAnchor, m_nCaret);
}

void CEditUI::SetNativeEditBkColor(DWORD dwBkColor) {
    m_dwEditBkColor = dwBkColor;
    Invalidate();
}

void CEditUI::SetEnabled(bool bEnable) {
    CLabelUI::SetEnabled(bEnable);
    if (!bEnable) {
        m_uEditState = 0;
        if (m_pManager != nullptr) m_pManager->KillTimer(this, kCaretTimerId);
        m_bCaretOn = false;
    }
}

CDuiString CEditUI::GetInspectText() const { return DisplayText(); }

CDuiString CEditUI::DisplayText() const {
    if (m_bPasswordMode) return CDuiString(m_sText.size(), kPasswordChar);
    return m_sText;
}

void CEditUI::MeasureText(HDC hDC) {
    const CDuiString shown = DisplayText();
    if (shown == m_sMeasured && m_iMeasuredFont == m_iFont && m_aCharX.size() == shown.size() + 1) return;
    m_sMeasured = shown;
    m_iMeasuredFont = m_iFont;
    m_aCharX.assign(shown.size() + 1, 0);
    // Sums of per-character advances: GDI text output applies no kerning, so this matches
    // what DrawText puts on screen; a surrogate pair is measured as one character.
    int x = 0;
    for (size_t i = 0; i < shown.size();) {
        size_t n = (IS_HIGH_SURROGATE(shown[i]) && i + 1 < shown.size()) ? 2 : 1;
        const CDuiString ch = shown.substr(i, n);
        x += CRenderEngine::GetTextSize(hDC, m_pManager, ch.c_str(), m_iFont, kMeasureStyle).cx;
        for (size_t k = 1; k <= n; ++k) m_aCharX[i + k] = x;
        i += n;
    }
}

void CEditUI::EnsureMetrics() {
    if (m_aCharX.size() == m_sText.size() + 1 && m_sMeasured == DisplayText() && m_iMeasuredFont == m_iFont) return;
    HWND hWnd = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    HDC hDC = ::GetDC(hWnd);
    MeasureText(hDC);
    ::ReleaseDC(hWnd, hDC);
}

int CEditUI::PositionAt(int x) {
    EnsureMetrics();
    const int rel = x - (m_rcItem.left + Scaled(m_rcTextPadding).left) + m_nScrollX;
    int best = 0;
    for (size_t i = 0; i < m_aCharX.size(); ++i) {
        if (i > 0 && i < m_sText.size() && IS_LOW_SURROGATE(m_sText[i])) continue;
        if (std::abs(m_aCharX[i] - rel) < std::abs(m_aCharX[best] - rel)) best = static_cast<int>(i);
    }
    return best;
}

void CEditUI::ScrollToCaret() {
    EnsureMetrics();
    const int view = std::max(1, static_cast<int>(m_rcItem.right - m_rcItem.left - Scaled(m_rcTextPadding).left -
                                                  Scaled(m_rcTextPadding).right));
    const int total = m_aCharX.empty() ? 0 : m_aCharX.back();
    const int caretX = m_aCharX[std::min<size_t>(m_nCaret, m_aCharX.size() - 1)];
    if (caretX - m_nScrollX < 0) m_nScrollX = caretX;
    if (caretX - m_nScrollX > view - 1) m_nScrollX = caretX - view + 1;
    // No blank space after the text while part of it is scrolled away.
    if (total - m_nScrollX < view - 1) m_nScrollX = std::max(0, total - view + 1);
}

void CEditUI::RestartCaret() {
    m_bCaretOn = true;
    if (m_pManager != nullptr && m_bFocused) m_pManager->SetTimer(this, kCaretTimerId, kCaretBlinkMs);
    Invalidate();
    PlaceImeWindows();
}

void CEditUI::DeleteRange(int from, int to) {
    if (from >= to) return;
    m_sText.erase(from, to - from);
    m_nCaret = m_nSelAnchor = from;
}

void CEditUI::ReplaceSelection(const CDuiString &input) {
    if (m_bReadOnly || !IsEnabled()) return;
    CDuiString text;
    for (wchar_t ch : input) {
        if (ch < 0x20 || ch == 0x7F) continue;
        if (m_bNumberOnly && !(ch >= L'0' && ch <= L'9')) continue;
        text += ch;
    }
    int start, end;
    GetSel(start, end);
    const size_t kept = m_sText.size() - (end - start);
    if (m_uMaxChar > 0) {
        const size_t room = kept >= m_uMaxChar ? 0 : m_uMaxChar - kept;
        if (text.size() > room) {
            text.resize(room);
            // Never keep half of a surrogate pair.
            if (!text.empty() && IS_HIGH_SURROGATE(text.back())) text.pop_back();
        }
    }
    if (text.empty() && start == end) return;
    DeleteRange(start, end);
    m_sText.insert(start, text);
    m_nCaret = m_nSelAnchor = start + static_cast<int>(text.size());
    ScrollToCaret();
    RestartCaret();
    TextEdited();
}

void CEditUI::TextEdited() {
    if (m_pManager == nullptr) return;
    m_pManager->NotifyAccessible(this, EVENT_OBJECT_VALUECHANGE, true);
    m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
}

void CEditUI::CopySelection() {
    int start, end;
    GetSel(start, end);
    if (start == end || m_bPasswordMode) return;  // a password never leaves the field
    HWND hWnd = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    if (!::OpenClipboard(hWnd)) return;
    ::EmptyClipboard();
    const CDuiString part = m_sText.substr(start, end - start);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (part.size() + 1) * sizeof(wchar_t));
    if (mem != nullptr) {
        auto *dst = static_cast<wchar_t *>(::GlobalLock(mem));
        std::copy(part.begin(), part.end(), dst);
        dst[part.size()] = 0;
        ::GlobalUnlock(mem);
        if (::SetClipboardData(CF_UNICODETEXT, mem) == nullptr) ::GlobalFree(mem);
    }
    ::CloseClipboard();
}

void CEditUI::Paste() {
    HWND hWnd = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    if (!::OpenClipboard(hWnd)) return;
    CDuiString text;
    if (HANDLE mem = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *src = static_cast<const wchar_t *>(::GlobalLock(mem))) {
            // One line: the text up to the first line break, as single-line fields do.
            for (const wchar_t *p = src; *p && *p != L'\r' && *p != L'\n'; ++p) text += (*p == L'\t' ? L' ' : *p);
            ::GlobalUnlock(mem);
        }
    }
    ::CloseClipboard();
    if (!text.empty()) ReplaceSelection(text);
}

void CEditUI::MoveCaret(int pos, bool extend) {
    const int len = static_cast<int>(m_sText.size());
    pos = std::max(0, std::min(pos, len));
    if (pos > 0 && pos < len && IS_LOW_SURROGATE(m_sText[pos])) pos += (pos > m_nCaret) ? 1 : -1;
    m_nCaret = pos;
    if (!extend) m_nSelAnchor = pos;
    ScrollToCaret();
    RestartCaret();
}

int CEditUI::WordStart(int pos) const {
    const CDuiString &t = m_sText;
    while (pos > 0 && CharClass(t[pos - 1]) == 0) --pos;
    if (pos == 0) return 0;
    const int cls = CharClass(t[pos - 1]);
    while (pos > 0 && CharClass(t[pos - 1]) == cls) --pos;
    return pos;
}

int CEditUI::WordEnd(int pos) const {
    const CDuiString &t = m_sText;
    const int len = static_cast<int>(t.size());
    if (pos >= len) return len;
    const int cls = CharClass(t[pos]);
    while (pos < len && CharClass(t[pos]) == cls) ++pos;
    while (pos < len && CharClass(t[pos]) == 0) ++pos;
    return pos;
}

void CEditUI::DoEvent(TEventUI &event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__FIRST && event.Type < UIEVENT_KEYDOWN) {
        CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursorW(nullptr, IsEnabled() ? IDC_IBEAM : IDC_ARROW)); return;
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        RestartCaret();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        m_bCaretOn = false;
        m_chPendingHigh = 0;
        m_ptImePlaced = {-1, -1};
        m_uEditState &= ~kEditSelecting;
        if (m_pManager != nullptr) m_pManager->KillTimer(this, kCaretTimerId);
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (event.wParam == kCaretTimerId) {
            m_bCaretOn = !m_bCaretOn;
            Invalidate();
            return;
        }
        break;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
        m_uEditState = (event.Type == UIEVENT_MOUSEENTER) ? (m_uEditState | kEditHot) : (m_uEditState & ~kEditHot);
        Invalidate();
        return;
    case UIEVENT_BUTTONDOWN:
        if (!IsEnabled()) return;
        if (m_pManager != nullptr && !m_bFocused) m_pManager->SetFocus(this);
        m_bFocused = true;
        MoveCaret(PositionAt(event.ptMouse.x), KeyDown(VK_SHIFT));
        m_uEditState |= kEditSelecting;
        if (m_pManager != nullptr) m_pManager->SetCapture();
        return;
    case UIEVENT_DBLCLICK: {
        if (!IsEnabled()) return;
        const int pos = PositionAt(event.ptMouse.x);
        int start = pos, end = pos;
        const int len = static_cast<int>(m_sText.size());
        if (len > 0) {
            const int at = std::min(pos, len - 1);
            const int cls = CharClass(m_sText[at]);
            start = at;
            end = at;
            while (start > 0 && CharClass(m_sText[start - 1]) == cls) --start;
            while (end < len && CharClass(m_sText[end]) == cls) ++end;
        }
        m_nSelAnchor = start;
        m_nCaret = end;
        ScrollToCaret();
        RestartCaret();
        return;
    }
    case UIEVENT_MOUSEMOVE:
        if (m_uEditState & kEditSelecting) {
            const int pos = PositionAt(event.ptMouse.x);
            if (pos != m_nCaret) MoveCaret(pos, true);
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uEditState & kEditSelecting) {
            m_uEditState &= ~kEditSelecting;
            if (m_pManager != nullptr) m_pManager->ReleaseCapture();
        }
        return;
    case UIEVENT_CHAR:
        if (!IsEnabled() || m_bReadOnly) return;
        if (event.chKey >= 0x20 && event.chKey != 0x7F && !CommandKeyDown()) TypeChar(event.chKey);
        return;
    case UIEVENT_IME: ImeEvent(event); return;
    case UIEVENT_KEYDOWN: {
        if (!IsEnabled()) return;
        const bool shift = KeyDown(VK_SHIFT);
        const bool ctrl = CommandKeyDown();
        const int len = static_cast<int>(m_sText.size());
        int start, end;
        GetSel(start, end);
        switch (event.chKey) {
        case VK_LEFT:
            if (!shift && start != end)
                MoveCaret(start, false);
            else
                MoveCaret(ctrl ? WordStart(m_nCaret) : m_nCaret - 1, shift);
            return;
        case VK_RIGHT:
            if (!shift && start != end)
                MoveCaret(end, false);
            else
                MoveCaret(ctrl ? WordEnd(m_nCaret) : m_nCaret + 1, shift);
            return;
        case VK_HOME: MoveCaret(0, shift); return;
        case VK_END: MoveCaret(len, shift); return;
        case VK_BACK:
        case VK_DELETE:
            if (m_bReadOnly) return;
            if (start == end) {
                if (event.chKey == VK_BACK) {
                    if (start == 0) return;
                    start =
                        ctrl ? WordStart(start) : start - ((start > 1 && IS_LOW_SURROGATE(m_sText[start - 1])) ? 2 : 1);
                } else {
                    if (end == len) return;
                    end = ctrl ? WordEnd(end) : end + ((IS_HIGH_SURROGATE(m_sText[end]) && end + 1 < len) ? 2 : 1);
                }
            }
            DeleteRange(start, end);
            ScrollToCaret();
            RestartCaret();
            TextEdited();
            return;
        case VK_RETURN:
            if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
            return;
        case VK_INSERT:
            if (shift)
                Paste();
            else if (ctrl)
                CopySelection();
            return;
        default: break;
        }
        if (ctrl) {
            switch (event.chKey) {
            case 'A':
                m_nSelAnchor = 0;
                MoveCaret(len, true);
                return;
            case 'C': CopySelection(); return;
            case 'X':
                if (m_bReadOnly || m_bPasswordMode) return;
                CopySelection();
                ReplaceSelection(CDuiString());
                return;
            case 'V': Paste(); return;
            default: break;
            }
        }
        break;
    }
    default: break;
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    int n = 0;
    bool b = false;
    if (uilib::SameName(pstrName, L"maxchar")) {
        if (uilib::ParseInt(pstrValue, n) && n >= 0) SetMaxChar(n);
    } else if (uilib::SameName(pstrName, L"readonly")) {
        if (uilib::ParseBool(pstrValue, b)) SetReadOnly(b);
    } else if (uilib::SameName(pstrName, L"password")) {
        if (uilib::ParseBool(pstrValue, b)) SetPasswordMode(b);
    } else if (uilib::SameName(pstrName, L"numberonly")) {
        if (uilib::ParseBool(pstrValue, b)) SetNumberOnly(b);
    } else if (uilib::SameName(pstrName, L"normalimage"))
        m_sNormalImage = pstrValue;
    else if (uilib::SameName(pstrName, L"hotimage"))
        m_sHotImage = pstrValue;
    else if (uilib::SameName(pstrName, L"focusedimage"))
        m_sFocusedImage = pstrValue;
    else if (uilib::SameName(pstrName, L"disabledimage"))
        m_sDisabledImage = pstrValue;
    else if (uilib::SameName(pstrName, L"nativebkcolor"))
        SetNativeEditBkColor(ParseColor(pstrValue));
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CEditUI::PaintStatusImage(HDC hDC) {
    const CDuiString *image = &m_sNormalImage;
    if (!IsEnabled() && !m_sDisabledImage.empty())
        image = &m_sDisabledImage;
    else if (m_bFocused && !m_sFocusedImage.empty())
        image = &m_sFocusedImage;
    else if ((m_uEditState & kEditHot) && !m_sHotImage.empty())
        image = &m_sHotImage;
    if (!image->empty() && DrawImage(hDC, image->c_str())) return;
    if (m_dwBackColor != 0 || !m_sBkImage.empty()) return;
    const DWORD color = IsEnabled() && !m_bReadOnly ? m_dwEditBkColor : kDisabledBkColor;
    if (color == 0) return;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0)
        CRenderEngine::FillRoundRect(hDC, m_rcItem, GetBorderRound().cx, GetBorderRound().cy, color);
    else
        CRenderEngine::DrawColor(hDC, m_rcItem, color);
}

void CEditUI::PaintText(HDC hDC) {
    MeasureText(hDC);
    ScrollToCaret();
    RECT rcText = m_rcItem;
    rcText.left += Scaled(m_rcTextPadding).left;
    rcText.right -= Scaled(m_rcTextPadding).right;
    rcText.top += Scaled(m_rcTextPadding).top;
    rcText.bottom -= Scaled(m_rcTextPadding).bottom;
    if (rcText.right <= rcText.left) return;

    DWORD color = m_dwTextColor;
    if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultFontColor();
    if (!IsEnabled()) {
        color = m_dwDisabledTextColor;
        if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultDisabledColor();
    }
    const CDuiString shown = DisplayText();
    const int origin = rcText.left - m_nScrollX;
    const int total = m_aCharX.back();
    const UINT style = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
    {
        CRenderClip clip(hDC, rcText);
        RECT rc = {origin, rcText.top, origin + total + 4, rcText.bottom};
        if (!shown.empty()) CRenderEngine::DrawText(hDC, m_pManager, rc, shown.c_str(), color, m_iFont, style);
    }
    int start, end;
    GetSel(start, end);
    if (start != end) {
        RECT sel = {origin + m_aCharX[start], rcText.top + 3, origin + m_aCharX[end], rcText.bottom - 3};
        RECT visible;
        if (::IntersectRect(&visible, &sel, &rcText)) {
            CRenderClip clip(hDC, visible);
            CRenderEngine::DrawColor(hDC, visible, m_bFocused ? kSelectionColor : kInactiveSelectionColor);
            RECT rc = {origin, rcText.top, origin + total + 4, rcText.bottom};
            CRenderEngine::DrawText(hDC, m_pManager, rc, shown.c_str(), m_bFocused ? kSelectionTextColor : color,
                                    m_iFont, style);
        }
    }
    if (m_bFocused && m_bCaretOn && !m_bReadOnly && IsEnabled()) {
        const int x = origin + m_aCharX[m_nCaret];
        if (x >= rcText.left - 1 && x <= rcText.right) {
            const int h = m_pManager != nullptr && m_pManager->GetFontInfo(m_iFont) != nullptr
                              ? m_pManager->GetFontInfo(m_iFont)->tm.tmHeight
                              : 16;
            const int cy = (rcText.top + rcText.bottom) / 2;
            RECT caret = {x, cy - h / 2, x + 1, cy - h / 2 + h};
            CRenderEngine::DrawColor(hDC, caret, color);
        }
    }
}
