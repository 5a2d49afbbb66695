// Layout and hit testing without a window. If this fails, skins lay out wrongly or clicks
// reach the wrong control.
#include <gtest/gtest.h>

#include <sstream>

#include "uilib/UIlib.h"

namespace {

// Builds a skin without a window and lays the root out in (0,0,w,h), by default its own size.
struct Laid {
    CPaintManagerUI manager;
    CControlUI *root = nullptr;
    explicit Laid(const wchar_t *xml, int w = 0, int h = 0) {
        CDialogBuilder builder;
        root = builder.Create(xml, nullptr, nullptr, &manager);
        manager.AttachDialog(root);
        if (root != nullptr)
            root->SetPos({0, 0, w > 0 ? w : root->GetFixedWidth(), h > 0 ? h : root->GetFixedHeight()});
    }
    CControlUI *operator[](const wchar_t *name) { return manager.FindControl(name); }
};

TEST(Layout, ControlsGetTheExpectedRectangles) {
    const std::pair<const wchar_t *, std::string> cases[] = {
        {L"<VerticalLayout width=\"100\" height=\"130\"><Control name=\"a\" height=\"30\"/><Control name=\"b\"/>"
         L"<Control name=\"c\"/></VerticalLayout>",
         "a=0,0,100,30 b=0,30,100,80 c=0,80,100,130"},
        {L"<VerticalLayout width=\"110\" height=\"100\" inset=\"5,5,5,5\" childpadding=\"4\"><Control name=\"a\" "
         L"height=\"20\" width=\"40\"/><Control name=\"b\" padding=\"3,2,1,6\"/></VerticalLayout>",
         "a=5,5,45,25 b=8,31,104,89"},
        {L"<VerticalLayout width=\"50\" height=\"100\"><Control name=\"a\" maxheight=\"10\"/><Control name=\"b\"/>"
         L"<Control name=\"c\" minheight=\"70\"/></VerticalLayout>",
         "a=0,0,50,10 b=0,10,50,30 c=0,30,50,100"},
        {L"<HorizontalLayout width=\"100\" height=\"40\" childpadding=\"2\"><Control name=\"a\" width=\"20\"/>"
         L"<Control name=\"b\"/><Control name=\"c\" width=\"30\" height=\"10\"/><Control visible=\"false\" "
         L"width=\"50\"/></HorizontalLayout>",
         "a=0,0,20,40 b=22,0,68,40 c=70,0,100,10"},
        {L"<VerticalLayout width=\"200\" height=\"150\"><Control height=\"50\"/><Container name=\"box\" "
         L"inset=\"9,9,9,9\"><Control name=\"f\" float=\"true\" pos=\"10,5,40,25\"/><Control name=\"w\" "
         L"float=\"true\" width=\"5\" pos=\"10,10,40,20\"/><Control name=\"fill\"/></Container></VerticalLayout>",
         "box=0,50,200,150 f=10,55,40,75 w=10,60,15,70 fill=9,59,191,141"},
        {L"<TabLayout width=\"50\" height=\"50\" inset=\"1,1,1,1\" selectedid=\"1\"><Control name=\"p0\"/>"
         L"<Control name=\"p1\"/></TabLayout>",
         "p1=1,1,49,49"},
    };
    for (const auto &c : cases) {
        Laid laid(c.first);
        ASSERT_NE(laid.root, nullptr);
        std::istringstream expected(c.second);
        std::string item, got;
        while (std::getline(expected, item, ' ')) {
            const std::string name = item.substr(0, item.find('='));
            CControlUI *c = laid[std::wstring(name.begin(), name.end()).c_str()];
            const RECT rc = c ? c->GetPos() : RECT{};
            got += (got.empty() ? "" : " ") + name + "=" + std::to_string(rc.left) + "," + std::to_string(rc.top) +
                   "," + std::to_string(rc.right) + "," + std::to_string(rc.bottom);
        }
        EXPECT_EQ(got, c.second);
    }
}

TEST(Layout, PointsNameTheTopmostVisibleMouseEnabledControl) {
    Laid laid(L"<VerticalLayout name=\"root\"><HorizontalLayout name=\"bar\" height=\"40\">"
              L"<Button name=\"btn\" width=\"50\"/><Label name=\"passive\" width=\"50\" mouse=\"false\"/>"
              L"<Label name=\"gone\" width=\"50\" visible=\"false\"/><Control name=\"rest\"/></HorizontalLayout>"
              L"<HorizontalLayout name=\"row\" height=\"20\" mousechild=\"false\"><Button name=\"b\"/>"
              L"</HorizontalLayout><Container name=\"body\"><Control name=\"under\"/>"
              L"<Button name=\"over\" float=\"true\" pos=\"10,10,30,30\"/></Container></VerticalLayout>",
              300, 200);
    const std::pair<POINT, const wchar_t *> cases[] = {
        {{49, 39}, L"btn"},     {{50, 5}, L"bar"},      // a label without mouse input: its container answers
        {{120, 5}, L"rest"},                            // hidden controls take no space and are never hit
        {{10, 50}, L"row"},                             // "mousechild" off: the container answers for its children
        {{15, 75}, L"over"},                            // the float drawn last is on top
        {{299, 199}, L"under"}, {{300, 100}, nullptr},  // right and bottom edges are outside
    };
    for (const auto &c : cases) {
        CControlUI *found = laid.manager.FindControl(c.first);
        EXPECT_EQ(found != nullptr ? found->GetName() : L"(none)", c.second != nullptr ? c.second : L"(none)")
            << c.first.x << "," << c.first.y;
    }
}

TEST(Layout, NamesEnablingAndOptionGroupsFollowTheTree) {
    Laid laid(L"<VerticalLayout name=\"root\"><VerticalLayout name=\"box\"><Button name=\"a\"/></VerticalLayout>"
              L"<Option name=\"other\" group=\"h\" selected=\"true\"/></VerticalLayout>",
              200, 100);
    auto *box = static_cast<CContainerUI *>(laid[L"box"]);
    auto *b = new CLabelUI;
    b->SetName(L"b");
    box->Add(b);
    b->SetName(L"b2");
    EXPECT_TRUE(laid[L"b"] == nullptr && laid[L"b2"] == b);
    box->SetEnabled(false);
    EXPECT_FALSE(laid[L"a"]->IsEnabled() || laid[L"a"]->Activate());
    box->RemoveAll();
    EXPECT_EQ(laid[L"b2"], nullptr);
    // Option groups live in the manager: a page built without one joins its groups when placed.
    CDialogBuilder builder;
    CControlUI *page = builder.Create(L"<HorizontalLayout virtualwnd=\"V_P\"><Option name=\"p1\" group=\"g\" "
                                      L"selected=\"true\"/><Option name=\"p2\" group=\"g\"/></HorizontalLayout>");
    ASSERT_NE(page, nullptr);
    static_cast<CContainerUI *>(laid.root)->Add(page);
    auto *p2 = static_cast<COptionUI *>(laid[L"p2"]);
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->GetVirtualWnd(), L"V_P");
    p2->Selected(true);
    EXPECT_FALSE(static_cast<COptionUI *>(laid[L"p1"])->IsSelected());
    EXPECT_TRUE(static_cast<COptionUI *>(laid[L"other"])->IsSelected()) << "another group keeps its selection";
    laid.root->SetPos({0, 0, 200, 100});
    EXPECT_EQ(laid.manager.FindControl(POINT{150, 80}), p2);
}

}  // namespace
