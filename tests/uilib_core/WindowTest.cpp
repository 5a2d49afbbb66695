// Window behaviour under Wine: the message loop's exit, class sharing, the caption rule,
// pop-up sizing from the skin, control timers in a window that swallows WM_TIMER, the
// harmless uninitialised manager, mouse and keyboard input, and double-buffered painting.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/StderrCapture.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/UIlib.h"

using uitest::TestWindow;

namespace {

TEST(MessageLoop, ReturnsOnQuitAfterDispatchingWhatCameBefore) {
    TestWindow wnd(L"<Window><VerticalLayout/></Window>");
    ASSERT_NE(wnd.Open(100, 100), nullptr);
    static std::atomic<int> delivered{0};
    delivered = 0;
    struct Counter : IMessageFilterUI {
        LRESULT MessageHandler(UINT uMsg, WPARAM, LPARAM, bool &) override {
            if (uMsg == WM_APP + 7) ++delivered;
            return 0;
        }
    } counter;
    wnd.Manager().AddMessageFilter(&counter);
    ::PostMessageW(wnd.GetHWND(), WM_APP + 7, 0, 0);
    ::PostQuitMessage(3);
    // A watchdog ends a loop that failed to return, so the failure shows instead of a hang.
    DWORD threadId = ::GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 500 && !done; ++i) ::Sleep(10);
        if (!done) {
            rescued = true;
            ::PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        }
    });
    CPaintManagerUI::MessageLoop();
    done = true;
    watchdog.join();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(delivered, 1);
    wnd.Manager().RemoveMessageFilter(&counter);
}

TEST(WindowClass, TwoWindowTypesShareOneClassName) {
    TestWindow a(L"<Window><Label name=\"a\"/></Window>", L"UILibSharedClass");
    TestWindow b(L"<Window><Label name=\"b\"/></Window>", L"UILibSharedClass");
    ASSERT_NE(a.Open(50, 50), nullptr);
    ASSERT_NE(b.Open(50, 50), nullptr);
    EXPECT_NE(a.Find(L"a"), nullptr);
    EXPECT_NE(b.Find(L"b"), nullptr);
    EXPECT_EQ(b.Find(L"a"), nullptr);
}

TEST(Caption, DragBandExemptsButtonsOptionsAndText) {
    TestWindow wnd(L"<Window size=\"400,200\" caption=\"10,0,10,40\"><VerticalLayout bkcolor=\"#FFEEEEEE\">"
                   L"<HorizontalLayout height=\"40\"><Button name=\"b\" width=\"50\"/><Option name=\"o\" width=\"50\"/>"
                   L"<Text name=\"t\" width=\"50\" text=\"x\"/><Label name=\"l\" width=\"50\"/><Control name=\"bg\"/>"
                   L"</HorizontalLayout><Control name=\"body\"/></VerticalLayout></Window>");
    HWND hwnd = wnd.Open(400, 200);
    ASSERT_NE(hwnd, nullptr);
    struct {
        int x, y;
        LRESULT expect;
    } cases[] = {
        {25, 20, HTCLIENT},                         // Button
        {75, 20, HTCLIENT},                         // Option
        {125, 20, HTCLIENT},                        // Text
        {175, 20, HTCAPTION},                       // Label
        {300, 20, HTCAPTION},                       // background
        {5, 20, HTCLIENT},                          // left inset of the band
        {395, 20, HTCLIENT},                        // right inset of the band
        {300, 39, HTCAPTION}, {300, 40, HTCLIENT},  // below the band
        {300, 150, HTCLIENT},
    };
    for (const auto &c : cases) {
        POINT pt = {c.x, c.y};
        ::ClientToScreen(hwnd, &pt);
        LRESULT r = ::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        EXPECT_EQ(r, c.expect) << "at " << c.x << "," << c.y;
    }
}

TEST(Popup, CreatedZeroSizeTakesTheSkinSize) {
    TestWindow wnd(L"<Window size=\"300,180\" roundcorner=\"6,6\"><VerticalLayout/></Window>");
    HWND hwnd = wnd.CreatePopupZeroSize();
    ASSERT_NE(hwnd, nullptr);
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 180);
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_EQ(wnd.initWindowCalls, 1);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(hwnd, rgn), ERROR);  // rounded by OnSize
    ::DeleteObject(rgn);
}

// A window whose own dispatch swallows every WM_TIMER, as the playback window does.
class TimerSwallowingWindow : public TestWindow {
public:
    using TestWindow::TestWindow;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_TIMER) return 0;
        return TestWindow::HandleMessage(uMsg, wParam, lParam);
    }
};

class TimerProbe : public CControlUI {
public:
    int ticks = 0;
    void DoEvent(TEventUI &event) override {
        if (event.Type == UIEVENT_TIMER && event.wParam == 42)
            ++ticks;
        else
            CControlUI::DoEvent(event);
    }
};

// A maximised window fills the work area of its own monitor, wherever the taskbar is and
// whichever monitor it is. If this fails, maximised windows hang over the taskbar or past
// the screen's edge.
TEST(Maximise, PlacementIsTheWorkAreaOfTheMonitorRelativeToIt) {
    struct Case {
        const char *label;
        RECT monitor, work;
        POINT position, size;
    };
    const Case cases[] = {
        {"taskbar at the bottom", {0, 0, 1280, 900}, {0, 0, 1280, 860}, {0, 0}, {1280, 860}},
        {"taskbar on the left", {0, 0, 1280, 900}, {60, 0, 1280, 900}, {60, 0}, {1220, 900}},
        {"taskbar at the top", {0, 0, 1280, 900}, {0, 40, 1280, 900}, {0, 40}, {1280, 860}},
        {"second monitor on the right, taskbar left",
         {1280, 0, 3200, 1080},
         {1340, 0, 3200, 1080},
         {60, 0},
         {1860, 1080}},
        {"monitor left of the primary", {-1920, -100, 0, 980}, {-1920, -100, 0, 940}, {0, 0}, {1920, 1040}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        info.rcMonitor = c.monitor;
        info.rcWork = c.work;
        POINT position = {-1, -1}, size = {-1, -1};
        MaximisedPlacement(info, position, size);
        EXPECT_EQ(position.x, c.position.x);
        EXPECT_EQ(position.y, c.position.y);
        EXPECT_EQ(size.x, c.size.x);
        EXPECT_EQ(size.y, c.size.y);
    }
}

TEST(Timers, ControlTimersWorkInAWindowThatSwallowsWmTimer) {
    TimerSwallowingWindow wnd(L"<Window><VerticalLayout name=\"root\"/></Window>", L"UILibTimerWnd");
    ASSERT_NE(wnd.Open(100, 100), nullptr);
    auto *probe = new TimerProbe;
    static_cast<CContainerUI *>(wnd.Find(L"root"))->Add(probe);
    ASSERT_TRUE(wnd.Manager().SetTimer(probe, 42, 10));
    EXPECT_TRUE(testsupport::WaitFor([&] { return probe->ticks >= 3; }, 5000)) << probe->ticks;
    EXPECT_TRUE(wnd.Manager().KillTimer(probe, 42));
    EXPECT_FALSE(wnd.Manager().KillTimer(probe, 42));
    // A control destroyed with a running timer takes its timer with it.
    ASSERT_TRUE(wnd.Manager().SetTimer(probe, 42, 10));
    static_cast<CContainerUI *>(wnd.Find(L"root"))->Remove(probe);
    testsupport::PumpPending();
    EXPECT_FALSE(wnd.Manager().KillTimer(probe, 42));
}

TEST(Popup, AMissingSkinLeavesAWorkingEmptyWindow) {
    TestWindow wnd(L"no_such_skin_file.xml", L"UILibMissingSkin");
    uitest::StderrCapture capture;
    HWND hwnd = wnd.Open(80, 60);
    ASSERT_NE(hwnd, nullptr);
    std::string err = capture.Text();
    EXPECT_NE(err.find("no_such_skin_file.xml: file not found"), std::string::npos) << err;
    EXPECT_EQ(wnd.Manager().GetRoot(), nullptr);
    EXPECT_EQ(wnd.Find(L"anything"), nullptr);
    EXPECT_EQ(wnd.Manager().FindControl(POINT{10, 10}), nullptr);
    wnd.ClickAt({10, 10});
    std::string dump = wnd.Manager().InspectDump();
    EXPECT_EQ(dump.find("window\tUILibMissingSkin\t"), 0u) << dump;
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 1);
}

TEST(Manager, NeverInitialisedHandlesNothing) {
    CPaintManagerUI manager;
    const UINT messages[] = {WM_PAINT,      WM_SIZE,    WM_MOUSEMOVE,  WM_LBUTTONDOWN,
                             WM_LBUTTONUP,  WM_KEYDOWN, WM_CHAR,       WM_SETCURSOR,
                             WM_MOUSEWHEEL, WM_TIMER,   WM_ERASEBKGND, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE)};
    for (UINT m : messages) {
        LRESULT r = 0;
        EXPECT_FALSE(manager.MessageHandler(m, 0, 0, r)) << m;
    }
}

// A window with a paint manager and a dispatch of its own that falls back to
// WindowImplBase::HandleMessage, whose own manager is never initialised.
class OwnManagerWindow : public WindowImplBase {
public:
    LPCTSTR GetWindowClassName() const override { return L"UILibOwnManager"; }
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return L"unused.xml"; }
    void Notify(TNotifyUI &msg) override { clicks += msg.sType == DUI_MSGTYPE_CLICK ? 1 : 0; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_CREATE) {
            m_own.Init(m_hWnd);
            CDialogBuilder builder;
            m_own.AttachDialog(builder.Create(L"<Window><VerticalLayout><Button name=\"b\"/></VerticalLayout></Window>",
                                              nullptr, nullptr, &m_own));
            m_own.AddNotifier(this);
            return 0;
        }
        LRESULT lRes = 0;
        if (m_own.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
        return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
    }
    CPaintManagerUI m_own;
    int clicks = 0;
};

TEST(Manager, FallBackToWindowImplBaseIsHarmless) {
    OwnManagerWindow wnd;
    HWND hwnd = wnd.Create(nullptr, L"own", WS_POPUP, 0, 0, 0, 120, 80);
    ASSERT_NE(hwnd, nullptr);
    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 40));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
    EXPECT_EQ(wnd.clicks, 1);
    EXPECT_EQ(wnd.m_own.FindControl(L"b")->GetManager(), &wnd.m_own);
    ::DestroyWindow(hwnd);
}

TEST(Input, ClicksTabAndKeysReachTheControls) {
    TestWindow wnd(L"<Window><VerticalLayout>"
                   L"<Button name=\"b1\" height=\"30\"/><Button name=\"hidden\" height=\"30\" visible=\"false\"/>"
                   L"<Button name=\"off\" height=\"30\" enabled=\"false\"/><Button name=\"b2\" height=\"30\"/>"
                   L"<Option name=\"o1\" group=\"g\" height=\"30\"/><Option name=\"o2\" group=\"g\" height=\"30\"/>"
                   L"<Control/></VerticalLayout></Window>");
    ASSERT_NE(wnd.Open(200, 300), nullptr);
    wnd.ClickControl(L"b1");
    ASSERT_FALSE(wnd.seen.empty());
    // the click gave b1 the focus; notifications: windowinit, setfocus, click
    EXPECT_EQ(wnd.seen.back().type, L"click");
    EXPECT_EQ(wnd.seen.back().sender, L"b1");
    EXPECT_EQ(wnd.Manager().GetFocus(), wnd.Find(L"b1"));

    // Pressing and releasing elsewhere is no click.
    wnd.seen.clear();
    RECT b2 = wnd.Find(L"b2")->GetPos();
    ::SendMessageW(wnd.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b2.left + 5, b2.top + 5));
    ::SendMessageW(wnd.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(b2.left + 5, b2.bottom + 40));
    for (const auto &s : wnd.seen) EXPECT_NE(s.type, L"click");

    // A disabled button gives no click.
    wnd.seen.clear();
    wnd.ClickControl(L"off");
    for (const auto &s : wnd.seen) EXPECT_NE(s.type, L"click");

    // Tab skips hidden and disabled controls; Shift+Tab goes back.
    wnd.Manager().SetFocus(wnd.Find(L"b1"));
    wnd.Key(VK_TAB);
    EXPECT_EQ(wnd.Manager().GetFocus(), wnd.Find(L"b2"));
    EXPECT_TRUE(wnd.Manager().IsFocusCueShown());
    // Space or Enter held down: one click each, the keyboard's repeats are ignored.
    for (WPARAM key : {VK_SPACE, VK_RETURN}) {
        wnd.seen.clear();
        ::SendMessageW(wnd.GetHWND(), WM_KEYDOWN, key, 1);
        for (int i = 0; i < 5; ++i) ::SendMessageW(wnd.GetHWND(), WM_KEYDOWN, key, 0x40000001);  // repeats
        ::SendMessageW(wnd.GetHWND(), WM_KEYUP, key, 0xC0000001);
        int clicks = 0;
        for (const auto &s : wnd.seen) {
            if (s.type != L"click") continue;
            ++clicks;
            EXPECT_EQ(s.sender, L"b2");
        }
        EXPECT_EQ(clicks, 1) << "key " << key;
    }

    // Options of a group: only the newly selected one reports.
    wnd.ClickControl(L"o1");
    wnd.seen.clear();
    wnd.ClickControl(L"o2");
    int changes = 0;
    for (const auto &s : wnd.seen) {
        if (s.type == L"selectchanged") {
            ++changes;
            EXPECT_EQ(s.sender, L"o2");
        }
    }
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(static_cast<COptionUI *>(wnd.Find(L"o1"))->IsSelected());
    EXPECT_TRUE(static_cast<COptionUI *>(wnd.Find(L"o2"))->IsSelected());
}

TEST(Input, WheelScrollsTheNearestScrollableAncestor) {
    TestWindow wnd(L"<Window><VerticalLayout name=\"list\" vscrollbar=\"true\">"
                   L"<Label name=\"first\" height=\"100\"/><Label height=\"100\"/><Label height=\"100\"/>"
                   L"</VerticalLayout></Window>");
    ASSERT_NE(wnd.Open(100, 150), nullptr);
    auto *list = static_cast<CContainerUI *>(wnd.Find(L"list"));
    POINT pt = {20, 20};
    ::ClientToScreen(wnd.GetHWND(), &pt);
    ::SendMessageW(wnd.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(pt.x, pt.y));
    EXPECT_GT(list->GetScrollPos().cy, 0);
    int down = list->GetScrollPos().cy;
    ::SendMessageW(wnd.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    EXPECT_LT(list->GetScrollPos().cy, down);
}

// Renders the window's client area through WM_PRINTCLIENT and reads pixels.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        m_w = rc.right;
        m_h = rc.bottom;
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), m_w, -m_h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bmp = ::CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, reinterpret_cast<void **>(&m_bits), nullptr, 0);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bmp);
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT);
        ::GdiFlush();
    }
    ~Snapshot() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    DWORD Rgb(int x, int y) const { return m_bits[y * m_w + x] & 0xFFFFFF; }

private:
    int m_w = 0, m_h = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD *m_bits = nullptr;
};

bool WritePng(const std::wstring &path, int w, int h, Gdiplus::ARGB color) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    bool ok = false;
    {
        Gdiplus::Bitmap bmp(w, h, PixelFormat32bppARGB);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, Gdiplus::Color(color));
        }
        UINT num = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&num, &size);
        std::vector<BYTE> buffer(size);
        auto *encoders = reinterpret_cast<Gdiplus::ImageCodecInfo *>(buffer.data());
        Gdiplus::GetImageEncoders(num, size, encoders);
        for (UINT i = 0; i < num; ++i) {
            if (wcscmp(encoders[i].MimeType, L"image/png") == 0)
                ok = bmp.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

TEST(Paint, ColoursAndAlphaImagesReachTheWindow) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring folder = std::wstring(dir) + L"uilib_paint\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"Button").c_str(), nullptr);
    ASSERT_TRUE(WritePng(folder + L"Button\\half.png", 8, 8, 0x80FF0000));  // red at half alpha
    CDuiString saved = CPaintManagerUI::GetResourcePath();
    CPaintManagerUI::SetResourcePath(folder.c_str());

    TestWindow wnd(L"<Window><HorizontalLayout bkcolor=\"#FF0000FF\">"
                   L"<Control name=\"green\" width=\"40\" bkcolor=\"#FF00FF00\"/>"
                   L"<Button name=\"img\" width=\"40\" normalimage=\"//Button//half.png\"/>"
                   L"<Control/></HorizontalLayout></Window>");
    ASSERT_NE(wnd.Open(120, 40), nullptr);
    Snapshot shot(wnd.GetHWND());
    EXPECT_EQ(shot.Rgb(20, 20), 0x00FF00u);
    EXPECT_EQ(shot.Rgb(100, 20), 0x0000FFu);
    DWORD blended = shot.Rgb(60, 20);  // half red over blue
    int r = (blended >> 16) & 0xFF, b = blended & 0xFF;
    EXPECT_NEAR(r, 128, 12) << std::hex << blended;
    EXPECT_NEAR(b, 127, 12) << std::hex << blended;
    CPaintManagerUI::SetResourcePath(saved.c_str());
}

TEST(Paint, BordersLieOnTheControlsEdgePixels) {
    TestWindow wnd(L"<Window><HorizontalLayout bkcolor=\"#FFFFFFFF\" inset=\"10,10,10,10\">"
                   L"<Control width=\"40\" bordersize=\"1\" bordercolor=\"#FFFF0000\"/>"
                   L"<Control width=\"10\"/>"
                   L"<Control width=\"40\" bordersize=\"1\" bordercolor=\"#FFFF0000\" borderround=\"6,6\"/>"
                   L"<Control/></HorizontalLayout></Window>");
    ASSERT_NE(wnd.Open(120, 60), nullptr);
    Snapshot shot(wnd.GetHWND());
    // square: x 10..49, y 10..49; rounded: x 60..99
    for (int x0 : {10, 60}) {
        int x1 = x0 + 39;
        EXPECT_EQ(shot.Rgb(x0, 30), 0xFF0000u) << "left edge at " << x0;
        EXPECT_EQ(shot.Rgb(x1, 30), 0xFF0000u) << "right edge at " << x1;
        EXPECT_EQ(shot.Rgb(x0 + 20, 10), 0xFF0000u) << "top edge at " << x0;
        EXPECT_EQ(shot.Rgb(x0 + 20, 49), 0xFF0000u) << "bottom edge at " << x0;
        EXPECT_EQ(shot.Rgb(x0 + 1, 30), 0xFFFFFFu) << "inside the left edge at " << x0;
        EXPECT_EQ(shot.Rgb(x1 + 1, 30), 0xFFFFFFu) << "outside the right edge at " << x1;
    }
}

}  // namespace
