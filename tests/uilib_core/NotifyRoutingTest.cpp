// Notify routing through the maps and virtual windows (nearest ancestor, derived rows first,
// the first row winning). If this fails, page clicks reach the wrong handler or none.
#include <gtest/gtest.h>

#include "uilib/UIlib.h"

namespace {

std::vector<std::string> gCalls;

class BasePage : public CNotifyPump {
public:
    virtual void OnClick(TNotifyUI &) { gCalls.push_back("BasePage::OnClick"); }
    virtual void OnTimer(TNotifyUI &) { gCalls.push_back("BasePage::OnTimer"); }
    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(BasePage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, BasePage::OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TIMER, BasePage::OnTimer)
DUI_END_MESSAGE_MAP()

// Chained to BasePage: its own "click" row comes first; "timer" falls to the base's row.
class Page : public BasePage {
public:
    void OnClick(TNotifyUI &) override { gCalls.push_back("Page::OnClick (virtual)"); }
    void OnNamedClick(TNotifyUI &) { gCalls.push_back("Page::OnNamedClick"); }
    void OnSecondClick(TNotifyUI &) { gCalls.push_back("Page::OnSecondClick"); }
    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(Page, BasePage)
DUI_ON_CLICK_CTRNAME(L"special", Page::OnNamedClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, Page::OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, Page::OnSecondClick)
DUI_END_MESSAGE_MAP()

// The window: a second base class before CNotifyPump, as the real windows have.
class Frame : public CControlUI, public CNotifyPump, public INotifyUI {
public:
    void OnClick(TNotifyUI &) { gCalls.push_back("Frame::OnClick"); }
    void OnSelect(TNotifyUI &) { gCalls.push_back("Frame::OnSelect"); }
    void Notify(TNotifyUI &msg) override { last = msg, NotifyPump(msg); }
    TNotifyUI last;
    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(Frame, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, Frame::OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, Frame::OnSelect)
DUI_END_MESSAGE_MAP()

using Calls = std::vector<std::string>;

TEST(NotifyRouting, TableOfRoutes) {
    Page page;
    Frame frame;
    CPaintManagerUI manager;
    frame.AddVirtualWnd(L"V_Page", &page);
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(L"<VerticalLayout><HorizontalLayout virtualwnd=\"V_Page\">"
                                        L"<VerticalLayout><Button name=\"deep\"/></VerticalLayout><Button "
                                        L"name=\"special\"/><Button name=\"own\" virtualwnd=\"V_Other\"/>"
                                        L"</HorizontalLayout><Button name=\"outside\"/></VerticalLayout>",
                                        nullptr, nullptr, &manager));
    manager.AddNotifier(&frame);
    auto send = [&](const wchar_t *control, const wchar_t *type) {
        gCalls.clear();
        manager.SendNotify(manager.FindControl(control), type);
        return gCalls;
    };
    struct Case {
        const wchar_t *control, *type;
        Calls expect;
        const wchar_t *virtualWnd;  // as the notification carries it
    } cases[] = {
        // nearest ancestor's virtual window; derived row first; only the first row is called
        {L"deep", DUI_MSGTYPE_CLICK, {"Page::OnClick (virtual)"}, L"V_Page"},
        // a row naming the control wins over the later any-control rows
        {L"special", DUI_MSGTYPE_CLICK, {"Page::OnNamedClick"}, L"V_Page"},
        {L"deep", DUI_MSGTYPE_TIMER, {"BasePage::OnTimer"}, L"V_Page"},
        // no row in the page's chain: the window's own map
        {L"deep", DUI_MSGTYPE_SELECTCHANGED, {"Frame::OnSelect"}, L"V_Page"},
        // a virtual window nobody registered: the window's own map
        {L"own", DUI_MSGTYPE_CLICK, {"Frame::OnClick"}, L"V_Other"},
        {L"outside", DUI_MSGTYPE_CLICK, {"Frame::OnClick"}, L""},
        {L"outside", DUI_MSGTYPE_DBCLICK, {}, L""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.control) + L" " + c.type));
        EXPECT_EQ(send(c.control, c.type), c.expect);
        EXPECT_EQ(frame.last.sVirtualWnd, c.virtualWnd);
        EXPECT_EQ(frame.last.pSender, manager.FindControl(c.control));
    }
    EXPECT_TRUE(frame.RemoveVirtualWnd(L"V_Page"));
    EXPECT_EQ(send(L"deep", DUI_MSGTYPE_CLICK), Calls{"Frame::OnClick"});
}

}  // namespace
