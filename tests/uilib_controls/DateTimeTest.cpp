// The date field: today by default, GetTime's date fields, SetTime silent, our own
// calendar popup (the native picker under Wine leaves the date unfilled), date arithmetic.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/StrayKeys.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/controls/UICalendar.h"

using uitest::TestWindow;

namespace {

HWND Calendar() { return ::FindWindowW(CCalendarWnd::kClassName, nullptr); }
bool Open() {
    return testsupport::WaitFor([] { return Calendar() != nullptr; }, 10000);
}
bool Closed() {
    return testsupport::WaitFor([] { return Calendar() == nullptr; }, 10000);
}

}  // namespace

TEST(DateTime, CalendarArithmetic) {
    struct Month {
        int y, m, days, firstWeekday;
    };
    const Month months[] = {{2024, 2, 29, 4}, {2023, 2, 28, 3}, {1900, 2, 28, 4}, {2000, 2, 29, 2}, {2024, 12, 31, 0}};
    for (const Month &m : months) {
        EXPECT_EQ(uilib::DaysInMonth(m.y, m.m), m.days) << m.y << "-" << m.m;
        EXPECT_EQ(uilib::DayOfWeek(m.y, m.m, 1), m.firstWeekday) << m.y << "-" << m.m;
    }
    SYSTEMTIME st = {};
    ASSERT_TRUE(uilib::ParseDate(L"2024-01-31", st));
    uilib::AddMonths(st, 1);
    EXPECT_EQ(uilib::FormatDate(st), L"2024-02-29") << "clamped to the shorter month";
    uilib::AddDays(st, -61);
    EXPECT_EQ(uilib::FormatDate(st), L"2023-12-30");
    for (const wchar_t *bad : {L"2024-02-30", L"2024-13-01", L"24-01-01", L"2024/01/01", L"2024-01-1x", L""}) {
        EXPECT_FALSE(uilib::ParseDate(bad, st)) << uitest::Utf8(bad);
        EXPECT_EQ(uilib::FormatDate(st), L"2023-12-30");
    }
}

TEST(DateTime, TodayByDefaultSetTimeSilentAndTheCalendarPicks) {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    TestWindow host(L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"8\"><DateTime name=\"start\" "
                    L"width=\"160\" height=\"30\"/><DateTime name=\"fixed\" width=\"160\" height=\"30\" "
                    L"value=\"2024-02-29\"/><Control/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 300, true), nullptr);
    auto *start = host.Find<CDateTimeUI>(L"start");
    EXPECT_EQ(start->GetTime().wYear * 10000 + start->GetTime().wMonth * 100 + start->GetTime().wDay,
              now.wYear * 10000 + now.wMonth * 100 + now.wDay);
    wchar_t today[16];
    swprintf(today, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(start->GetText(), today);
    SYSTEMTIME st = {2023, 7, 0, 9};
    start->SetTime(&st);
    EXPECT_EQ(start->GetText(), L"2023-07-09");
    st.wMonth = 2, st.wDay = 30;
    start->SetTime(&st);
    start->SetTime(nullptr);
    EXPECT_EQ(start->GetText(), L"2023-07-09") << "an impossible date is refused";
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0);

    auto *fixed = host.Find<CDateTimeUI>(L"fixed");
    EXPECT_EQ(fixed->GetTime().wDayOfWeek, 4);
    host.Click(fixed);
    ASSERT_TRUE(Open());
    RECT client;
    ::GetClientRect(Calendar(), &client);
    // Next month, then the 15th of March 2024.
    ::SendMessageW(Calendar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 20, 24));
    ::SendMessageW(Calendar(), WM_LBUTTONUP, 0, MAKELPARAM(client.right - 20, 24));
    EXPECT_EQ(fixed->GetText(), L"2024-02-29") << "navigating picks nothing";
    const RECT rc = CCalendarUI::DayRectIn(client, 2024, 3, 15);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) ::SendMessageW(Calendar(), m, 0, at);
    EXPECT_EQ(fixed->GetText(), L"2024-03-15");
    EXPECT_EQ(fixed->GetTime().wMonth * 100 + fixed->GetTime().wDay, 315);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 1);
    EXPECT_TRUE(Closed());

    // Keys: arrows move the day, Enter picks, Escape picks nothing, other keys are dropped.
    host.Click(fixed);
    ASSERT_TRUE(Open());
    for (WPARAM key : {VK_RIGHT, VK_DOWN, VK_RETURN}) ::SendMessageW(Calendar(), WM_KEYDOWN, key, 0);
    EXPECT_EQ(fixed->GetText(), L"2024-03-23");
    ASSERT_TRUE(Closed());
    host.Click(fixed);
    ASSERT_TRUE(Open());
    const HWND cal = Calendar();
    for (const uitest::StrayKey &k : uitest::kStrayKeys) {
        ::SendMessageW(cal, k.msg, k.key, 1);
        ASSERT_TRUE(::IsWindow(cal)) << k.name;
    }
    for (WPARAM key : {VK_LEFT, VK_ESCAPE}) ::SendMessageW(cal, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(fixed->GetText(), L"2024-03-23") << "Escape picks nothing";
}
