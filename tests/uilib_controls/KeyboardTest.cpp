// The library's keyboard use, through key messages to the window: Tab order (visual,
// "tabindex", wrapping), the focus frame, Enter and Esc on a window's default and cancel
// buttons, arrows in option groups, lists and date fields, Enter on list rows, type-ahead
// on a closed combo. If this fails, some window cannot be used without a mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/TestHost.h"

using uitest::HeldKeys;
using uitest::TestHost;

namespace {

// Tree order differs from the visual one: "low" comes first in the tree but sits below.
const wchar_t kSkin[] = L"<Window><VerticalLayout>"
                        L"<Button name=\"low\" text=\"low\" float=\"true\" pos=\"10,200,90,230\" />"
                        L"<Edit name=\"right\" float=\"true\" pos=\"200,10,300,40\" />"
                        L"<Edit name=\"left\" float=\"true\" pos=\"10,10,100,40\" />"
                        L"<Button name=\"first\" text=\"first\" tabindex=\"1\" float=\"true\" pos=\"10,300,90,330\" />"
                        L"<Button name=\"never\" text=\"never\" tabindex=\"-1\" float=\"true\" pos=\"10,100,90,130\" />"
                        L"<Button name=\"ok\" text=\"ok\" default=\"true\" float=\"true\" pos=\"100,200,180,230\" />"
                        L"<Button name=\"close\" text=\"x\" cancel=\"true\" float=\"true\" pos=\"200,200,280,230\" />"
                        L"</VerticalLayout></Window>";

std::wstring FocusName(TestHost &host) {
    CControlUI *focus = host.Manager().GetFocus();
    return focus != nullptr ? focus->GetName() : L"(none)";
}

// The colour the window shows at a client point, painted as it is painted on screen.
COLORREF PixelAt(TestHost &host, POINT pt) {
    host.Layout();
    HDC screen = ::GetDC(host.GetHWND());
    HDC dc = ::CreateCompatibleDC(screen);
    RECT rc;
    ::GetClientRect(host.GetHWND(), &rc);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::SendMessageW(host.GetHWND(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF color = ::GetPixel(dc, pt.x, pt.y);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(host.GetHWND(), screen);
    return color;
}

}  // namespace

TEST(Keyboard, TabGoesInVisualOrderWithTabindexFirstAndWraps) {
    TestHost host(kSkin, 400, 400);
    const std::vector<std::wstring> forward = {L"first", L"left", L"right", L"low", L"ok", L"close", L"first"};
    for (const std::wstring &name : forward) {
        host.Key(VK_TAB);
        EXPECT_EQ(FocusName(host), name);
    }
    HeldKeys shift({VK_SHIFT});
    for (const wchar_t *name : {L"close", L"ok", L"low"}) {
        host.Key(VK_TAB);
        EXPECT_EQ(FocusName(host), name);
    }
}

TEST(Keyboard, TheFocusedControlShowsAFrameAfterKeyboardUse) {
    TestHost host(kSkin, 400, 400);
    CControlUI *low = host.Find<CControlUI>(L"low");
    const POINT edge = {low->GetPos().left, (low->GetPos().top + low->GetPos().bottom) / 2};
    const COLORREF frame = RGB(0x48, 0x77, 0xE7);
    host.Click(low);
    EXPECT_NE(PixelAt(host, edge), frame) << "no frame after a click";
    do {
        host.Key(VK_TAB);
    } while (FocusName(host) != L"low");
    EXPECT_EQ(PixelAt(host, edge), frame);
    host.Key(VK_TAB);
    EXPECT_NE(PixelAt(host, edge), frame) << "the frame moved on";
}

TEST(Keyboard, EnterAndEscClickTheDefaultAndCancelButtons) {
    struct Case {
        const wchar_t *focus;
        UINT key;
        const wchar_t *clicked;
    };
    const Case cases[] = {
        {L"left", VK_RETURN, L"ok"},     // an edit has no use for Enter
        {L"left", VK_ESCAPE, L"close"},  //
        {L"low", VK_RETURN, L"low"},     // a focused button takes Enter itself
        {L"low", VK_ESCAPE, L"close"},
    };
    TestHost host(kSkin, 400, 400);
    for (const Case &c : cases) {
        SCOPED_TRACE(uitest::Utf8(c.focus) + " " + std::to_string(c.key));
        host.Find<CControlUI>(c.focus)->SetFocus();
        host.notes.clear();
        host.Key(c.key);
        ASSERT_EQ(host.Count(DUI_MSGTYPE_CLICK), 1);
        EXPECT_EQ(host.Last(DUI_MSGTYPE_CLICK)->senderName, c.clicked);
        // A held key repeats without clicking again.
        ::SendMessageW(host.GetHWND(), WM_KEYDOWN, c.key, 0x40000001);
        EXPECT_LE(host.Count(DUI_MSGTYPE_CLICK), c.key == VK_RETURN && c.clicked == c.focus ? 2 : 1);
    }
}

TEST(Keyboard, ArrowsMoveWithinGroupsListsAndDateParts) {
    TestHost host(L"<Window><VerticalLayout>"
                  L"<HorizontalLayout height=\"30\"><Option name=\"a\" group=\"g\" selected=\"true\" text=\"A\"/>"
                  L"<Option name=\"b\" group=\"g\" text=\"B\"/><Option name=\"c\" group=\"g\" text=\"C\"/>"
                  L"</HorizontalLayout>"
                  L"<DateTime name=\"day\" value=\"2024-01-31\" height=\"30\" width=\"160\"/>"
                  L"<Combo name=\"mode\" height=\"30\"><ListLabelElement text=\"关闭\"/>"
                  L"<ListLabelElement text=\"中继\"/><ListLabelElement text=\"Mixed\"/></Combo>"
                  L"<Control/></VerticalLayout></Window>",
                  400, 300);
    auto *a = host.Find<COptionUI>(L"a");
    auto *c = host.Find<COptionUI>(L"c");
    a->SetFocus();
    host.Key(VK_LEFT);
    EXPECT_TRUE(c->IsSelected()) << "wraps to the last";
    EXPECT_EQ(FocusName(host), L"c");
    host.Key(VK_RIGHT);
    EXPECT_TRUE(a->IsSelected());
    EXPECT_FALSE(c->IsSelected());

    struct Step {
        UINT key;
        const wchar_t *date;
    };
    const Step steps[] = {{VK_LEFT, L"2024-01-31"},  {VK_UP, L"2024-02-29"},     // month, the day clamped
                          {VK_LEFT, L"2024-02-29"},  {VK_DOWN, L"2023-02-28"},   // year
                          {VK_RIGHT, L"2023-02-28"}, {VK_RIGHT, L"2023-02-28"},  // day
                          {VK_UP, L"2023-02-01"},    {VK_RIGHT, L"2023-02-01"}};
    auto *day = host.Find<CDateTimeUI>(L"day");
    day->SetFocus();
    host.notes.clear();
    int changes = 0;
    for (const Step &s : steps) {
        host.Key(s.key);
        EXPECT_EQ(day->GetText(), s.date) << s.key;
        changes += s.key == VK_UP || s.key == VK_DOWN;
    }
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), changes);

    auto *combo = host.Find<CComboUI>(L"mode");
    combo->SetFocus();
    host.Type(L"m");
    EXPECT_EQ(combo->GetCurSel(), 2) << "type-ahead on the closed combo";
    host.Key(VK_UP);
    EXPECT_EQ(combo->GetCurSel(), 1);
}

TEST(Keyboard, EnterOnAListRowDoesWhatADoubleClickOrItsDefaultButtonDoes) {
    TestHost host(L"<Window><VerticalLayout><List name=\"rows\" /></VerticalLayout></Window>", 400, 300);
    auto *list = host.Find<CListUI>(L"rows");
    auto *text = new CListTextElementUI;
    list->Add(text);
    text->SetText(0, L"BS-1");
    auto *row = new CListContainerElementUI;
    row->SetAttribute(L"height", L"30");
    list->Add(row);
    auto *play = new CButtonUI;
    play->SetAttribute(L"name", L"play");
    play->SetAttribute(L"default", L"true");
    row->Add(play);
    host.Layout();
    list->SetFocus();
    host.Key(VK_DOWN);
    ASSERT_EQ(list->GetCurSel(), 0);
    host.notes.clear();
    host.Key(VK_RETURN);
    ASSERT_EQ(host.Count(DUI_MSGTYPE_DBCLICK), 1);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, text);
    host.Key(VK_DOWN);
    host.notes.clear();
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_DBCLICK), 0);
    ASSERT_EQ(host.Count(DUI_MSGTYPE_CLICK), 1);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_CLICK)->senderName, L"play");
    // The row's buttons are tab stops after the list.
    host.Key(VK_TAB);
    EXPECT_EQ(FocusName(host), L"play");
}
