// The combo and the date field and their drop-downs (waits of 10 s: Wine takes seconds to unmap one).
#include <gtest/gtest.h>

#include "tests/support/AccWalk.h"
#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/controls/UICalendar.h"
#include "uilib/controls/UIComboWnd.h"
#include "uilib/controls/UITypeAhead.h"

using uitest::TestWindow;

namespace {

HWND DropDown(const wchar_t *cls = CComboWnd::kClassName) { return ::FindWindowW(cls, nullptr); }
bool Opens(const wchar_t *cls = CComboWnd::kClassName, bool open = true) {
    return testsupport::WaitFor([=] { return (DropDown(cls) != nullptr) == open; }, 10000);
}
bool Closes(const wchar_t *cls = CComboWnd::kClassName) { return Opens(cls, false); }
const wchar_t *const kCalendar = CCalendarWnd::kClassName;
// Key messages that no open drop-down acts on.
const std::pair<UINT, WPARAM> kStrayKeys[] = {{WM_KEYDOWN, 'A'},       {WM_KEYUP, 'A'},          {WM_KEYDOWN, VK_SHIFT},
                                              {WM_KEYDOWN, VK_DELETE}, {WM_CHAR, L'\b'},         {WM_KEYDOWN, VK_F1},
                                              {WM_CHAR, L'z'},         {WM_SYSKEYDOWN, VK_SHIFT}};
void SendStrayKeys(HWND drop) {
    for (const auto &k : kStrayKeys) {
        ::SendMessageW(drop, k.first, k.second, 1);
        ASSERT_TRUE(::IsWindow(drop)) << k.first << " " << k.second;
    }
}
void ClickIn(HWND drop, int x, int y) {
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) ::SendMessageW(drop, m, 0, MAKELPARAM(x, y));
}

struct Combo : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(host.Open(400, 300, true), nullptr);
        combo = host.Find<CComboUI>(L"mode");
    }
    TestWindow host{L"<Window><VerticalLayout inset=\"20,20,20,20\"><Combo name=\"mode\" width=\"200\" height=\"30\">"
                    L"<ListLabelElement text=\"中继\"/><ListLabelElement text=\"直通\"/><ListLabelElement "
                    L"text=\"Mixed\"/></Combo><Control/></VerticalLayout></Window>"};
    CComboUI *combo = nullptr;
};

}  // namespace

TEST_F(Combo, SelectItemWithAnIndexNamingNoEntryLeavesNoneSelected) {
    EXPECT_EQ(combo->GetCurSel(), -1);
    const std::pair<int, const wchar_t *> cases[] = {{1, L"直通"}, {-1, L""}, {2, L"Mixed"}, {3, L""}};
    for (const auto &c : cases) {
        combo->SelectItem(c.first, false);
        const int expected = c.first < 3 ? c.first : -1;
        EXPECT_EQ(combo->GetCurSel(), expected) << c.first;
        EXPECT_EQ(combo->GetText(), CDuiString(c.second)) << c.first;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(combo->GetItemAt(i)->GetInspectSelected(), i == expected) << c.first;
    }
    combo->SelectItem(1, false);
    combo->AddAt(new CListLabelElementUI, 0);
    EXPECT_EQ(combo->GetCurSel(), 2);
    combo->RemoveAt(0);
    EXPECT_EQ(combo->GetCurSel(), 1);
    combo->RemoveAt(1);
    EXPECT_EQ(combo->GetCurSel(), -1);
    host.notes.clear();
    for (int i : {1, 1, -1, -1}) combo->SelectItem(i, false);
    ASSERT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT), 2) << "sent on changes only";
    EXPECT_EQ(host.Last(DUI_MSGTYPE_ITEMSELECT)->wParam * 10 + host.Last(DUI_MSGTYPE_ITEMSELECT)->lParam, -9);
    EXPECT_NE(host.Manager().GetFocus(), combo);
    combo->SelectItem(0, true);
    EXPECT_EQ(host.Manager().GetFocus(), combo) << "focus only when asked";
}

TEST_F(Combo, TheDropDownListsTheEntriesAndAClickPicksOne) {
    combo->SelectItem(0, false);
    host.notes.clear();
    host.Click(combo);
    ASSERT_TRUE(Opens());
    const HWND drop = DropDown();
    RECT dropRect;
    ::GetWindowRect(drop, &dropRect);
    POINT below = {combo->GetPos().left, combo->GetPos().bottom};
    ::ClientToScreen(host.GetHWND(), &below);
    EXPECT_NEAR(dropRect.top, below.y, 4) << "the list opens under the combo";
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<acc::Node> nodes;
    ASSERT_TRUE(acc::Walk(drop, &nodes));
    std::wstring rows;
    for (const acc::Node &n : nodes) rows += n.role == ROLE_SYSTEM_LISTITEM ? n.name + L"|" : L"";
    EXPECT_EQ(rows, L"中继|直通|Mixed|") << "the rows show the entries";
    ::CoUninitialize();
    ClickIn(drop, 40, 1 + 60 + 15);  // rows of 30 px under a 1 px border: the third
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), L"Mixed");
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_ITEMSELECT}), std::vector<std::string>{"itemselect mode"});
    EXPECT_TRUE(Closes()) << "picking closes the list";
}

// At 150 % the one-pixel border rounds up: the list must still fit without a scroll bar.
TEST_F(Combo, TheDropDownFitsItsRowsAtEveryScale) {
    for (int dpi : {96, 144, 192}) {
        host.Manager().SetDPI(dpi);
        host.Click(combo);
        ASSERT_TRUE(Opens()) << dpi;
        const HWND drop = DropDown();
        ::UpdateWindow(drop);
        RECT rc;
        ::GetClientRect(drop, &rc);
        HDC dc = ::GetDC(drop);
        const int y = rc.bottom / 2;
        EXPECT_EQ(::GetPixel(dc, rc.right - 4, y), ::GetPixel(dc, rc.right - 30, y)) << "a scroll bar at " << dpi;
        ::ReleaseDC(drop, dc);
        ::SendMessageW(drop, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(Closes()) << dpi;
    }
    host.Manager().SetDPI(96);
}

// If this fails, a key on the open list can end the program (the list once handed keys
// it did not know back to its window, which handed them back to the list).
TEST_F(Combo, KeysMoveTheSelectionOpenOrClosedAndOthersAreDropped) {
    combo->SelectItem(1, false);
    host.Click(combo);
    ASSERT_TRUE(Opens());
    const HWND drop = DropDown();
    SendStrayKeys(drop);
    EXPECT_EQ(combo->GetCurSel(), 1);
    // Arrows, Home/End and type-ahead move and select at once; Enter picks and closes.
    const std::pair<WPARAM, int> keys[] = {{VK_RIGHT, 2}, {VK_HOME, 0}, {L'm', 2}, {VK_UP, 1}, {VK_RETURN, 1}};
    for (const auto &k : keys) {
        ::SendMessageW(drop, k.first == L'm' ? WM_CHAR : WM_KEYDOWN, k.first, 1);
        EXPECT_EQ(combo->GetCurSel(), k.second) << k.first;
    }
    EXPECT_TRUE(Closes()) << "Enter closes the list";
    EXPECT_EQ(host.Manager().GetFocus(), combo);
    host.Click(combo);
    ASSERT_TRUE(Opens());
    ::SendMessageW(DropDown(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->GetCurSel(), 2);
    ::SendMessageW(DropDown(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(combo->GetCurSel(), 1) << "Escape puts the selection back";
    ASSERT_TRUE(Closes());
    // Closed: keys, wheel and type-ahead step through the entries, staying inside them.
    host.Manager().SetFocus(combo);
    for (WPARAM key : {VK_DOWN, VK_DOWN}) host.Key(key);
    EXPECT_EQ(combo->GetCurSel(), 2);
    host.Wheel(TestWindow::Center(combo), WHEEL_DELTA);
    EXPECT_EQ(combo->GetCurSel(), 1);
    host.Type(L"m");
    EXPECT_EQ(combo->GetCurSel(), 2);
}

TEST(TypeAhead, FindsEntriesByTheirFirstLetters) {
    const std::vector<CDuiString> texts = {L"Alpha", L"beta", L"Bravo", L"", L"Charlie", L"bx", L"中继"};
    struct Step {
        wchar_t ch;
        DWORD time;
        int expected;
    };
    const std::pair<int, std::vector<Step>> cases[] = {
        {1, {{L'b', 100, 2}, {L'b', 200, 5}, {L'b', 300, 1}}},      // the same letter steps on and wraps
        {2, {{L'b', 100, 5}, {L'r', 200, 2}, {L'a', 1201, 0}}},     // quick letters narrow, a pause starts again
        {0, {{L'\r', 100, -1}, {L' ', 200, -1}, {L'中', 300, 6}}},  // control characters and a space are no text
    };
    for (const auto &c : cases) {
        uilib::TypeAhead typeAhead;
        int current = c.first;
        for (const Step &step : c.second) {
            const int match = typeAhead.Type(step.ch, step.time, current, texts);
            EXPECT_EQ(match, step.expected) << "case " << &c - cases << " after " << static_cast<int>(step.ch);
            if (match >= 0) current = match;
        }
    }
}

TEST(DateTime, TodayByDefaultSetTimeSilentTheCalendarPicksAndArrowsStep) {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    TestWindow host(L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"8\"><DateTime name=\"start\" "
                    L"width=\"160\" height=\"30\"/><DateTime name=\"fixed\" width=\"160\" height=\"30\" "
                    L"value=\"2024-02-29\"/><Control/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 300, true), nullptr);
    auto *start = host.Find<CDateTimeUI>(L"start");
    EXPECT_EQ(start->GetTime().wYear * 10000 + start->GetTime().wMonth * 100 + start->GetTime().wDay,
              now.wYear * 10000 + now.wMonth * 100 + now.wDay);
    SYSTEMTIME st = {2023, 7, 0, 9, 0, 0, 0, 0};
    start->SetTime(&st);
    st.wMonth = 2, st.wDay = 30;
    start->SetTime(&st);
    start->SetTime(nullptr);
    EXPECT_EQ(start->GetText(), L"2023-07-09") << "an impossible date is refused";
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0);

    auto *fixed = host.Find<CDateTimeUI>(L"fixed");
    host.Click(fixed);
    ASSERT_TRUE(Opens(kCalendar));
    RECT client;
    ::GetClientRect(DropDown(kCalendar), &client);
    ClickIn(DropDown(kCalendar), client.right - 20, 24);  // next month, then the 15th of March 2024
    EXPECT_EQ(fixed->GetText(), L"2024-02-29") << "navigating picks nothing";
    const RECT rc = CCalendarUI::DayRectIn(client, 2024, 3, 15);
    ClickIn(DropDown(kCalendar), (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_EQ(fixed->GetTime().wMonth * 100 + fixed->GetTime().wDay + fixed->GetTime().wDayOfWeek * 10000, 50315);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 1);
    EXPECT_TRUE(Closes(kCalendar));

    // Keys: arrows move the day, Enter picks, Escape picks nothing, other keys are dropped.
    host.Click(fixed);
    ASSERT_TRUE(Opens(kCalendar));
    for (WPARAM key : {VK_RIGHT, VK_DOWN, VK_RETURN}) ::SendMessageW(DropDown(kCalendar), WM_KEYDOWN, key, 0);
    EXPECT_EQ(fixed->GetText(), L"2024-03-23");
    ASSERT_TRUE(Closes(kCalendar));
    host.Click(fixed);
    ASSERT_TRUE(Opens(kCalendar));
    SendStrayKeys(DropDown(kCalendar));
    for (WPARAM key : {VK_LEFT, VK_ESCAPE}) ::SendMessageW(DropDown(kCalendar), WM_KEYDOWN, key, 0);
    EXPECT_TRUE(Closes(kCalendar));
    EXPECT_EQ(fixed->GetText(), L"2024-03-23") << "Escape picks nothing";

    // Closed: Left and Right choose year, month or day, Up and Down change it.
    st = {2024, 1, 0, 31, 0, 0, 0, 0};
    start->SetTime(&st);
    start->SetFocus();
    host.notes.clear();
    const std::pair<UINT, const wchar_t *> steps[] = {
        {VK_LEFT, L"2024-01-31"},  {VK_UP, L"2024-02-29"},                               // month, the day clamped
        {VK_LEFT, L"2024-02-29"},  {VK_DOWN, L"2023-02-28"}, {VK_RIGHT, L"2023-02-28"},  // year
        {VK_RIGHT, L"2023-02-28"}, {VK_UP, L"2023-02-01"},                               // day, wrapping
    };
    for (const auto &step : steps) {
        host.Key(step.first);
        EXPECT_EQ(start->GetText(), step.second) << step.first;
    }
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 3);
}

// The drop-down is destroyed only when the click or key returns; disabling from elsewhere
// closes it too. If this fails, the drop-down's paint manager and rows are freed while in use.
TEST(DropDown, OutlivesAHandlerThatRemovesOrDisablesItsControl) {
    enum Action { kRemove, kDisable, kDisableLater };
    for (const wchar_t *name : {L"mode", L"day"}) {
        for (Action action : {kRemove, kDisable, kDisableLater}) {
            SCOPED_TRACE(testing::Message() << name << " " << action);
            TestWindow host(L"<Window><VerticalLayout name=\"box\" inset=\"20,20,20,20\" childpadding=\"8\">"
                            L"<Combo name=\"mode\" width=\"200\" height=\"30\"><ListLabelElement text=\"A\"/>"
                            L"<ListLabelElement text=\"B\"/></Combo><DateTime name=\"day\" width=\"160\" height=\"30\" "
                            L"value=\"2024-02-29\"/><Control/></VerticalLayout></Window>");
            ASSERT_NE(host.Open(400, 300, true), nullptr);
            const bool combo = name == std::wstring(L"mode");
            const wchar_t *cls = combo ? CComboWnd::kClassName : kCalendar;
            CControlUI *control = host.Find(name);
            host.Click(control);
            ASSERT_TRUE(Opens(cls));
            const HWND drop = DropDown(cls);
            int handled = 0;
            host.onNotify = [&](TNotifyUI &msg) {
                const bool pick = msg.sType == DUI_MSGTYPE_ITEMSELECT || msg.sType == DUI_MSGTYPE_VALUECHANGED;
                if (msg.pSender != control || !pick) return;
                ++handled;
                action == kRemove ? (void)host.Find<CContainerUI>(L"box")->Remove(control) : control->SetEnabled(false);
                EXPECT_TRUE(::IsWindow(drop)) << "the drop-down lives while it handles its pick";
            };
            if (action == kDisableLater) {
                control->SetEnabled(false);
            } else if (combo) {
                ClickIn(drop, 40, 1 + 30 + 15);  // the second entry
            } else {
                for (WPARAM key : {VK_RIGHT, VK_RETURN}) ::SendMessageW(drop, WM_KEYDOWN, key, 0);
            }
            EXPECT_EQ(handled, action == kDisableLater ? 0 : 1);
            EXPECT_TRUE(Closes(cls));
            if (action == kRemove) continue;
            control->SetEnabled(true);  // enabled again, the control opens a new drop-down
            host.onNotify = nullptr;
            host.Click(control);
            EXPECT_TRUE(Opens(cls));
        }
    }
}
