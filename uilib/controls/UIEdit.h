// CEditUI: a single-line windowless text field: caret, selection (mouse, Shift+arrows,
// Ctrl+A), clipboard (Ctrl+C/X/V), Home/End, Backspace/Delete, "maxchar", "password",
// "readonly", "numberonly", Tab to the next field. Sends "textchanged" on edits and
// "return" on Enter. The caret blinks on a paint-manager timer. Input methods: while
// focused, the composition and candidate windows sit at the caret and follow it; a
// composition's result is inserted whole; surrogate pairs are never split (UIEditIme.cpp).
#pragma once

#include <vector>

#include "uilib/controls/UILabel.h"

class CEditUI : public CLabelUI {
public:
    CEditUI();
    LPCTSTR GetClass() const override;  // "Edit"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    void SetText(LPCTSTR pstrText) override;
    void SetMaxChar(UINT uMax);
    UINT GetMaxChar() const;
    void SetReadOnly(bool bReadOnly);
    bool IsReadOnly() const;
    void SetPasswordMode(bool bPasswordMode);
    bool IsPasswordMode() const;
    void SetNumberOnly(bool bNumberOnly);
    bool IsNumberOnly() const;
    void SetSel(int nStart, int nEnd);  // -1 end: to the end of the text
    void GetSel(int &nStart, int &nEnd) const;
    void SetNativeEditBkColor(DWORD dwBkColor);

    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI &event) override;
    // "maxchar", "readonly", "password", "numberonly", "normalimage", "hotimage",
    // "focusedimage", "disabledimage", "nativebkcolor" and the label's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;
    CDuiString GetInspectText() const override;  // a password shown masked, as painted

protected:
    UINT m_uMaxChar = 255;
    bool m_bReadOnly = false;
    bool m_bPasswordMode = false;
    bool m_bNumberOnly = false;
    int m_nCaret = 0;      // caret position (characters)
    int m_nSelAnchor = 0;  // selection is [min(anchor, caret), max(anchor, caret))
    bool m_bCaretOn = false;
    int m_nScrollX = 0;  // horizontal text offset in pixels
    UINT m_uEditState = 0;
    CDuiString m_sNormalImage, m_sHotImage, m_sFocusedImage, m_sDisabledImage;
    DWORD m_dwEditBkColor = 0xFFFFFFFF;

    // Editing helpers (UIEdit.cpp); positions are UTF-16 units of m_sText.
    CDuiString DisplayText() const;
    void MeasureText(HDC hDC);  // fills m_aCharX for the current text and font
    void EnsureMetrics();       // MeasureText with the window's DC when stale
    int PositionAt(int x);      // the caret position nearest client x
    void ScrollToCaret();
    void RestartCaret();
    void ReplaceSelection(const CDuiString &text);  // typed or pasted text
    void DeleteRange(int from, int to);
    void TextEdited();  // value-change event and "textchanged", after the user's edit
    // Input (UIEditIme.cpp): one typed UTF-16 unit (a high surrogate waits for its low
    // one), the input method's messages, and its windows placed at the caret.
    void TypeChar(wchar_t ch);
    void ImeEvent(TEventUI &event);
    void PlaceImeWindows();
    RECT CaretRect();  // client pixels, the caret's height
    void CopySelection();
    void Paste();
    void MoveCaret(int pos, bool extend);
    int WordStart(int pos) const;
    int WordEnd(int pos) const;

    wchar_t m_chPendingHigh = 0;     // a typed high surrogate waiting for its low one
    POINT m_ptImePlaced = {-1, -1};  // where the input method's windows were last put
    std::vector<int> m_aCharX;       // x offset (px) of each position; size length + 1
    CDuiString m_sMeasured;          // the display text m_aCharX was measured for
    int m_iMeasuredFont = -2;
};
