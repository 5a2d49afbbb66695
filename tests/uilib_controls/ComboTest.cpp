// The combo: selection by index (an index naming no entry selects none, as the
// configuration dialog relies on for a repeater mode of -1), notifications, the drop-down.
// Waits on popups allow 10 s: Wine on a bare X server takes about 2 s to take a shown
// window down.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/TestHost.h"
#include "uilib/controls/UICalendar.h"
#include "uilib/controls/UIComboWnd.h"
#include "uilib/controls/UITypeAhead.h"

using uitest::TestHost;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout inset=\"20,20,20,20\">"
    L"<Combo name=\"mode\" width=\"200\" height=\"30\">"
    L"<ListLabelElement text=\"中继\" /><ListLabelElement text=\"直通\" /><ListLabelElement text=\"Mixed\" />"
    L"</Combo><Control/></VerticalLayout></Window>";

HWND DropDown() { return ::FindWindowW(CComboWnd::kClassName, nullptr); }

}  // namespace

TEST(Combo, SelectItemWithAnIndexNamingNoEntryLeavesNoneSelected) {
    struct Case {
        int index;
        int expected;
        const wchar_t *text;
    };
    const Case cases[] = {{1, 1, L"直通"}, {-1, -1, L""},   {3, -1, L""},
                          {99, -1, L""},   {0, 0, L"中继"}, {2, 2, L"Mixed"}};
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), -1) << "no entry is selected before one is chosen";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        combo->SelectItem(c.index, false);
        EXPECT_EQ(combo->GetCurSel(), c.expected);
        EXPECT_EQ(combo->GetText(), CDuiString(c.text));
        int value = -2;
        ASSERT_TRUE(combo->GetInspectValue(value));
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(combo->GetInspectText(), CDuiString(c.text));
        for (int i = 0; i < combo->GetCount(); ++i)
            EXPECT_EQ(combo->GetItemAt(i)->GetInspectSelected(), i == c.expected ? 1 : 0);
    }
}

TEST(Combo, ItemSelectIsSentOnChangesOnlyAndFocusIsTakenOnlyWhenAsked) {
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    combo->SelectItem(1, false);
    combo->SelectItem(1, false);
    combo->SelectItem(-1, false);
    combo->SelectItem(-1, false);
    std::vector<uitest::Note> selects;
    for (const uitest::Note &n : host.notes) {
        if (n.type == DUI_MSGTYPE_ITEMSELECT) selects.push_back(n);
    }
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(selects[0].wParam, 1u);
    EXPECT_EQ(static_cast<int>(selects[1].wParam), -1);
    EXPECT_EQ(static_cast<int>(selects[1].lParam), 1);
    EXPECT_NE(host.Manager().GetFocus(), combo);
    combo->SelectItem(0, true);
    EXPECT_EQ(host.Manager().GetFocus(), combo);
}

TEST(Combo, ADropDownListsTheEntriesAndAClickPicksOne) {
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    combo->SelectItem(0, false);
    host.notes.clear();
    host.Click(combo);
    ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() != nullptr; }, 10000));
    HWND drop = DropDown();
    EXPECT_TRUE(combo->IsDropped());
    EXPECT_TRUE(::GetWindowLongW(drop, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongW(drop, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT dropRect, comboRect = combo->GetPos();
    ::GetWindowRect(drop, &dropRect);
    POINT below = {comboRect.left, comboRect.bottom};
    ::ClientToScreen(host.GetHWND(), &below);
    EXPECT_NEAR(dropRect.top, below.y, 4) << "the list opens under the combo";
    // Rows are 30 px under a 1 px border: the third entry's middle.
    ::SendMessageW(drop, WM_MOUSEMOVE, 0, MAKELPARAM(40, 1 + 60 + 15));
    ::SendMessageW(drop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 1 + 60 + 15));
    ::SendMessageW(drop, WM_LBUTTONUP, 0, MAKELPARAM(40, 1 + 60 + 15));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), L"Mixed");
    EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT), 1);
    EXPECT_TRUE(testsupport::WaitFor([] { return DropDown() == nullptr; }, 10000)) << "picking closes the list";
    EXPECT_FALSE(combo->IsDropped());
}

TEST(Combo, EscapeRestoresAndArrowKeysAndWheelMoveTheSelection) {
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    combo->SelectItem(0, false);
    host.Click(combo);
    ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() != nullptr; }, 10000));
    HWND drop = DropDown();
    ::SendMessageW(drop, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->GetCurSel(), 1) << "the highlight selects as it moves";
    ::SendMessageW(drop, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(combo->GetCurSel(), 0) << "Escape puts the selection back";
    ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() == nullptr; }, 10000));
    // Closed: keys and wheel step through the entries, staying inside them.
    host.Manager().SetFocus(combo);
    host.Key(VK_DOWN);
    host.Key(VK_DOWN);
    host.Key(VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 2);
    host.Wheel(TestHost::Center(combo), WHEEL_DELTA);
    EXPECT_EQ(combo->GetCurSel(), 1);
}

// If this fails, a key on the open list can end the program (the list once handed keys
// it did not know back to its window, which handed them back to the list).
TEST(Combo, EveryKeyOnTheOpenListIsHandledOrDropped) {
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    combo->SelectItem(1, false);
    host.Click(combo);
    ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() != nullptr; }, 10000));
    HWND drop = DropDown();
    for (const uitest::StrayKey &k : uitest::kStrayKeys) {
        SCOPED_TRACE(k.name);
        ::SendMessageW(drop, k.msg, k.key, 1);
        ASSERT_TRUE(::IsWindow(drop));
        EXPECT_EQ(combo->GetCurSel(), 1);
    }
    struct Case {
        UINT msg;
        WPARAM key;
        int expected;
    };
    // Arrows, Home/End and type-ahead move; Enter picks and closes.
    const Case cases[] = {{WM_KEYDOWN, VK_RIGHT, 2}, {WM_KEYDOWN, VK_LEFT, 1},  {WM_KEYDOWN, VK_END, 2},
                          {WM_KEYDOWN, VK_HOME, 0},  {WM_CHAR, L'm', 2},        {WM_KEYDOWN, VK_UP, 1},
                          {WM_CHAR, L'中', 0},       {WM_KEYDOWN, VK_RETURN, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        ::SendMessageW(drop, c.msg, c.key, 1);
        EXPECT_EQ(combo->GetCurSel(), c.expected);
    }
    EXPECT_TRUE(testsupport::WaitFor([] { return DropDown() == nullptr; }, 10000)) << "Enter closes the list";
    EXPECT_EQ(host.Manager().GetFocus(), combo);
}

// If this fails, typing in an open list jumps to the wrong entry.
TEST(Combo, TypeAheadFindsEntriesByTheirFirstLetters) {
    const std::vector<CDuiString> texts = {L"Alpha", L"beta", L"Bravo", L"", L"Charlie", L"bx", L"中继"};
    struct Step {
        wchar_t ch;
        DWORD time;
        int expected;
    };
    struct Case {
        const char *name;
        int current;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a first letter, any case", -1, {{L'b', 100, 1}}},
        {"the same letter steps on and wraps", 1, {{L'b', 100, 2}, {L'b', 200, 5}, {L'b', 300, 1}}},
        {"letters in quick succession narrow", 0, {{L'b', 100, 1}, {L'r', 200, 2}}},
        {"a pause starts again", 2, {{L'b', 100, 5}, {L'r', 100 + 1001, -1}, {L'a', 2200, 0}}},
        {"no match selects nothing", 0, {{L'z', 100, -1}, {L'q', 200, -1}}},
        {"other scripts", 0, {{L'中', 100, 6}}},
        {"control characters and a leading space are no text", 0, {{L'\r', 100, -1}, {L' ', 200, -1}}},
        {"empty entries never match", 3, {{L'c', 100, 4}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        uilib::TypeAhead typeAhead;
        int current = c.current;
        for (const Step &step : c.steps) {
            const int match = typeAhead.Type(step.ch, step.time, current, texts);
            EXPECT_EQ(match, step.expected) << "after " << static_cast<int>(step.ch);
            if (match >= 0) current = match;
        }
    }
}

// A handler of the drop-down's own pick ("itemselect", "valuechanged") removes or disables
// the control: the drop-down, still handling the click or key, is destroyed only when
// that returns. Disabling from elsewhere closes it too. If this fails, the drop-down's
// paint manager and rows are freed while in use.
TEST(DropDown, OutlivesAHandlerThatRemovesOrDisablesItsControl) {
    const wchar_t skin[] = L"<Window><VerticalLayout name=\"box\" inset=\"20,20,20,20\" childpadding=\"8\">"
                           L"<Combo name=\"mode\" width=\"200\" height=\"30\">"
                           L"<ListLabelElement text=\"A\" /><ListLabelElement text=\"B\" /></Combo>"
                           L"<DateTime name=\"day\" width=\"160\" height=\"30\" value=\"2024-02-29\"/>"
                           L"<Control/></VerticalLayout></Window>";
    enum Action { kRemove, kDisable, kDisableLater };
    struct Case {
        const char *name;
        const wchar_t *control;
        const wchar_t *classOfDrop;
        Action action;
    };
    const Case cases[] = {
        {"combo removed", L"mode", CComboWnd::kClassName, kRemove},
        {"combo disabled", L"mode", CComboWnd::kClassName, kDisable},
        {"combo disabled while open", L"mode", CComboWnd::kClassName, kDisableLater},
        {"date removed", L"day", CCalendarWnd::kClassName, kRemove},
        {"date disabled", L"day", CCalendarWnd::kClassName, kDisable},
        {"date disabled while open", L"day", CCalendarWnd::kClassName, kDisableLater},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host(skin);
        CControlUI *control = host.Find<CControlUI>(c.control);
        auto dropOpen = [&] { return ::FindWindowW(c.classOfDrop, nullptr) != nullptr; };
        host.Click(control);
        ASSERT_TRUE(testsupport::WaitFor(dropOpen, 10000));
        HWND drop = ::FindWindowW(c.classOfDrop, nullptr);
        int handled = 0;
        host.onNotify = [&](TNotifyUI &msg) {
            if (msg.pSender != control ||
                (msg.sType != DUI_MSGTYPE_ITEMSELECT && msg.sType != DUI_MSGTYPE_VALUECHANGED))
                return;
            ++handled;
            EXPECT_TRUE(::IsWindow(drop)) << "the drop-down lives while it handles its pick";
            if (c.action == kRemove)
                host.Find<CContainerUI>(L"box")->Remove(control);
            else
                control->SetEnabled(false);
            EXPECT_TRUE(::IsWindow(drop)) << "the drop-down lives while it handles its pick";
        };
        if (c.action == kDisableLater) {
            control->SetEnabled(false);
        } else {
            // A pick: a click on the second entry (rows of 30 px under a 1 px border), or
            // the next day and Enter.
            if (c.classOfDrop == CComboWnd::kClassName) {
                const LPARAM at = MAKELPARAM(40, 1 + 30 + 15);
                ::SendMessageW(drop, WM_LBUTTONDOWN, MK_LBUTTON, at);
                ::SendMessageW(drop, WM_LBUTTONUP, 0, at);
            } else {
                ::SendMessageW(drop, WM_KEYDOWN, VK_RIGHT, 0);
                ::SendMessageW(drop, WM_KEYDOWN, VK_RETURN, 0);
            }
            EXPECT_EQ(handled, 1);
        }
        EXPECT_TRUE(testsupport::WaitFor([&] { return !dropOpen(); }, 10000));
        if (c.action == kRemove) continue;
        // Enabled again, the control opens a new drop-down.
        control->SetEnabled(true);
        host.onNotify = nullptr;
        host.Click(control);
        EXPECT_TRUE(testsupport::WaitFor(dropOpen, 10000));
    }
}

TEST(Combo, LosingTheFocusClosesTheDropDown) {
    TestHost host(kSkin);
    auto *combo = host.Find<CComboUI>(L"mode");
    host.Click(combo);
    ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() != nullptr; }, 10000));
    ::SetFocus(host.GetHWND());
    EXPECT_TRUE(testsupport::WaitFor([] { return DropDown() == nullptr; }, 10000));
    EXPECT_FALSE(combo->IsDropped());
}

TEST(Combo, DestroyingTheWindowWithTheListOpenIsSafe) {
    {
        TestHost host(kSkin);
        host.Click(host.Find<CComboUI>(L"mode"));
        ASSERT_TRUE(testsupport::WaitFor([] { return DropDown() != nullptr; }, 10000));
    }
    testsupport::PumpPending();
    EXPECT_EQ(DropDown(), nullptr);
}
