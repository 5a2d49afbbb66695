// The date picker's parts: date arithmetic on the Gregorian calendar (window-free),
// CCalendarUI (a month grid: navigation, weekday headings Monday first, day cells) and
// CCalendarWnd (the top-most popup that shows one under a CDateTimeUI).
#pragma once

#include "uilib/controls/UIDateTime.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/core/UIManager.h"

namespace uilib {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);            // month 1..12
int DayOfWeek(int year, int month, int day);     // 0 = Sunday .. 6 = Saturday
bool IsValidDate(int year, int month, int day);  // years 1601..30827 (SYSTEMTIME's)
CDuiString FormatDate(const SYSTEMTIME &st);     // YYYY-MM-DD
bool ParseDate(LPCTSTR text, SYSTEMTIME &st);    // strict YYYY-MM-DD; st untouched on failure
// Moves a date by days (across months and years), keeping it valid.
void AddDays(SYSTEMTIME &st, int days);
// The same day in the month delta months away, clamped to that month's length.
void AddMonths(SYSTEMTIME &st, int months);

}  // namespace uilib

class CCalendarWnd;

class CCalendarUI : public CControlUI {
public:
    explicit CCalendarUI(CCalendarWnd *pWnd);
    LPCTSTR GetClass() const override;  // "Calendar"
    UINT GetControlFlags() const override;

    void SetDate(const SYSTEMTIME &st);  // shows its month, highlights it
    const SYSTEMTIME &GetDate() const;
    int GetShownYear() const { return m_year; }
    int GetShownMonth() const { return m_month; }
    void ShowMonth(int year, int month);
    // Screen parts, in client coordinates: the arrows and the cell of a day of the shown month.
    RECT GetPrevRect() const;
    RECT GetNextRect() const;
    RECT GetDayRect(int day) const;
    // The cell of a day of a month in a calendar occupying rcItem.
    static RECT DayRectIn(const RECT &rcItem, int year, int month, int day, int dpi = 96);

    void DoEvent(TEventUI &event) override;
    void PaintText(HDC hDC) override;

private:
    int DayAt(POINT pt) const;  // 0 when no day of the shown month
    int FirstCell() const;      // grid cell of day 1 (Monday first)
    RECT GridRect() const;

    CCalendarWnd *m_pWnd;  // not owned
    SYSTEMTIME m_date = {};
    SYSTEMTIME m_today = {};
    int m_year = 2000;
    int m_month = 1;
    int m_hotDay = 0;
    int m_hotArrow = 0;  // -1 previous, 1 next
};

class CCalendarWnd : public CPopupWnd {
public:
    static const wchar_t *const kClassName;  // "UICalendarDrop"
    static constexpr int kWidth = 280;
    static constexpr int kHeight = 292;

    explicit CCalendarWnd(CDateTimeUI *pOwner);
    void Open();
    void Detach();                    // the control is going: close without it
    void Pick(const SYSTEMTIME &st);  // sets the owner's date, notifies, closes
    void Dismiss();

    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override;

protected:
    LRESULT HandlePopupMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnPopupGone() override;

private:
    CDateTimeUI *m_pOwner;  // not owned; null once the control is gone
    CPaintManagerUI m_pm;
    CCalendarUI *m_pCalendar = nullptr;  // owned by m_pm's tree
    bool m_bClosing = false;
};
