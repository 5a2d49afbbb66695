// Thumbs on rails. The slider notifies the user's moves only: a playback window sets the value
// every second and would seek on each tick if SetValue notified.
#include <gtest/gtest.h>

#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

TEST(ScrollBar, StepsScrollTheOwnerWithinItsRange) {
    // 20 items of 50 px in a 300 px column: 700 px to scroll; the thumb is 300 * 300 / 1000
    // = 90 px of the rail, so it travels 210 px.
    std::wstring xml = L"<Window><HorizontalLayout><VerticalLayout name=\"col\" width=\"200\" height=\"300\" "
                       L"vscrollbar=\"true\">";
    for (int i = 0; i < 20; ++i) xml += L"<Control height=\"50\"/>";
    TestWindow host(xml + L"</VerticalLayout><Control/></HorizontalLayout></Window>");
    ASSERT_NE(host.Open(400, 400, true), nullptr);
    auto *col = host.Find<CVerticalLayoutUI>(L"col");
    CScrollBarUI *bar = col->GetVerticalScrollBar();
    EXPECT_EQ(col->GetScrollRange().cy, 700);
    const RECT rc = bar->GetPos();
    const int x = (rc.left + rc.right) / 2, t = CScrollBarUI::kDefaultThickness;
    // Each step presses at one point, moves to another and releases there (px from the
    // bar's top; from -1: only a move), from a scroll position when one is given.
    struct Step {
        const char *what;
        int start, from, to, low, high;  // low..high: the scroll position after it
    };
    const Step steps[] = {
        {"rail below the thumb pages down", -1, 297, 297, 200, 300},
        {"rail above the thumb pages up", -1, 2, 2, 0, 0},
        {"thumb dragged 30 px", -1, 5, 35, 100, 100},
        {"thumb dragged back", -1, 35, 5, 0, 0},
        {"thumb dragged past the end", -1, 5, 405, 700, 700},
        {"moving after the release", -1, -1, 5, 700, 700},
        {"arrows shown, line 25: up arrow at the start", 0, t / 2, t / 2, 0, 0},
        {"down arrow", -1, 300 - t / 2, 300 - t / 2, 25, 25},
        {"up arrow", -1, t / 2, t / 2, 0, 0},
        {"down arrow at the end", 690, 300 - t / 2, 300 - t / 2, 700, 700},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        if (s.what[0] == 'a') bar->SetShowButtons(true), bar->SetLineSize(25), host.Layout();
        if (s.start >= 0) col->SetScrollPos({0, s.start});
        if (s.from >= 0) host.Press({x, rc.top + s.from});
        host.Move({x, rc.top + s.to});
        if (s.from >= 0) host.Release({x, rc.top + s.to});
        EXPECT_GE(col->GetScrollPos().cy, s.low);
        EXPECT_LE(col->GetScrollPos().cy, s.high);
        EXPECT_EQ(bar->GetScrollPos(), col->GetScrollPos().cy);
        EXPECT_FALSE(host.Manager().IsCaptured());
    }
    EXPECT_EQ(col->GetItemAt(19)->GetPos().bottom, rc.bottom) << "the content moved up";
    host.Wheel({x, rc.top + 100}, WHEEL_DELTA);  // over the bar: its owner scrolls
    EXPECT_LT(col->GetScrollPos().cy, 700);
    const std::pair<int, int> pages[] = {{100, 0}, {350, 50}, {200, 500}, {600, 700}};  // up, up, down, down
    for (const auto &p : pages) {
        col->SetScrollPos({0, p.first});
        p.second < p.first ? col->PageUp() : col->PageDown();
        EXPECT_EQ(col->GetScrollPos().cy, p.second) << p.first;
    }
    for (int i = 0; i < 15; ++i) col->RemoveAt(0);
    host.Layout();
    EXPECT_EQ(col->GetScrollRange().cy, 0);
    const RECT box = col->GetPos(), first = col->GetItemAt(0)->GetPos();
    EXPECT_TRUE(first.left == box.left && first.top == box.top && first.right == box.right) << first.right;
}

TEST(Slider, OnlyTheUsersMovesNotify) {
    TestWindow host(L"<Window><VerticalLayout inset=\"20,20,20,20\"><Slider name=\"s\" width=\"214\" height=\"20\" "
                    L"min=\"0\" max=\"100\" value=\"0\" thumbsize=\"14,14\"/>"
                    L"<Control/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 200, true), nullptr);
    auto *s = host.Find<CSliderUI>(L"s");
    const int y = TestWindow::Center(s).y;
    auto at = [&](int value) {  // the thumb's centre travels width - thumb
        return POINT{s->GetPos().left + 7 + 200 * value / 100, y};
    };
    struct Step {
        const char *what;
        std::function<void()> act;
        int value, notes;  // the value after it and the "valuechanged" it sent
    };
    const Step steps[] = {
        {"SetValue clamps and is silent", [&] { s->SetValue(250), s->SetValue(-5), s->SetValue(20); }, 20, 0},
        {"grabbing the thumb is no move", [&] { host.Press(at(20)); }, 20, 0},
        {"dragging, a timer tick between", [&] { host.Move(at(45)), s->SetValue(21), host.Move(at(75)); }, 75, 2},
        {"release", [&] { host.Release(at(75)); }, 75, 0},
        {"moving after the release", [&] { host.Send(WM_MOUSEMOVE, 0, at(10)); }, 75, 0},
        {"click on the rail", [&] { host.Click(at(80)); }, 80, 1},
        {"right arrow", [&] { host.Key(VK_RIGHT); }, 81, 1},
        {"end key", [&] { host.Key(VK_END); }, 100, 1},
        {"wheel down", [&] { host.Wheel(at(50), -WHEEL_DELTA); }, 99, 1},
        {"disabled", [&] { s->SetEnabled(false), host.Click(at(10)), host.Key(VK_HOME); }, 99, 0},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        host.notes.clear();
        step.act();
        EXPECT_EQ(s->GetValue(), step.value);
        EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), step.notes);
        for (const uitest::Note &n : host.notes) EXPECT_EQ(n.sender, s);
    }
}
