// Window behaviour under Wine. Controls removed during a notification's dispatch live until
// it returns and are no longer found; if that fails, a row's delete button crashes the console.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/core/UIStats.h"
#include "uilib/skin/SkinPrefetch.h"

using uitest::TestWindow;

namespace {

// A hidden pop-up is sized and centred when it is first shown (by ShowWindow or by
// SetWindowPos), not before: nobody sees that work. One placed before it is shown keeps
// its place.
TEST(Window, APopupCreatedZeroSizeTakesTheSkinSizeWhenShown) {
    const wchar_t skin[] = L"<Window size=\"300,180\"><VerticalLayout/></Window>";
    TestWindow centred(skin), placed(skin), byPos(skin);
    RECT rc;
    for (TestWindow *wnd : {&centred, &placed, &byPos}) {
        wnd->Create(nullptr, L"", WS_POPUP, 0, 0, 0, 0, 0);
        wnd->CenterWindow();
        ::GetWindowRect(wnd->GetHWND(), &rc);
        EXPECT_TRUE(::IsRectEmpty(&rc));
    }
    ::SetWindowPos(placed.GetHWND(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromWindow(centred.GetHWND(), MONITOR_DEFAULTTONEAREST), &mi);
    const RECT &area = mi.rcWork;
    const POINT middle = {(area.left + area.right) / 2 - 150, (area.top + area.bottom) / 2 - 90};
    const POINT expected[] = {middle, {10, 20}, middle};
    int i = 0;
    for (TestWindow *wnd : {&centred, &placed, &byPos}) {
        if (wnd == &byPos)
            ::SetWindowPos(wnd->GetHWND(), nullptr, 0, 0, 0, 0,
                           SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
            ::ShowWindow(wnd->GetHWND(), SW_SHOWNA);
        ::GetWindowRect(wnd->GetHWND(), &rc);
        EXPECT_EQ(rc.left * 1000 + rc.top, expected[i].x * 1000 + expected[i].y) << i;
        EXPECT_EQ((rc.right - rc.left) * 1000 + rc.bottom - rc.top, 300180) << i;
        ++i;
    }
    // Layout passes after the first (a size change, a dump) are silent.
    centred.Layout();
    ::SetWindowPos(centred.GetHWND(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    centred.Manager().InspectDump();
    EXPECT_EQ(centred.Count(DUI_MSGTYPE_WINDOWINIT) * 10 + centred.initWindowCalls, 11);
}

TEST(Window, ControlTimersWorkInAWindowThatSwallowsWmTimer) {
    struct Swallowing : TestWindow {  // as the playback window does
        using TestWindow::TestWindow;
        LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
            return uMsg == WM_TIMER ? 0 : TestWindow::HandleMessage(uMsg, wParam, lParam);
        }
    } wnd(L"<Window><VerticalLayout name=\"root\"/></Window>", L"UILibTimerWnd");
    struct Probe : CControlUI {
        int ticks = 0;
        void DoEvent(TEventUI &event) override {
            if (event.Type == UIEVENT_TIMER && event.wParam == 42) ++ticks;
        }
    };
    ASSERT_NE(wnd.Open(100, 100), nullptr);
    auto *probe = new Probe;
    static_cast<CContainerUI *>(wnd.Find(L"root"))->Add(probe);
    ASSERT_TRUE(wnd.Manager().SetTimer(probe, 42, 10));
    EXPECT_TRUE(testsupport::WaitFor([&] { return probe->ticks >= 3; }, 5000)) << probe->ticks;
    EXPECT_TRUE(wnd.Manager().KillTimer(probe, 42));
    // A control destroyed with a running timer takes its timer with it.
    ASSERT_TRUE(wnd.Manager().SetTimer(probe, 42, 10));
    static_cast<CContainerUI *>(wnd.Find(L"root"))->Remove(probe);
    testsupport::PumpPending();
    EXPECT_FALSE(wnd.Manager().KillTimer(probe, 42));
}

// What each input step notifies, where the focus is after it, and that no step leaves the
// mouse captured.
TEST(Window, InputStepsNotifyAndMoveTheFocus) {
    TestWindow wnd(L"<Window><VerticalLayout>"
                   L"<Button name=\"b1\" height=\"30\"/><Button name=\"hidden\" height=\"30\" visible=\"false\"/>"
                   L"<Button name=\"off\" height=\"30\" enabled=\"false\"/><Button name=\"b2\" height=\"30\"/>"
                   L"<Edit name=\"edit\" height=\"30\"/><Button name=\"ok\" default=\"true\" height=\"30\"/>"
                   L"<Button name=\"close\" cancel=\"true\" height=\"30\"/>"
                   L"<HorizontalLayout height=\"30\"><Option name=\"o1\" group=\"g\"/><Option name=\"o2\" group=\"g\"/>"
                   L"<Option name=\"x\" group=\"h\" selected=\"true\"/><Option name=\"check\"/></HorizontalLayout>"
                   L"<Button name=\"first\" height=\"30\" tabindex=\"2\"/><Button name=\"never\" height=\"30\" "
                   L"tabindex=\"-1\"/><Button name=\"zero\" height=\"30\" tabindex=\"1\"/><Control/>"
                   L"</VerticalLayout></Window>");
    const HWND hwnd = wnd.Open(200, 400);  // the last 100 px empty
    ASSERT_NE(hwnd, nullptr);
    auto at = [&](const wchar_t *name) { return TestWindow::Center(wnd.Find(name)); };
    const POINT out = {5, 390}, b1 = at(L"b1"), b2 = at(L"b2");
    auto held = [&](WPARAM key) {  // the keyboard's repeats come with bit 30 set
        ::SendMessageW(hwnd, WM_KEYDOWN, key, 1);
        for (int i = 0; i < 3; ++i) ::SendMessageW(hwnd, WM_KEYDOWN, key, 0x40000001);
        ::SendMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
    };
    auto shiftTab = [&] {
        uitest::HeldKeys shift({VK_SHIFT});
        wnd.Key(VK_TAB);
    };
    struct Step {
        const char *what;
        std::function<void()> act;
        std::vector<std::string> notes;  // clicks and selection changes
        const wchar_t *focus;            // null: not checked
    };
    const Step steps[] = {
        {"click", [&] { wnd.Click(L"b1"); }, {"click b1"}, L"b1"},
        {"disabled", [&] { wnd.Click(L"off"); }, {}, nullptr},
        {"released outside", [&] { wnd.Press(b2), wnd.Move(out), wnd.Release(out); }, {}, L"b2"},
        {"moved out and back", [&] { wnd.Press(b1), wnd.Move(out), wnd.Release(b1); }, {"click b1"}, L"b1"},
        {"capture lost", [&] { wnd.Press(b2), wnd.Send(WM_CAPTURECHANGED, 0, {}), wnd.Release(b2); }, {}, L"b2"},
        {"enter in an edit", [&] { wnd.Find(L"edit")->SetFocus(), held(VK_RETURN); }, {"click ok"}, L"edit"},
        {"escape", [&] { held(VK_ESCAPE); }, {"click close"}, L"edit"},
        {"enter on a button", [&] { wnd.Find(L"b2")->SetFocus(), held(VK_RETURN); }, {"click b2"}, L"b2"},
        {"space held", [&] { held(VK_SPACE); }, {"click b2"}, L"b2"},
        {"option", [&] { wnd.Click(L"o1"); }, {"selectchanged o1"}, L"o1"},
        {"other option", [&] { wnd.Click(L"o2"); }, {"selectchanged o2"}, L"o2"},
        {"selected option again", [&] { wnd.Click(L"o2"); }, {}, L"o2"},
        {"right arrow wraps in the group", [&] { wnd.Key(VK_RIGHT); }, {"selectchanged o1"}, L"o1"},
        {"left arrow wraps back", [&] { wnd.Key(VK_LEFT); }, {"selectchanged o2"}, L"o2"},
        {"check box on", [&] { wnd.Click(L"check"); }, {"selectchanged check"}, L"check"},
        {"check box off", [&] { wnd.Click(L"check"); }, {"selectchanged check"}, L"check"},
        // tabindex above 0 first and ascending, then visual order skipping hidden, disabled, -1
        {"tab", [&] { wnd.Key(VK_TAB); }, {}, L"zero"},
        {"tab", [&] { wnd.Key(VK_TAB); }, {}, L"first"},
        {"tab", [&] { wnd.Key(VK_TAB); }, {}, L"b1"},
        {"shift tab", shiftTab, {}, L"first"},
        {"shift tab wraps", [&] { shiftTab(), shiftTab(); }, {}, L"check"},
        {"tab wraps", [&] { wnd.Key(VK_TAB); }, {}, L"zero"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        wnd.notes.clear();
        s.act();
        EXPECT_EQ(wnd.Seen({DUI_MSGTYPE_CLICK, DUI_MSGTYPE_SELECTCHANGED}), s.notes);
        CControlUI *focus = wnd.Manager().GetFocus();
        EXPECT_TRUE(!s.focus || (focus ? focus->GetName() : L"(none)") == s.focus);
        EXPECT_FALSE(wnd.Manager().IsCaptured());
        EXPECT_NE(::GetCapture(), hwnd);
    }
    auto selected = [&](const wchar_t *name) { return static_cast<COptionUI *>(wnd.Find(name))->IsSelected(); };
    EXPECT_TRUE(!selected(L"o1") && selected(L"o2") && !selected(L"check"));
    EXPECT_TRUE(selected(L"x")) << "another group keeps its selection";
}

// A 2 x 2 PNG, red at half alpha.
const char kHalfRedPng[] =
    "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x02\0\0\0\x02\x08\x06\0\0\0\x72\xB6\x0D\x24\0\0\0\x11IDAT\x78\xDA"
    "\x63\xF8\xCF\xC0\xD0\0\xC2\x0C\x30\x06\0\x38\xE8\x05\xFD\x6C\xDC\xAF\xD7\0\0\0\0IEND\xAE\x42\x60\x82";
TEST(Window, PaintingReachesTheWindow) {
    const std::wstring png = uitest::WriteTemp(L"uilib_half.png", {kHalfRedPng, sizeof kHalfRedPng - 1});
    const CDuiString saved = CPaintManagerUI::GetResourcePath();
    CPaintManagerUI::SetResourcePath(png.substr(0, png.rfind(L'\\') + 1).c_str());
    TestWindow wnd(L"<Window><HorizontalLayout bkcolor=\"#FF0000FF\" inset=\"0,10,0,10\">"
                   L"<Control name=\"green\" width=\"40\" bkcolor=\"#FF00FF00\"/>"
                   L"<Button name=\"img\" width=\"40\" normalimage=\"uilib_half.png\"/>"
                   L"<Control width=\"40\" bordersize=\"1\" bordercolor=\"#FFFF0000\"/>"
                   L"<Control width=\"40\" bordersize=\"1\" bordercolor=\"#FFFF0000\" borderround=\"6,6\"/>"
                   L"<Button name=\"b\" width=\"40\"/><Button name=\"c\" width=\"40\"/><Control/>"
                   L"</HorizontalLayout></Window>");
    ASSERT_NE(wnd.Open(300, 60), nullptr);
    EXPECT_EQ(wnd.Pixel({20, 30}), 0x00FF00u);
    EXPECT_EQ(wnd.Pixel({290, 30}), 0x0000FFu);
    const DWORD blended = wnd.Pixel({60, 30});  // half red over blue
    EXPECT_TRUE(abs(static_cast<int>(blended >> 16) - 128) < 12 && abs(static_cast<int>(blended & 0xFF) - 127) < 12)
        << std::hex << blended;
    for (POINT p : {POINT{80, 30}, POINT{119, 30}, POINT{100, 49}, POINT{120, 30}, POINT{140, 49}})
        EXPECT_EQ(wnd.Pixel(p), 0xFF0000u) << p.x << "," << p.y;  // borders square and rounded, y 10..49
    EXPECT_EQ(wnd.Pixel({81, 30}), 0x0000FFu);
    const POINT edge = {160, 30};
    wnd.Click(L"b");
    EXPECT_NE(wnd.Pixel(edge), 0x4877E7u) << "no frame after a click";
    wnd.Key(VK_LEFT);  // keyboard use
    wnd.Manager().SetFocus(wnd.Find(L"b"));
    EXPECT_EQ(wnd.Pixel(edge), 0x4877E7u) << "the focus frame";
    wnd.Manager().SetFocus(wnd.Find(L"c"));
    EXPECT_NE(wnd.Pixel(edge), 0x4877E7u) << "the frame moved on";
    CPaintManagerUI::SetResourcePath(saved.c_str());
}

// Start-up prefetches skins: a skin is built once from that parse, then read again; the
// glyphs go by the fonts that show them.
TEST(Window, PrefetchedSkinsAreTakenOnceAndOnlyRestingImagesDecodedAhead) {
    const std::wstring png = uitest::WriteTemp(L"uilib_rest.png", {kHalfRedPng, sizeof kHalfRedPng - 1});
    uitest::WriteTemp(L"uilib_hot.png", {kHalfRedPng, sizeof kHalfRedPng - 1});
    uitest::WriteTemp(L"uilib_prefetch.xml",
                      "<Window><Font/><Font size=\"14\" bold=\"true\"/><VerticalLayout><Label text=\"qz\"/>"
                      "<Button name=\"old\" text=\"zy\" font=\"1\" normalimage=\"uilib_rest.png\" "
                      "hotimage=\"file='uilib_hot.png'\"/></VerticalLayout></Window>");
    const CDuiString saved = CPaintManagerUI::GetResourcePath();
    CPaintManagerUI::SetResourcePath(png.substr(0, png.rfind(L'\\') + 1).c_str());
    const int decoded = uilib::GetStats().count[uilib::kStatsImageDecode];
    uilib::PrefetchSkins(L"uilib_prefetch.xml", 96);
    EXPECT_EQ(uilib::GetStats().count[uilib::kStatsImageDecode], decoded + 1);
    std::wstring bold, plain;
    for (const uilib::SkinGlyphs &g : uilib::TakeSkinGlyphs())
        (g.font.bold && g.font.size == 14 ? bold : plain) += g.chars;
    EXPECT_TRUE(bold == L"yz" && plain.find(L'q') != std::wstring::npos && plain.find(L'y') == std::wstring::npos);
    uitest::WriteTemp(L"uilib_prefetch.xml", "<Window><Button name=\"new\"/></Window>");
    for (const wchar_t *name : {L"old", L"new"}) {
        CPaintManagerUI manager;
        CDialogBuilder builder;
        manager.AttachDialog(builder.Create(L"uilib_prefetch.xml", nullptr, nullptr, &manager));
        EXPECT_NE(manager.FindControl(name), nullptr) << name;
    }
    CPaintManagerUI::SetResourcePath(saved.c_str());
}

int gAlive = 0;

// Counts live instances; deleted memory is poisoned and never reused, so any later use crashes.
class CountedButton : public CButtonUI {
public:
    CountedButton() { ++gAlive; }
    ~CountedButton() override { --gAlive; }
    static void operator delete(void *p, size_t size) { memset(p, 0xFE, size); }
};

const wchar_t kRowsSkin[] =
    L"<Window><VerticalLayout name=\"rows\">"
    L"<HorizontalLayout name=\"row0\" height=\"30\"><CountedButton name=\"del0\"/></HorizontalLayout>"
    L"<HorizontalLayout name=\"row1\" height=\"30\"><CountedButton name=\"del1\"/></HorizontalLayout>"
    L"<HorizontalLayout name=\"row2\" height=\"30\"><CountedButton name=\"del2\"/></HorizontalLayout>"
    L"<Control/></VerticalLayout></Window>";

CControlUI *CountedFactory(LPCTSTR cls) { return wcscmp(cls, L"CountedButton") == 0 ? new CountedButton : nullptr; }

struct RemovalDuringDispatch : ::testing::Test {
    void SetUp() override {
        gAlive = 0;
        wnd.factory = &CountedFactory;
        ASSERT_NE(wnd.Open(200, 200), nullptr);
        ASSERT_EQ(gAlive, 3);
    }
    CContainerUI *Rows() { return static_cast<CContainerUI *>(wnd.Find(L"rows")); }
    TestWindow wnd{kRowsSkin};
};

TEST_F(RemovalDuringDispatch, TheClickedRowLivesUntilDispatchEnds) {
    int aliveDuring = -1;
    bool foundDuring = true;
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType != DUI_MSGTYPE_CLICK) return;
        Rows()->Remove(msg.pSender->GetParent());
        aliveDuring = gAlive;
        foundDuring = wnd.Find(L"del1") != nullptr || wnd.Find(L"row1") != nullptr;
        EXPECT_EQ(msg.pSender->GetName(), L"del1");  // the sender is still a valid object
    };
    wnd.Click(L"del1");
    EXPECT_EQ(aliveDuring, 3);
    EXPECT_FALSE(foundDuring);
    EXPECT_EQ(gAlive, 2);  // destroyed once the dispatch returned
}

// The press on del1 takes the focus from del0, whose "killfocus" handler removes del1:
// the press must not touch del1 once that handler returns.
TEST_F(RemovalDuringDispatch, AControlRemovedByTheFocusChangeOfItsOwnPressLivesUntilThePressIsHandled) {
    wnd.Manager().SetFocus(wnd.Find(L"del0"));
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType == DUI_MSGTYPE_KILLFOCUS && msg.pSender->GetName() == L"del0") Rows()->Remove(wnd.Find(L"row1"));
    };
    wnd.notes.clear();
    wnd.Click(L"del1");
    EXPECT_EQ(gAlive, 2);
    for (const auto &n : wnd.notes) EXPECT_NE(n.senderName, L"del1") << "no notification from a removed button";
}

TEST_F(RemovalDuringDispatch, ARemovalBetweenPressAndReleaseEndsOnlyThePressOfTheRemoved) {
    for (const wchar_t *row : {L"row2", L"row0"}) {
        const POINT at = TestWindow::Center(wnd.Find(L"del0"));
        wnd.notes.clear();
        wnd.Press(at);
        Rows()->Remove(wnd.Find(row));
        wnd.Release(at);
        EXPECT_EQ(wnd.Seen({DUI_MSGTYPE_CLICK}),
                  row == std::wstring(L"row2") ? std::vector<std::string>{"click del0"} : std::vector<std::string>{});
    }
    EXPECT_EQ(gAlive, 1);
}

// A background leaves out only what an opaque layout inside fills again: not the part of
// it that its parent's content rectangle clips, nor a hidden one, nor a rounded corner.
TEST(Window, BackgroundsSkipOnlyWhatOpaqueLayoutsRepaint) {
    TestWindow wnd(L"<Window><VerticalLayout bkcolor=\"#FF0000FF\" inset=\"10,10,10,10\">"
                   L"<HorizontalLayout height=\"150\" inset=\"0,0,100,0\">"
                   L"<VerticalLayout name=\"cover\" width=\"250\" bkcolor=\"#FF00FF00\"/>"
                   L"</HorizontalLayout><VerticalLayout bkcolor=\"#FF00FF00\" borderround=\"40,40\"/>"
                   L"</VerticalLayout></Window>");
    ASSERT_NE(wnd.Open(300, 400), nullptr);
    EXPECT_EQ(wnd.Pixel({50, 50}), 0x00FF00u);
    EXPECT_EQ(wnd.Pixel({220, 50}), 0x0000FFu) << "clipped by its parent's content";
    EXPECT_EQ(wnd.Pixel({12, 162}), 0x0000FFu) << "outside a rounded corner";
    wnd.Find(L"cover")->SetVisible(false);
    EXPECT_EQ(wnd.Pixel({50, 50}), 0x0000FFu) << "hidden";
}

// A layout after a whole invalidation invalidates nothing more only while the whole window
// still waits for paint. If this fails, a control moved after a paint is not redrawn.
TEST(Window, ALayoutAfterAValidationInvalidatesWhatItMoves) {
    TestWindow wnd(
        L"<Window><HorizontalLayout><Control name=\"a\" width=\"40\"/><Control/></HorizontalLayout></Window>");
    const HWND hwnd = wnd.Open(200, 50, true);
    wnd.Manager().Invalidate();
    wnd.Find(L"a")->SetFixedWidth(60);
    ::ValidateRect(hwnd, nullptr);  // painted meanwhile
    wnd.Manager().FindControl(POINT{0, 0});
    RECT dirty = {};
    EXPECT_TRUE(::GetUpdateRect(hwnd, &dirty, FALSE) && dirty.right == 200) << dirty.right;
}

}  // namespace
