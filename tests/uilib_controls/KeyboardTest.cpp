// Keyboard use: default and cancel buttons, arrows in groups, date fields and combos, Enter
// on list rows. If this fails, some window cannot be used without a mouse.
#include <gtest/gtest.h>

#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

TEST(Keyboard, EnterAndEscClickTheDefaultAndCancelButtons) {
    TestWindow host(L"<Window><VerticalLayout><Edit name=\"edit\" height=\"30\"/><Button name=\"low\" height=\"30\"/>"
                    L"<Button name=\"ok\" default=\"true\" height=\"30\"/><Button name=\"close\" cancel=\"true\" "
                    L"height=\"30\"/><Control/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 400, true), nullptr);
    const std::tuple<const wchar_t *, UINT, const char *> cases[] = {// an edit has no use for Enter
                                                                     {L"edit", VK_RETURN, "click ok"},
                                                                     {L"edit", VK_ESCAPE, "click close"},
                                                                     {L"low", VK_RETURN, "click low"}};
    for (const auto &c : cases) {
        host.Find(std::get<0>(c))->SetFocus();
        host.notes.clear();
        host.Key(std::get<1>(c));
        ::SendMessageW(host.GetHWND(), WM_KEYDOWN, std::get<1>(c), 0x40000001);  // held: no second click
        EXPECT_EQ(host.Seen({DUI_MSGTYPE_CLICK}), std::vector<std::string>{std::get<2>(c)});
    }
}

TEST(Keyboard, ArrowsMoveWithinGroupsDatePartsAndCombos) {
    TestWindow host(L"<Window><VerticalLayout><HorizontalLayout height=\"30\"><Option name=\"a\" group=\"g\" "
                    L"selected=\"true\"/><Option name=\"b\" group=\"g\"/><Option name=\"c\" group=\"g\"/>"
                    L"<Option name=\"x\" group=\"h\" selected=\"true\"/></HorizontalLayout><DateTime name=\"day\" "
                    L"value=\"2024-01-31\" height=\"30\" width=\"160\"/><Combo name=\"mode\" height=\"30\">"
                    L"<ListLabelElement text=\"关闭\"/><ListLabelElement text=\"中继\" "
                    L"selected=\"true\"/><ListLabelElement text=\"Mixed\"/>"
                    L"</Combo><Control/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 300, true), nullptr);
    auto selected = [&](const wchar_t *name) { return host.Find<COptionUI>(name)->IsSelected(); };
    host.Find(L"a")->SetFocus();
    host.Key(VK_LEFT);
    EXPECT_TRUE(selected(L"c") && host.Manager().GetFocus() == host.Find(L"c")) << "wraps to the last";
    host.Key(VK_RIGHT);
    EXPECT_TRUE(selected(L"a") && !selected(L"c") && selected(L"x"));

    const std::pair<UINT, const wchar_t *> steps[] = {
        {VK_LEFT, L"2024-01-31"},  {VK_UP, L"2024-02-29"},                               // month, the day clamped
        {VK_LEFT, L"2024-02-29"},  {VK_DOWN, L"2023-02-28"}, {VK_RIGHT, L"2023-02-28"},  // year
        {VK_RIGHT, L"2023-02-28"}, {VK_UP, L"2023-02-01"},                               // day, wrapping
    };
    auto *day = host.Find<CDateTimeUI>(L"day");
    day->SetFocus();
    host.notes.clear();
    for (const auto &s : steps) {
        host.Key(s.first);
        EXPECT_EQ(day->GetText(), s.second) << s.first;
    }
    EXPECT_EQ(host.Count(DUI_MSGTYPE_VALUECHANGED), 3);

    auto *combo = host.Find<CComboUI>(L"mode");
    EXPECT_EQ(combo->GetCurSel(), 1) << "the entry built selected";
    combo->SetFocus();
    host.Type(L"m");
    EXPECT_EQ(combo->GetCurSel(), 2) << "type-ahead on the closed combo";
}

TEST(Keyboard, EnterOnAListRowDoesWhatADoubleClickOrItsDefaultButtonDoes) {
    TestWindow host(L"<Window><VerticalLayout><List name=\"rows\"/></VerticalLayout></Window>");
    ASSERT_NE(host.Open(400, 300, true), nullptr);
    auto *list = host.Find<CListUI>(L"rows");
    auto *text = new CListTextElementUI;
    list->Add(text);
    CDialogBuilder builder;
    list->Add(builder.Create(L"<ListContainerElement height=\"30\"><Button name=\"play\" default=\"true\"/>"
                             L"</ListContainerElement>"));
    CControlUI *play = host.Find(L"play");
    host.Layout();
    list->SetFocus();
    host.Key(VK_DOWN);
    ASSERT_EQ(list->GetCurSel(), 0);
    host.notes.clear();
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_DBCLICK, DUI_MSGTYPE_CLICK}), std::vector<std::string>{"dbclick "});
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, text);
    host.Key(VK_DOWN);
    host.notes.clear();
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_DBCLICK, DUI_MSGTYPE_CLICK}), std::vector<std::string>{"click play"});
    host.Key(VK_TAB);
    EXPECT_EQ(host.Manager().GetFocus(), play) << "the row's buttons are tab stops after the list";
}
