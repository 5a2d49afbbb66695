// Notifications in a real window: rows removed while a notification sent by one of their
// controls is dispatched stay alive until dispatch returns (no use after free) and are no
// longer found by name; a page built without a manager joins, draws, is found and routes;
// "windowinit" comes once; asynchronous notifications arrive later, not at once.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/UIlib.h"

using uitest::TestWindow;

namespace {

int gAlive = 0;

// A button that counts the live instances, to see exactly when rows are destroyed. Its
// memory is poisoned and never reused once it is deleted, so that any later use crashes.
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

TEST(RemovalDuringDispatch, TheClickedRowLivesUntilDispatchEnds) {
    gAlive = 0;
    TestWindow wnd(kRowsSkin);
    wnd.factory = &CountedFactory;
    ASSERT_NE(wnd.Open(200, 200), nullptr);
    ASSERT_EQ(gAlive, 3);
    int aliveDuring = -1;
    bool foundDuring = true;
    CDuiString senderNameDuring;
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType != DUI_MSGTYPE_CLICK) return;
        auto *rows = static_cast<CContainerUI *>(wnd.Find(L"rows"));
        rows->Remove(msg.pSender->GetParent());
        aliveDuring = gAlive;
        foundDuring = wnd.Find(L"del1") != nullptr || wnd.Find(L"row1") != nullptr;
        senderNameDuring = msg.pSender->GetName();  // the sender is still a valid object
    };
    wnd.ClickControl(L"del1");
    EXPECT_EQ(aliveDuring, 3);
    EXPECT_FALSE(foundDuring);
    EXPECT_EQ(senderNameDuring, L"del1");
    EXPECT_EQ(gAlive, 2);  // destroyed once the dispatch returned
    EXPECT_EQ(static_cast<CContainerUI *>(wnd.Find(L"rows"))->GetCount(), 3);
    // The window goes on working: another row's click still arrives.
    wnd.onNotify = nullptr;
    wnd.seen.clear();
    wnd.ClickControl(L"del2");
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen.back().sender, L"del2");
}

// The press on del1 takes the focus from del0, whose "killfocus" handler removes del1:
// the press must not touch del1 once that handler returns.
TEST(RemovalDuringDispatch, AControlRemovedByTheFocusChangeOfItsOwnPressLivesUntilThePressIsHandled) {
    gAlive = 0;
    TestWindow wnd(kRowsSkin);
    wnd.factory = &CountedFactory;
    ASSERT_NE(wnd.Open(200, 200), nullptr);
    wnd.Manager().SetFocus(wnd.Find(L"del0"));
    ASSERT_EQ(wnd.Manager().GetFocus(), wnd.Find(L"del0"));
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType == DUI_MSGTYPE_KILLFOCUS && msg.pSender->GetName() == L"del0")
            static_cast<CContainerUI *>(wnd.Find(L"rows"))->Remove(wnd.Find(L"row1"));
    };
    wnd.seen.clear();
    wnd.ClickControl(L"del1");
    EXPECT_EQ(gAlive, 2);
    for (const uitest::SeenNotify &n : wnd.seen)
        EXPECT_NE(n.sender, L"del1") << "no notification from a removed button";
}

TEST(RemovalDuringDispatch, RemoveAllFromAHandlerIsSafe) {
    gAlive = 0;
    TestWindow wnd(kRowsSkin);
    wnd.factory = &CountedFactory;
    ASSERT_NE(wnd.Open(200, 200), nullptr);
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType == DUI_MSGTYPE_CLICK) static_cast<CContainerUI *>(wnd.Find(L"rows"))->RemoveAll();
    };
    wnd.ClickControl(L"del0");
    EXPECT_EQ(gAlive, 0);
    EXPECT_EQ(wnd.Find(L"del2"), nullptr);
    // Moving the mouse over where the rows were finds nothing stale.
    ::SendMessageW(wnd.GetHWND(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
    EXPECT_EQ(wnd.Manager().FindControl(POINT{50, 15}), wnd.Find(L"rows"));
}

class PagePump : public CNotifyPump {
public:
    void OnClick(TNotifyUI &msg) { clicked.push_back(msg.pSender->GetName()); }
    std::vector<CDuiString> clicked;
    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(PagePump, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, PagePump::OnClick)
DUI_END_MESSAGE_MAP()

TEST(Pages, APageBuiltWithoutAManagerDrawsIsFoundAndRoutes) {
    TestWindow wnd(L"<Window><VerticalLayout><Page virtualwnd=\"V_Page\"/><Button name=\"frameBtn\" height=\"30\"/>"
                   L"</VerticalLayout></Window>");
    wnd.factory = [](LPCTSTR cls) -> CControlUI * {
        if (_wcsicmp(cls, L"page") != 0) return nullptr;
        CDialogBuilder sub;
        return sub.Create(L"<VerticalLayout><HorizontalLayout height=\"40\"><Button name=\"pageBtn\" text=\"go\"/>"
                          L"</HorizontalLayout></VerticalLayout>");
    };
    PagePump page;
    wnd.AddVirtualWnd(L"V_Page", &page);
    ASSERT_NE(wnd.Open(200, 200), nullptr);
    CControlUI *btn = wnd.Find(L"pageBtn");
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->GetManager(), &wnd.Manager());
    EXPECT_EQ(wnd.Manager().FindControl(POINT{100, 20}), btn);  // laid out with the rest
    wnd.ClickControl(L"pageBtn");
    EXPECT_EQ(page.clicked, std::vector<CDuiString>{L"pageBtn"});
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen.back().virtualWnd, L"V_Page");
    wnd.ClickControl(L"frameBtn");
    EXPECT_EQ(page.clicked.size(), 1u);  // the frame's own button is not the page's
}

TEST(Notifications, WindowInitOnceAndAsyncLater) {
    TestWindow wnd(L"<Window><VerticalLayout><Button name=\"b\"/></VerticalLayout></Window>");
    ASSERT_NE(wnd.Open(100, 100), nullptr);
    // Every layout pass (here forced by a size change and by dumps) after the first is silent.
    testsupport::PumpPending();
    wnd.Manager().InspectDump();
    ::SetWindowPos(wnd.GetHWND(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    wnd.Manager().InspectDump();
    int inits = 0;
    for (const auto &s : wnd.seen) inits += s.type == L"windowinit" ? 1 : 0;
    EXPECT_EQ(inits, 1);

    wnd.seen.clear();
    wnd.Manager().SendNotify(wnd.Find(L"b"), L"later", 0, 0, true);
    EXPECT_TRUE(wnd.seen.empty());
    EXPECT_TRUE(testsupport::WaitFor([&] { return !wnd.seen.empty(); }, 3000));
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen[0].type, L"later");
    EXPECT_EQ(wnd.seen[0].sender, L"b");
}

}  // namespace
