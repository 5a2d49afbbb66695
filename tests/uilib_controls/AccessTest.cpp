// Active Accessibility: what a screen reader reads of each kind, in order, and win events on changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/AccWalk.h"
#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout inset=\"10,10,10,10\"><HorizontalLayout height=\"30\"><Button name=\"ok\" "
    L"text=\"确定\" width=\"80\"/><Button name=\"img\" tooltip=\"最小化\" width=\"30\"/><Button name=\"off\" "
    L"text=\"Off\" enabled=\"false\" width=\"60\"/><Label name=\"logo\" bkimage=\"x.png\" width=\"20\"/>"
    L"<Label name=\"title\" text=\"标题\" width=\"60\"/></HorizontalLayout><VerticalLayout name=\"box\" "
    L"accname=\"网络\" height=\"140\"><Edit name=\"ip\" accname=\"IP地址\" text=\"10.0.0.1\" height=\"30\"/>"
    L"<Edit name=\"pw\" accname=\"密码\" text=\"secret\" password=\"true\" height=\"30\"/><Option name=\"a\" "
    L"group=\"g\" text=\"A\" selected=\"true\" height=\"20\"/><Option name=\"b\" group=\"g\" text=\"B\" "
    L"height=\"20\"/><Option name=\"t\" accrole=\"tab\" group=\"tabs\" text=\"页\" height=\"20\"/><Option "
    L"name=\"c\" text=\"C\" height=\"20\"/></VerticalLayout><Combo name=\"mode\" accname=\"模式\" height=\"30\">"
    L"<ListLabelElement text=\"中继\" selected=\"true\"/></Combo><Slider name=\"pos\" accname=\"进度\" "
    L"value=\"35\" height=\"20\"/><Progress name=\"bar\" accname=\"载入\" value=\"7\" height=\"10\"/>"
    L"<DateTime name=\"day\" accname=\"日期\" value=\"2024-02-29\" height=\"30\"/><List name=\"rows\" "
    L"accname=\"基站\" height=\"120\"/><Control/></VerticalLayout></Window>";

CListTextElementUI *AddRow(CListUI *list, const wchar_t *serial) {
    CListTextElementUI *row = new CListTextElementUI;
    list->Add(row);
    row->SetText(0, serial);
    return row;
}

std::vector<std::pair<DWORD, LONG>> gEvents;  // event, child

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) gEvents.push_back({event, child});
}

}  // namespace

TEST(Access, EveryKindIsReadInOrderAndChangesRaiseWinEvents) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TestWindow host(kSkin);
    ASSERT_NE(host.Open(420, 560, true), nullptr);
    auto *list = host.Find<CListUI>(L"rows");
    AddRow(list, L"BS-1");
    AddRow(list, L"BS-2")->SetEnabled(false);
    list->SelectItem(0);
    host.Find(L"ip")->SetFocus();
    host.Layout();
    std::vector<acc::Node> nodes;
    ASSERT_TRUE(acc::Walk(host.GetHWND(), &nodes));
    struct Expected {
        int depth;
        LONG role;
        const wchar_t *name, *value;
        LONG state;
        const wchar_t *action;
    };
    const LONG F = STATE_SYSTEM_FOCUSABLE, S = STATE_SYSTEM_SELECTABLE;
    const Expected expected[] = {
        {0, ROLE_SYSTEM_CLIENT, L"uilib test", L"", F, L""},
        {1, ROLE_SYSTEM_PUSHBUTTON, L"确定", L"", F, L"按下"},
        {1, ROLE_SYSTEM_PUSHBUTTON, L"最小化", L"", F, L"按下"},
        {1, ROLE_SYSTEM_PUSHBUTTON, L"Off", L"", F | STATE_SYSTEM_UNAVAILABLE, L"按下"},
        {1, ROLE_SYSTEM_STATICTEXT, L"标题", L"", 0, L""},
        {1, ROLE_SYSTEM_GROUPING, L"网络", L"", 0, L""},
        {2, ROLE_SYSTEM_TEXT, L"IP地址", L"10.0.0.1", F | STATE_SYSTEM_FOCUSED, L""},
        {2, ROLE_SYSTEM_TEXT, L"密码", L"", F | STATE_SYSTEM_PROTECTED, L""},
        {2, ROLE_SYSTEM_RADIOBUTTON, L"A", L"", F | STATE_SYSTEM_CHECKED, L"选中"},
        {2, ROLE_SYSTEM_RADIOBUTTON, L"B", L"", F, L"选中"},
        {2, ROLE_SYSTEM_PAGETAB, L"页", L"", F | S, L"切换"},
        {2, ROLE_SYSTEM_CHECKBUTTON, L"C", L"", F, L"选中"},
        {1, ROLE_SYSTEM_COMBOBOX, L"模式", L"中继", F | STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_COLLAPSED, L"打开"},
        {2, ROLE_SYSTEM_LISTITEM, L"中继", L"", F | S | STATE_SYSTEM_SELECTED, L"选中"},  // built selected
        {1, ROLE_SYSTEM_SLIDER, L"进度", L"35", F, L""},
        {1, ROLE_SYSTEM_PROGRESSBAR, L"载入", L"7", 0, L""},
        {1, ROLE_SYSTEM_DROPLIST, L"日期", L"2024-02-29", F | STATE_SYSTEM_HASPOPUP, L"打开"},
        {1, ROLE_SYSTEM_LIST, L"基站", L"", F, L""},
        {2, ROLE_SYSTEM_LISTITEM, L"BS-1", L"", F | S | STATE_SYSTEM_SELECTED, L"双击"},
        {2, ROLE_SYSTEM_LISTITEM, L"BS-2", L"", F | S | STATE_SYSTEM_UNAVAILABLE, L"双击"},
    };
    ASSERT_EQ(nodes.size(), sizeof expected / sizeof expected[0]) << acc::Print(nodes);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Expected &e = expected[i];
        const acc::Node &n = nodes[i];
        EXPECT_TRUE(n.depth == e.depth && n.role == e.role && n.name == e.name && n.value == e.value &&
                    n.state == e.state && n.action == e.action)
            << acc::Print({n}) << " expected state " << acc::StateText(e.state);
    }

    // Changes raise win events naming the control, to a reader that has met every control.
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Record, ::GetCurrentProcessId(),
                                           ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    struct Case {
        const char *what;
        std::function<void()> act;
        DWORD event;
        CControlUI *target;
    };
    const Case cases[] = {
        {"focus", [&] { host.Find(L"ok")->SetFocus(), host.Find(L"ip")->SetFocus(); }, EVENT_OBJECT_FOCUS,
         host.Find(L"ip")},
        {"typing", [&] { host.Type(L"9"); }, EVENT_OBJECT_VALUECHANGE, host.Find(L"ip")},
        {"name", [&] { host.Find(L"title")->SetText(L"新"); }, EVENT_OBJECT_NAMECHANGE, host.Find(L"title")},
        {"row selected", [&] { list->SelectItem(-1), list->SelectItem(0, true); }, EVENT_OBJECT_SELECTION,
         list->GetItemAt(0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::PumpPending();
        gEvents.clear();
        const LONG want = -host.Manager().GetAccessibleId(c.target);
        c.act();
        ASSERT_NE(want, 0);
        const std::pair<DWORD, LONG> raised(c.event, want);
        EXPECT_TRUE(testsupport::WaitFor([&] { return std::count(gEvents.begin(), gEvents.end(), raised) > 0; }, 2000));
    }
    ::UnhookWinEvent(hook);
    ::CoUninitialize();
}
