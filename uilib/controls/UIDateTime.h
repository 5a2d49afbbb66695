// CDateTimeUI: shows a date as YYYY-MM-DD; a click (Space, Enter, Alt+Down, F4) opens a
// month calendar in a drop-down window where the operator picks a day (arrows change the
// month). Left/Right choose the year, month or day; Up/Down change it. Starts at today.
// Sends "valuechanged" when the operator picks or changes a date.
#pragma once

#include "uilib/controls/UILabel.h"

class CCalendarWnd;

class CDateTimeUI : public CLabelUI {
    friend class CCalendarWnd;
public:
    CDateTimeUI();
    ~CDateTimeUI() override;
    LPCTSTR GetClass() const override;  // "DateTime"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    SYSTEMTIME &GetTime();
    void SetTime(SYSTEMTIME *pst);                  // never notifies
    CDuiString GetText() const override;            // YYYY-MM-DD
    void SetEnabled(bool bEnable = true) override;  // disabled: the calendar closes
    bool Activate() override;                       // opens the calendar

    void DoEvent(TEventUI &event) override;
    // "normalimage", "hotimage", "value" (YYYY-MM-DD) and the label's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    CDuiString GetInspectText() const override;

protected:
    // Left/Right choose the part (year, month, day) that Up/Down change; false for other keys.
    bool StepPart(wchar_t vk);

    SYSTEMTIME m_sysTime = {};
    int m_iPart = 2;  // 0 year, 1 month, 2 day
    CCalendarWnd *m_pWindow = nullptr;
    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage, m_sHotImage;
};
