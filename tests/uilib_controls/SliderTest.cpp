// The slider: "valuechanged" for the user's moves only (a playback window sets the value
// every second and would seek on each tick if SetValue notified).
#include <gtest/gtest.h>

#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

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
