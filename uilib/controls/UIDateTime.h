// CDateTimeUI: shows a date as YYYY-MM-DD; a click opens a month calendar in a drop-down
// window where the operator picks a day (arrows change the month). Starts at today.
// Sends "valuechanged" when the operator picks a date.
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
    SYSTEMTIME m_sysTime = {};
    CCalendarWnd *m_pWindow = nullptr;
    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage, m_sHotImage;
};
