// The slider: "valuechanged" for the user's moves only (a playback window sets the value
// every second and would seek on each tick if SetValue notified).
#include <gtest/gtest.h>

#include "tests/uilib_controls/TestHost.h"

using uitest::TestHost;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout inset=\"20,20,20,20\">"
    L"<Slider name=\"s\" width=\"214\" height=\"20\" min=\"0\" max=\"100\" value=\"0\" thumbsize=\"14,14\"/>"
    L"<Progress name=\"p\" height=\"8\" value=\"30\"/><Control/>"
    L"</VerticalLayout></Window>";

// x of a value on the slider's rail (the thumb's centre travels width - thumb).
int XOf(CSliderUI *s, int value) {
    const RECT rc = s->GetPos();
    return rc.left + 7 + (rc.right - rc.left - 14) * value / 100;
}

}  // namespace

TEST(Slider, SetValueNeverNotifiesButClampsAndPaintsTheThumb) {
    TestHost host(kSkin);
    auto *s = host.Find<CSliderUI>(L"s");
    ASSERT_NE(s, nullptr);
    for (int v : {10, 55, 100, 250, -5}) s->SetValue(v);
    EXPECT_EQ(s->GetValue(), 0);  // -5 clamps to the minimum
    s->SetValue(50);
    host.Layout();
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0);
    const RECT thumb = s->GetThumbRect();
    EXPECT_NEAR((thumb.left + thumb.right) / 2, XOf(s, 50), 1);
}

TEST(Slider, DraggingTheThumbNotifiesWithTheNewValue) {
    TestHost host(kSkin);
    auto *s = host.Find<CSliderUI>(L"s");
    s->SetValue(20);
    const int y = TestHost::Center(s).y;
    host.Press({XOf(s, 20), y});
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0) << "grabbing the thumb is no move";
    host.Move({XOf(s, 45), y});
    host.Move({XOf(s, 70), y});
    // A timer tick during the drag must not notify either.
    s->SetValue(21);
    host.Move({XOf(s, 75), y});
    host.Release({XOf(s, 75), y});
    EXPECT_EQ(s->GetValue(), 75);
    ASSERT_GE(host.Count(DUI_MSGTYPE_VALUECHANGED), 1);
    const uitest::Note *last = host.Last(DUI_MSGTYPE_VALUECHANGED);
    EXPECT_EQ(last->sender, s);
    // Every notification came from a mouse move, none from SetValue.
    for (const uitest::Note &n : host.notes) {
        if (n.type == DUI_MSGTYPE_VALUECHANGED) {
            EXPECT_EQ(n.sender, s);
        }
    }
    // After release, moving the mouse changes nothing.
    const int before = host.Count(DUI_MSGTYPE_VALUECHANGED);
    ::SendMessageW(host.GetHWND(), WM_MOUSEMOVE, 0, MAKELPARAM(XOf(s, 10), y));
    EXPECT_EQ(s->GetValue(), 75);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), before);
}

TEST(Slider, RailClicksKeysAndWheelAreUserMoves) {
    struct Case {
        const char *what;
        std::function<void(TestHost &, CSliderUI *)> act;
        int expected;
    };
    const Case cases[] = {
        {"click on the rail",
         [](TestHost &h, CSliderUI *s) {
             h.Click({XOf(s, 80), TestHost::Center(s).y});
         },
         80},
        {"right arrow",
         [](TestHost &h, CSliderUI *s) {
             h.Click({XOf(s, 50), TestHost::Center(s).y});
             h.notes.clear();
             h.Key(VK_RIGHT);
         },
         51},
        {"end key",
         [](TestHost &h, CSliderUI *s) {
             h.Click({XOf(s, 50), TestHost::Center(s).y});
             h.notes.clear();
             h.Key(VK_END);
         },
         100},
        {"wheel down", [](TestHost &h, CSliderUI *s) { h.Wheel(TestHost::Center(s), -WHEEL_DELTA); }, 49},
    };
    TestHost host(kSkin);
    auto *s = host.Find<CSliderUI>(L"s");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        host.Manager().SetFocus(nullptr);
        host.notes.clear();
        s->SetValue(50);
        c.act(host, s);
        EXPECT_EQ(s->GetValue(), c.expected);
        EXPECT_GE(host.Count(DUI_MSGTYPE_VALUECHANGED), 1);
    }
}

TEST(Slider, ADisabledSliderIgnoresTheUser) {
    TestHost host(kSkin);
    auto *s = host.Find<CSliderUI>(L"s");
    s->SetValue(50);
    s->SetEnabled(false);
    host.Click({XOf(s, 90), TestHost::Center(s).y});
    EXPECT_EQ(s->GetValue(), 50);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 0);
}

TEST(Progress, ValueIsClampedToItsRangeAndReportedByInspection) {
    TestHost host(kSkin);
    auto *p = host.Find<CProgressUI>(L"p");
    p->SetMaxValue(10);
    EXPECT_EQ(p->GetValue(), 10);
    p->SetValue(-3);
    EXPECT_EQ(p->GetValue(), 0);
    p->SetValue(7);
    int value = -1;
    ASSERT_TRUE(p->GetInspectValue(value));
    EXPECT_EQ(value, 7);
}
