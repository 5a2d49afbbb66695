// The date field: today by default, GetTime's date fields, SetTime silent, our own
// calendar popup (the native picker under Wine leaves the date unfilled), date arithmetic.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/TestHost.h"
#include "uilib/controls/UICalendar.h"

using uitest::TestHost;

namespace {

const wchar_t kSkin[] = L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"8\">"
                        L"<DateTime name=\"start\" width=\"160\" height=\"30\"/>"
                        L"<DateTime name=\"fixed\" width=\"160\" height=\"30\" value=\"2024-02-29\"/>"
                        L"<Control/></VerticalLayout></Window>";

HWND Calendar() { return ::FindWindowW(CCalendarWnd::kClassName, nullptr); }

}  // namespace

TEST(DateMath, CalendarArithmetic) {
    struct Month {
        int y, m, days, firstWeekday;
    };
    const Month months[] = {{2024, 2, 29, 4},  {2023, 2, 28, 3}, {1900, 2, 28, 4}, {2000, 2, 29, 2},
                            {2024, 12, 31, 0}, {2025, 1, 31, 3}, {1601, 1, 31, 1}};
    for (const Month &m : months) {
        SCOPED_TRACE(m.y * 100 + m.m);
        EXPECT_EQ(uilib::DaysInMonth(m.y, m.m), m.days);
        EXPECT_EQ(uilib::DayOfWeek(m.y, m.m, 1), m.firstWeekday);
    }
    SYSTEMTIME st = {};
    ASSERT_TRUE(uilib::ParseDate(L"2024-01-31", st));
    uilib::AddMonths(st, 1);
    EXPECT_EQ(uilib::FormatDate(st), L"2024-02-29") << "clamped to the shorter month";
    uilib::AddDays(st, 1);
    EXPECT_EQ(uilib::FormatDate(st), L"2024-03-01");
    uilib::AddDays(st, -61);
    EXPECT_EQ(uilib::FormatDate(st), L"2023-12-31");
    for (const wchar_t *bad :
         {L"2024-02-30", L"2024-13-01", L"24-01-01", L"2024/01/01", L"2024-01-1x", L"", L"2024-00-10"}) {
        SYSTEMTIME keep = st;
        EXPECT_FALSE(uilib::ParseDate(bad, keep)) << uitest::Utf8(bad);
        EXPECT_EQ(uilib::FormatDate(keep), L"2023-12-31");
    }
}

TEST(DateTime, StartsAtTodayAndGetTimeGivesTheDate) {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    TestHost host(kSkin);
    auto *start = host.Find<CDateTimeUI>(L"start");
    ASSERT_NE(start, nullptr);
    const SYSTEMTIME &st = start->GetTime();
    EXPECT_EQ(st.wYear, now.wYear);
    EXPECT_EQ(st.wMonth, now.wMonth);
    EXPECT_EQ(st.wDay, now.wDay);
    wchar_t today[16];
    swprintf(today, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(start->GetText(), today);
    EXPECT_EQ(start->GetInspectText(), today);
    auto *fixed = host.Find<CDateTimeUI>(L"fixed");
    EXPECT_EQ(fixed->GetText(), L"2024-02-29");
    EXPECT_EQ(fixed->GetTime().wDayOfWeek, 4);
}

TEST(DateTime, SetTimeIsSilentAndRefusesImpossibleDates) {
    TestHost host(kSkin);
    auto *start = host.Find<CDateTimeUI>(L"start");
    SYSTEMTIME st = {};
    st.wYear = 2023;
    st.wMonth = 7;
    st.wDay = 9;
    start->SetTime(&st);
    EXPECT_EQ(start->GetText(), L"2023-07-09");
    SYSTEMTIME bad = st;
    bad.wMonth = 2;
    bad.wDay = 30;
    start->SetTime(&bad);
    start->SetTime(nullptr);
    EXPECT_EQ(start->GetText(), L"2023-07-09");
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0);
}

TEST(DateTime, TheCalendarPicksADayAndNavigatesMonths) {
    TestHost host(kSkin);
    auto *fixed = host.Find<CDateTimeUI>(L"fixed");
    host.Click(fixed);
    ASSERT_TRUE(testsupport::WaitFor([] { return Calendar() != nullptr; }, 10000));
    HWND cal = Calendar();
    RECT client;
    ::GetClientRect(cal, &client);
    // Next month, then the 15th of March 2024.
    ::SendMessageW(cal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 20, 24));
    ::SendMessageW(cal, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 20, 24));
    EXPECT_EQ(fixed->GetText(), L"2024-02-29") << "navigating picks nothing";
    const RECT cell = CCalendarUI::DayRectIn(client, 2024, 3, 15);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    ::SendMessageW(cal, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(cal, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(cal, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(fixed->GetText(), L"2024-03-15");
    EXPECT_EQ(fixed->GetTime().wMonth, 3);
    EXPECT_EQ(fixed->GetTime().wDay, 15);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 1);
    EXPECT_TRUE(testsupport::WaitFor([] { return Calendar() == nullptr; }, 10000));
}

TEST(DateTime, KeysInTheCalendarMoveTheDayAndEscapeCloses) {
    TestHost host(kSkin);
    auto *fixed = host.Find<CDateTimeUI>(L"fixed");
    host.Click(fixed);
    ASSERT_TRUE(testsupport::WaitFor([] { return Calendar() != nullptr; }, 10000));
    HWND cal = Calendar();
    ::SendMessageW(cal, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(cal, WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(cal, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(fixed->GetText(), L"2024-03-08");
    ASSERT_TRUE(testsupport::WaitFor([] { return Calendar() == nullptr; }, 10000));
    host.Click(fixed);
    ASSERT_TRUE(testsupport::WaitFor([] { return Calendar() != nullptr; }, 10000));
    ::SendMessageW(Calendar(), WM_KEYDOWN, VK_LEFT, 0);
    ::SendMessageW(Calendar(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(testsupport::WaitFor([] { return Calendar() == nullptr; }, 10000));
    EXPECT_EQ(fixed->GetText(), L"2024-03-08") << "Escape picks nothing";

    // Keys the calendar does not know are dropped: no change, still open.
    host.Click(fixed);
    ASSERT_TRUE(testsupport::WaitFor([] { return Calendar() != nullptr; }, 10000));
    cal = Calendar();
    for (const uitest::StrayKey &k : uitest::kStrayKeys) {
        SCOPED_TRACE(k.name);
        ::SendMessageW(cal, k.msg, k.key, 1);
        ASSERT_TRUE(::IsWindow(cal));
    }
    ::SendMessageW(cal, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(fixed->GetText(), L"2024-03-08");
}
