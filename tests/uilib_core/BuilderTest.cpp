// The skin builder: good skins become the expected trees (built-in tags, the factory for
// unknown ones, default attribute lists, window settings); bad input gives null and one
// clear line on standard error naming the skin and the fault, and never crashes.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "tests/uilib_core/StderrCapture.h"
#include "uilib/UIlib.h"
#include "uilib/core/UIAttr.h"

namespace {

int CountLines(const std::string &text) {
    int n = 0;
    for (char c : text) n += c == '\n' ? 1 : 0;
    return n;
}

std::wstring TempDir() {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return dir;
}

void WriteFile(const std::wstring &path, const std::string &bytes) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
}

struct BadSkin {
    const char *label;
    std::string content;  // written to a file; empty: the file does not exist
    const char *fault;    // expected in the one stderr line
    bool builds = false;  // the fault is left out and the rest built
};

class BuilderBadSkins : public ::testing::TestWithParam<BadSkin> {};

// If this fails, a broken or hostile skin fails silently or the operator's report does not
// say where the fault is.
TEST_P(BuilderBadSkins, GiveOneLineNamingFilePlaceAndFault) {
    const BadSkin &bad = GetParam();
    std::wstring name = std::wstring(L"uilib_bad_") + std::wstring(bad.label, bad.label + strlen(bad.label)) + L".xml";
    for (wchar_t &c : name) {
        if (c == L' ') c = L'_';
    }
    std::wstring path = TempDir() + name;
    ::DeleteFileW(path.c_str());
    if (!bad.content.empty()) WriteFile(path, bad.content);

    uitest::StderrCapture capture;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root = builder.Create(path.c_str(), nullptr, nullptr, &manager);
    std::string err = capture.Text();
    EXPECT_EQ(root != nullptr, bad.builds) << bad.label;
    EXPECT_EQ(CountLines(err), 1) << err;
    std::string narrowName(name.begin(), name.end());
    EXPECT_NE(err.find(narrowName), std::string::npos) << err;
    EXPECT_NE(err.find(bad.fault), std::string::npos) << err;
    EXPECT_EQ(builder.GetLastErrorMessage().empty(), bad.builds);
    delete root;
    ::DeleteFileW(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuilderBadSkins,
    ::testing::Values(
        BadSkin{"missing file", "", "file not found"},
        BadSkin{"unclosed tag", "<Window size=\"10,10\">\n<VerticalLayout>\n</Window>",
                "line 3, column 1: mismatched tag"},
        BadSkin{"bad entity", "<Window><Label text=\"&bogus;\"/></Window>", "bad entity"},
        BadSkin{"invalid utf8", "<Window><Label text=\"\xFF\xFE\"/></Window>", "invalid UTF-8"},
        BadSkin{"unclosed huge attribute", "<Window><Label text=\"" + std::string(10 * 1024 * 1024, 'a'),
                "unclosed attribute value"},
        BadSkin{"no control", "<Window><Font size=\"12\"/></Window>", "no control to build"},
        BadSkin{"repeated attribute", "<Window><Label text=\"a\" text=\"b\"/></Window>",
                "line 1, column 25: duplicate attribute \"text\""},
        BadSkin{"unknown element", "<Window>\n  <VerticalLayout>\n    <Mystery/></VerticalLayout></Window>",
                "line 3, column 5: unknown element <Mystery>", true},
        BadSkin{"bad number", "<Window>\n<Label text=\"x\" width=\"12x\"/></Window>",
                "line 2, column 17: bad value \"12x\" for attribute \"width\"", true},
        BadSkin{"number past any integer", "<Window><Label height=\"99999999999999999999\"/></Window>",
                "line 1, column 16: bad value", true},
        BadSkin{"bad colour", "<Window><Label bkcolor=\"#GG0000\"/></Window>", "column 16: bad value", true},
        BadSkin{"bad flag", "<Window><Label visible=\"maybe\"/></Window>", "column 16: bad value", true},
        BadSkin{"bad window size", "<Window size=\"abc\"><Label/></Window>", "line 1, column 9: bad value", true},
        BadSkin{"bad font", "<Window><Font size=\"big\"/><Label/></Window>", "column 9: bad value in <Font>", true},
        BadSkin{"bad default list",
                "<Window><Default name=\"Label\" value=\"width=&quot;w&quot;\"/>\n<Label/></Window>",
                "line 2, column 1: bad value in the default attributes of <Label>", true}));

TEST(Builder, InlineSkinBuildsBuiltinTagsWithTheirAttributes) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root = builder.Create(
        L"<Window size=\"320,240\" caption=\"0,0,0,30\" roundcorner=\"4,4\" mininfo=\"100,80\" bkcolor=\"#FF112233\">"
        L"<Font id=\"1\" name=\"Microsoft YaHei\" size=\"16\" bold=\"true\"/>"
        L"<VerticalLayout name=\"root\" inset=\"1,2,3,4\">"
        L"  <Label name=\"title\" text=\"\x57FA\x7AD9 &amp; Co\" font=\"1\" height=\"30\"/>"
        L"  <HorizontalLayout><Button name=\"ok\" text=\"OK\" width=\"80\"/><Option name=\"o1\" "
        L"group=\"g\"/></HorizontalLayout>"
        L"  <TabLayout name=\"tabs\" selectedid=\"1\"><Container/><Container name=\"second\"/></TabLayout>"
        L"</VerticalLayout></Window>",
        nullptr, nullptr, &manager);
    ASSERT_NE(root, nullptr) << std::string(builder.GetLastErrorMessage().begin(), builder.GetLastErrorMessage().end());
    manager.AttachDialog(root);

    EXPECT_STREQ(root->GetClass(), L"VerticalLayout");
    EXPECT_EQ(root->GetBkColor(), 0xFF112233u);  // the window's bkcolor lands on the root
    EXPECT_EQ(manager.GetInitSize().cx, 320);
    EXPECT_EQ(manager.GetInitSize().cy, 240);
    EXPECT_EQ(manager.GetCaptionRect().bottom, 30);
    EXPECT_EQ(manager.GetRoundCorner().cx, 4);
    EXPECT_EQ(manager.GetMinInfo().cy, 80);
    ASSERT_NE(manager.GetFontInfo(1), nullptr);
    EXPECT_EQ(manager.GetFontInfo(1)->iSize, 16);
    EXPECT_TRUE(manager.GetFontInfo(1)->bBold);

    CControlUI *title = manager.FindControl(L"title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->GetText(), L"\x57FA\x7AD9 & Co");
    EXPECT_EQ(title->GetFixedHeight(), 30);
    EXPECT_EQ(static_cast<CLabelUI *>(title)->GetFont(), 1);
    EXPECT_STREQ(manager.FindControl(L"ok")->GetClass(), L"Button");
    EXPECT_STREQ(manager.FindControl(L"o1")->GetClass(), L"Option");
    auto *tabs = static_cast<CTabLayoutUI *>(manager.FindControl(L"tabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetCurSel(), 1);  // "selectedid" given before the items existed
    EXPECT_TRUE(manager.FindControl(L"second")->IsVisible());
    EXPECT_EQ(static_cast<CContainerUI *>(root)->GetInset().bottom, 4);
}

TEST(Builder, DefaultListsComeFirstAndOwnAttributesWin) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root = builder.Create(
        L"<Window><Default name=\"Button\" value=\"width=&quot;50&quot; height=&quot;20&quot; text=&quot;dflt&quot;\"/>"
        L"<HorizontalLayout><Button name=\"a\"/><Button name=\"b\" width=\"70\"/></HorizontalLayout></Window>",
        nullptr, nullptr, &manager);
    ASSERT_NE(root, nullptr);
    manager.AttachDialog(root);
    EXPECT_EQ(manager.FindControl(L"a")->GetFixedWidth(), 50);
    EXPECT_EQ(manager.FindControl(L"a")->GetText(), L"dflt");
    EXPECT_EQ(manager.FindControl(L"b")->GetFixedWidth(), 70);
    EXPECT_EQ(manager.FindControl(L"b")->GetFixedHeight(), 20);
}

class PageFactory : public IDialogBuilderCallback {
public:
    CControlUI *CreateControl(LPCTSTR pstrClass) override {
        asked.push_back(pstrClass);
        if (_wcsicmp(pstrClass, L"page") == 0) {
            CDialogBuilder sub;
            return sub.Create(L"<VerticalLayout name=\"pageRoot\"><Button name=\"inPage\"/></VerticalLayout>");
        }
        return nullptr;
    }
    std::vector<std::wstring> asked;
};

TEST(Builder, UnknownTagsGoToTheFactoryAndNullSkipsTheirChildren) {
    uitest::StderrCapture capture;
    CPaintManagerUI manager;
    PageFactory factory;
    CDialogBuilder builder;
    CControlUI *root =
        builder.Create(L"<Window><VerticalLayout><PAGE virtualwnd=\"V_Page\"/>\n"
                       L"<Gadget><Button name=\"hidden\"/></Gadget><Label name=\"after\"/></VerticalLayout></Window>",
                       nullptr, &factory, &manager);
    ASSERT_NE(root, nullptr);
    manager.AttachDialog(root);
    EXPECT_EQ(factory.asked, (std::vector<std::wstring>{L"PAGE", L"Gadget"}));
    CControlUI *page = manager.FindControl(L"pageRoot");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetParent(), root);
    EXPECT_EQ(manager.FindControl(L"inPage")->GetVirtualWnd(), L"V_Page");  // the tag's attributes apply
    EXPECT_EQ(manager.FindControl(L"hidden"), nullptr);
    EXPECT_NE(manager.FindControl(L"after"), nullptr);
    EXPECT_EQ(static_cast<CContainerUI *>(root)->GetCount(), 2);
    const std::string err = capture.Text();
    EXPECT_EQ(CountLines(err), 1) << err;
    EXPECT_NE(err.find("uilib: skin (inline skin): line 2, column 1: unknown element <Gadget> (left out)"),
              std::string::npos)
        << err;
}

// Unknown attribute names are ignored; numbers are clamped to +-100000, so that a hostile
// skin cannot overflow the layout. If this fails, a skin can hang or scramble the window.
TEST(Builder, UnknownAttributesAreIgnoredAndNumbersClamped) {
    uitest::StderrCapture capture;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root = builder.Create(
        L"<Window size=\"2147483647,-2147483648\"><HorizontalLayout childpadding=\"2147483647\">"
        L"<Label name=\"l\" frobnicate=\"yes\" width=\"2147483647\" padding=\"2147483647,0,2147483647,0\"/>"
        L"<Button name=\"b\" width=\"2147483647\" width2=\"9\"/><Control name=\"c\" height=\"-2147483647\"/>"
        L"</HorizontalLayout></Window>",
        nullptr, nullptr, &manager);
    ASSERT_NE(root, nullptr);
    manager.AttachDialog(root);
    EXPECT_TRUE(capture.Text().empty()) << capture.Text();
    EXPECT_EQ(manager.GetInitSize().cx, uilib::kMaxSkinNumber);
    EXPECT_EQ(manager.FindControl(L"l")->GetFixedWidth(), uilib::kMaxSkinNumber);
    root->SetPos({0, 0, 800, 600});
    for (const wchar_t *name : {L"l", L"b", L"c"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const RECT rc = manager.FindControl(name)->GetPos();
        EXPECT_LE(rc.left, rc.right);
        EXPECT_LE(rc.top, rc.bottom);
    }
    EXPECT_LE(manager.FindControl(L"l")->GetPos().right, manager.FindControl(L"b")->GetPos().left);
    EXPECT_LE(manager.FindControl(L"b")->GetPos().right, manager.FindControl(L"c")->GetPos().left);
}

TEST(Builder, ATenMegabyteAttributeBuilds) {
    std::string big(10 * 1024 * 1024, 'z');
    std::wstring xml = L"<Window><Label name=\"big\" text=\"" + std::wstring(big.begin(), big.end()) + L"\"/></Window>";
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI *root = builder.Create(xml.c_str(), nullptr, nullptr, &manager);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetText().size(), big.size());
    delete root;
}

TEST(Builder, FileUnderTheResourcePathWithRepeatedSeparators) {
    std::wstring dir = TempDir() + L"uilib_res\\";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CreateDirectoryW((dir + L"sub").c_str(), nullptr);
    WriteFile(dir + L"sub\\skin.xml", "<Window><Label name=\"x\"/></Window>");
    CDuiString saved = CPaintManagerUI::GetResourcePath();
    CPaintManagerUI::SetResourcePath(dir.c_str());
    EXPECT_EQ(CPaintManagerUI::ResolveResourceFile(L"//sub//skin.xml"), dir + L"sub\\skin.xml");
    EXPECT_EQ(CPaintManagerUI::ResolveResourceFile(L"/sub/skin.xml"), dir + L"sub\\skin.xml");
    CDialogBuilder builder;
    CControlUI *root = builder.Create(L"//sub//skin.xml");
    EXPECT_NE(root, nullptr);
    EXPECT_TRUE(builder.GetLastErrorMessage().empty());
    delete root;
    CPaintManagerUI::SetResourcePath(saved.c_str());
    ::DeleteFileW((dir + L"sub\\skin.xml").c_str());
}

TEST(Builder, EveryBuiltinClassNameCreatesItsClass) {
    const wchar_t *names[] = {L"Control",
                              L"Container",
                              L"VerticalLayout",
                              L"HorizontalLayout",
                              L"TabLayout",
                              L"Label",
                              L"Text",
                              L"Button",
                              L"Option",
                              L"Edit",
                              L"ScrollBar",
                              L"Progress",
                              L"Slider",
                              L"List",
                              L"ListHeader",
                              L"ListHeaderItem",
                              L"ListLabelElement",
                              L"ListTextElement",
                              L"ListContainerElement",
                              L"Combo",
                              L"DateTime"};
    for (const wchar_t *name : names) {
        CControlUI *c = CreateBuiltinControl(name);
        ASSERT_NE(c, nullptr) << std::string(name, name + wcslen(name));
        EXPECT_STREQ(c->GetClass(), name);
        delete c;
    }
    EXPECT_EQ(CreateBuiltinControl(L"menu0_0"), nullptr);
}

}  // namespace
