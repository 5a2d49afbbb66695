// CEditUI and input: typed characters with surrogate pairs kept whole, and the input
// method (its windows at the caret, its result string taken whole).
#include <windows.h>

#include <imm.h>

#include <algorithm>

#include "uilib/controls/UIEdit.h"
#include "uilib/core/UIManager.h"

void CEditUI::TypeChar(wchar_t ch) {
    if (IS_HIGH_SURROGATE(ch)) {
        m_chPendingHigh = ch;
        return;
    }
    if (IS_LOW_SURROGATE(ch)) {
        const wchar_t high = m_chPendingHigh;
        m_chPendingHigh = 0;
        // A low surrogate without its high one is no character.
        if (high != 0) ReplaceSelection(CDuiString{high, ch});
        return;
    }
    m_chPendingHigh = 0;
    ReplaceSelection(CDuiString(1, ch));
}

void CEditUI::ImeEvent(TEventUI &event) {
    HWND hWnd = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    switch (event.wParam) {
    case WM_IME_STARTCOMPOSITION:
        m_ptImePlaced = {-1, -1};  // the input method may have reset its windows
        PlaceImeWindows();
        return;
    case WM_IME_COMPOSITION: {
        if ((event.lParam & GCS_RESULTSTR) == 0 || hWnd == nullptr) return;
        HIMC himc = ::ImmGetContext(hWnd);
        if (himc == nullptr) return;
        CDuiString result;
        const LONG bytes = ::ImmGetCompositionStringW(himc, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
            result.resize(static_cast<size_t>(bytes) / sizeof(wchar_t));
            ::ImmGetCompositionStringW(himc, GCS_RESULTSTR, &result[0], static_cast<DWORD>(bytes));
        }
        ::ImmReleaseContext(hWnd, himc);
        if (result.empty() || !IsEnabled() || m_bReadOnly) return;
        m_chPendingHigh = 0;
        ReplaceSelection(result);
        return;
    }
    case WM_IME_CHAR:
        if (IsEnabled() && !m_bReadOnly) TypeChar(event.chKey);
        return;
    default: return;
    }
}

RECT CEditUI::CaretRect() {
    EnsureMetrics();
    const int x = m_rcItem.left + m_rcTextPadding.left - m_nScrollX +
                  m_aCharX[std::min<size_t>(static_cast<size_t>(m_nCaret), m_aCharX.size() - 1)];
    const TFontInfo *font = m_pManager != nullptr ? m_pManager->GetFontInfo(m_iFont) : nullptr;
    const int h = font != nullptr ? font->tm.tmHeight : 16;
    const int cy = (m_rcItem.top + m_rcTextPadding.top + m_rcItem.bottom - m_rcTextPadding.bottom) / 2;
    return {x, cy - h / 2, x + 1, cy - h / 2 + h};
}

void CEditUI::PlaceImeWindows() {
    HWND hWnd = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    if (!m_bFocused || hWnd == nullptr || m_rcItem.right <= m_rcItem.left) return;
    const RECT caret = CaretRect();
    if (caret.left == m_ptImePlaced.x && caret.top == m_ptImePlaced.y) return;
    HIMC himc = ::ImmGetContext(hWnd);
    if (himc == nullptr) return;
    // The composition starts at the caret in the field's font; the candidates open below
    // it without covering it.
    if (const TFontInfo *font = m_pManager->GetFontInfo(m_iFont)) {
        LOGFONTW lf = {};
        if (font->hFont != nullptr && ::GetObjectW(font->hFont, sizeof lf, &lf) != 0)
            ::ImmSetCompositionFontW(himc, &lf);
    }
    COMPOSITIONFORM composition = {};
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = {caret.left, caret.top};
    ::ImmSetCompositionWindow(himc, &composition);
    CANDIDATEFORM candidates = {};
    candidates.dwIndex = 0;
    candidates.dwStyle = CFS_EXCLUDE;
    candidates.ptCurrentPos = {caret.left, caret.bottom};
    candidates.rcArea = caret;
    ::ImmSetCandidateWindow(himc, &candidates);
    ::ImmReleaseContext(hWnd, himc);
    m_ptImePlaced = {caret.left, caret.top};
}
