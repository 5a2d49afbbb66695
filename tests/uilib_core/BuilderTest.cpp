// The skin builder: skins become the expected trees; bad input gives one clear line on
// standard error naming the skin, the place and the fault, and never crashes.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/uilib_core/TestWindow.h"
#include "uilib/UIlib.h"
#include "uilib/core/UIAttr.h"

namespace {

struct Built {
    bool capturing = (testing::internal::CaptureStderr(), true);
    std::string err;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root;
    explicit Built(const wchar_t *skin, IDialogBuilderCallback *factory = nullptr)
        : root(builder.Create(skin, nullptr, factory, &manager)) {
        if (root != nullptr) manager.AttachDialog(root);
    }
    ~Built() { Err(); }
    const std::string &Err() {
        if (capturing) err = testing::internal::GetCapturedStderr(), capturing = false;
        return err;
    }
    CControlUI *operator[](const wchar_t *name) { return manager.FindControl(name); }
};

TEST(Builder, BadSkinsGiveOneLineNamingFilePlaceAndFault) {
    struct Case {
        std::string content;  // written to a file; empty: the file does not exist
        const char *fault;
        bool builds;  // the fault is left out and the rest built
    };
    const Case cases[] = {
        {"", "file not found", false},
        {"<Window size=\"10,10\">\n<VerticalLayout>\n</Window>", "line 3, column 1: mismatched tag", false},
        {"<Window><Font size=\"12\"/></Window>", "no control to build", false},
        {"<Window><Label text=\"a\" text=\"b\"/></Window>", "line 1, column 25: duplicate attribute \"text\"", false},
        {"<Window>\n  <VerticalLayout>\n    <Mystery/></VerticalLayout></Window>",
         "line 3, column 5: unknown element <Mystery>", true},
        {"<Window>\n<Label text=\"x\" width=\"12x\"/></Window>",
         "line 2, column 17: bad value \"12x\" for attribute \"width\"", true},
        {"<Window><Label height=\"99999999999999999999\"/></Window>", "line 1, column 16: bad value", true},
        {"<Window><Label visible=\"maybe\"/></Window>", "column 16: bad value", true},
        {"<Window><Font size=\"big\"/><Label/></Window>", "column 9: bad value in <Font>", true},
        {"<Window><Default name=\"Label\" value=\"width=&quot;w&quot;\"/>\n<Label/></Window>",
         "line 2, column 1: bad value in the default attributes of <Label>", true},
    };
    for (const Case &c : cases) {
        const std::wstring name = L"uilib_bad_" + std::to_wstring(&c - cases) + L".xml";
        const std::wstring path = uitest::WriteTemp(name.c_str(), c.content);
        SCOPED_TRACE(c.fault);
        if (c.content.empty()) ::DeleteFileW(path.c_str());
        Built built(path.c_str());
        const std::string err = built.Err();
        EXPECT_EQ(built.root != nullptr, c.builds);
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(std::string(name.begin(), name.end())), std::string::npos) << err;
        EXPECT_NE(err.find(c.fault), std::string::npos) << err;
        EXPECT_EQ(built.builder.GetLastErrorMessage().empty(), c.builds);
        ::DeleteFileW(path.c_str());
    }
}

TEST(Builder, InlineSkinBuildsBuiltinTagsWithTheirAttributes) {
    Built b(L"<Window size=\"320,240\" caption=\"0,0,0,30\" roundcorner=\"4,4\" mininfo=\"100,80\" "
            L"bkcolor=\"#FF112233\"><Font id=\"1\" name=\"Microsoft YaHei\" size=\"16\" bold=\"true\"/>"
            L"<Default name=\"Button\" value=\"width=&quot;50&quot; height=&quot;20&quot; text=&quot;d&quot;\"/>"
            L"<VerticalLayout name=\"root\" inset=\"1,2,3,4\">"
            L"<Label name=\"title\" text=\"\x57FA\x7AD9 &amp; Co\" font=\"1\" height=\"30\"/>"
            L"<HorizontalLayout><Button name=\"a\"/><Button name=\"b\" width=\"70\"/></HorizontalLayout>"
            L"<TabLayout name=\"tabs\" selectedid=\"1\"><Container/><Container name=\"second\"/></TabLayout>"
            L"</VerticalLayout></Window>");
    ASSERT_NE(b.root, nullptr);
    EXPECT_EQ(b.root->GetBkColor(), 0xFF112233u);  // the window's bkcolor lands on the root
    EXPECT_EQ(b.manager.GetInitSize().cx * 1000 + b.manager.GetInitSize().cy, 320240);
    EXPECT_EQ(b.manager.GetCaptionRect().bottom * 100 + b.manager.GetRoundCorner().cx * 10, 3040);
    EXPECT_EQ(b.manager.GetMinInfo().cy, 80);
    ASSERT_NE(b.manager.GetFontInfo(1), nullptr);
    EXPECT_TRUE(b.manager.GetFontInfo(1)->iSize == 16 && b.manager.GetFontInfo(1)->bBold);
    EXPECT_EQ(b[L"title"]->GetText(), L"\x57FA\x7AD9 & Co");
    EXPECT_EQ(static_cast<CContainerUI *>(b.root)->GetInset().bottom, 4);
    // Default lists come first and the control's own attributes win.
    EXPECT_EQ(b[L"a"]->GetText() + L" " + std::to_wstring(b[L"a"]->GetFixedWidth()), L"d 50");
    EXPECT_EQ(b[L"b"]->GetFixedWidth() * 100 + b[L"b"]->GetFixedHeight(), 7020);
    EXPECT_TRUE(b[L"second"]->IsVisible()) << "a tab given before its pages existed";
}

TEST(Builder, UnknownTagsGoToTheFactoryAndNullSkipsTheirChildren) {
    struct Factory : IDialogBuilderCallback {
        std::vector<std::wstring> asked;
        CControlUI *CreateControl(LPCTSTR cls) override {
            asked.push_back(cls);
            CDialogBuilder sub;
            return _wcsicmp(cls, L"page") != 0 ? nullptr
                                               : sub.Create(L"<VerticalLayout name=\"pageRoot\"><Button "
                                                            L"name=\"inPage\"/></VerticalLayout>");
        }
    } factory;
    Built b(L"<Window><VerticalLayout><PAGE virtualwnd=\"V_Page\"/>\n"
            L"<Gadget><Button name=\"hidden\"/></Gadget><Label name=\"after\"/></VerticalLayout></Window>",
            &factory);
    ASSERT_NE(b.root, nullptr);
    EXPECT_EQ(factory.asked, (std::vector<std::wstring>{L"PAGE", L"Gadget"}));
    ASSERT_NE(b[L"pageRoot"], nullptr);
    EXPECT_EQ(b[L"inPage"]->GetVirtualWnd(), L"V_Page");  // the tag's attributes apply
    EXPECT_TRUE(b[L"hidden"] == nullptr && b[L"after"] != nullptr);
    EXPECT_EQ(b.Err(), "uilib: skin (inline skin): line 2, column 1: unknown element <Gadget> (left out)\n");
}

// Unknown attribute names are ignored; numbers are clamped so that a hostile skin cannot
// overflow the layout. If this fails, a skin can hang or scramble the window.
TEST(Builder, UnknownAttributesAreIgnoredAndNumbersClamped) {
    Built b(L"<Window size=\"2147483647,-2147483648\"><HorizontalLayout childpadding=\"2147483647\">"
            L"<Label name=\"l\" frobnicate=\"yes\" width=\"2147483647\" padding=\"2147483647,0,2147483647,0\"/>"
            L"<Button name=\"b\" width=\"2147483647\" width2=\"9\"/><Control name=\"c\" height=\"-2147483647\"/>"
            L"</HorizontalLayout></Window>");
    ASSERT_NE(b.root, nullptr);
    EXPECT_EQ(b.Err(), "");
    EXPECT_EQ(b.manager.GetInitSize().cx, uilib::kMaxSkinNumber);
    b.root->SetPos({0, 0, 800, 600});
    LONG right = -uilib::kMaxSkinNumber * 10;
    for (const wchar_t *name : {L"l", L"b", L"c"}) {
        const RECT rc = b[name]->GetPos();
        EXPECT_TRUE(right <= rc.left && rc.left <= rc.right && rc.top <= rc.bottom) << rc.left << "," << rc.right;
        right = rc.right;
    }
}

}  // namespace
