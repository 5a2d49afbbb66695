// The page factory: which tags expand to which sub-skin, and that sub-skins expand
// nothing of their own. If it fails, a page of the main window is empty or nested.
#include <gtest/gtest.h>

#include <memory>

#include "tests/shell/ShellHarness.h"
#include "ui/ControlFactory.h"

using namespace shelltest;

namespace {

const std::map<std::wstring, std::string> kPageSkins = {
    {L"menu0_0.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                     "<VerticalLayout name=\"page00\" virtualwnd=\"V_Menu0_0\"><Button name=\"inner\" />"
                     "<menu1_1 /><MENU1_0 /></VerticalLayout>"},
    {L"menu1_1.xml", "<HorizontalLayout name=\"page11\"><Label name=\"a\" /></HorizontalLayout>"},
    {L"menu1_0.xml", "<Label name=\"page10\" />"},
    {L"main.xml", "<Window size=\"100,100\"><VerticalLayout name=\"root\"><Label name=\"before\" />"
                  "<Menu1_1 /><unknowntag /><Label name=\"after\" /></VerticalLayout></Window>"},
};

std::wstring NameOf(CControlUI *control) { return control != nullptr ? control->GetName() : L"(none)"; }

}  // namespace

TEST(ControlFactory, PageTagsExpandInAnyLetterCaseAndNothingElseDoes) {
    TempSkinFolder skins(kPageSkins);
    CDialogBuilderCallbackEx factory;
    struct Case {
        const wchar_t *tag;
        const wchar_t *root;  // null: no control
    } cases[] = {
        {L"menu0_0", L"page00"}, {L"MENU0_0", L"page00"}, {L"Menu0_0", L"page00"}, {L"menu1_1", L"page11"},
        {L"mEnU1_1", L"page11"}, {L"menu1_0", L"page10"}, {L"MENU1_0", L"page10"}, {L"menu0_1", nullptr},
        {L"menu1_2", nullptr},   {L"menu0_0x", nullptr},  {L"menu0", nullptr},     {L"Button", nullptr},
        {L"", nullptr},
    };
    for (const Case &c : cases) {
        std::unique_ptr<CControlUI> made(factory.CreateControl(c.tag));
        if (c.root == nullptr) {
            EXPECT_EQ(made, nullptr) << "tag " << testing::PrintToString(std::wstring(c.tag));
        } else {
            EXPECT_EQ(NameOf(made.get()), c.root) << "tag " << testing::PrintToString(std::wstring(c.tag));
        }
    }
}

TEST(ControlFactory, SubSkinsAreBuiltWithoutTheFactory) {
    TempSkinFolder skins(kPageSkins);
    CDialogBuilderCallbackEx factory;
    std::unique_ptr<CControlUI> page(factory.CreateControl(L"menu0_0"));
    ASSERT_NE(page, nullptr);
    IContainerUI *container = static_cast<IContainerUI *>(page->GetInterface(L"IContainer"));
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(container->GetCount(), 1) << "the page tags inside a sub-skin yield nothing";
    EXPECT_EQ(NameOf(container->GetItemAt(0)), L"inner");
    EXPECT_EQ(page->GetVirtualWnd(), L"V_Menu0_0");
}

TEST(ControlFactory, MissingSubSkinYieldsNoControl) {
    std::map<std::wstring, std::string> files = kPageSkins;
    files.erase(L"menu1_0.xml");
    TempSkinFolder skins(files);
    EXPECT_EQ(CDialogBuilderCallbackEx().CreateControl(L"menu1_0"), nullptr);
}

TEST(ControlFactory, TheBuilderPlacesTheExpandedPageWhereTheTagStood) {
    TempSkinFolder skins(kPageSkins);
    CDialogBuilderCallbackEx factory;
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(L"main.xml", nullptr, &factory));
    ASSERT_NE(root, nullptr) << std::string(builder.GetLastErrorMessage().begin(), builder.GetLastErrorMessage().end());
    IContainerUI *container = static_cast<IContainerUI *>(root->GetInterface(L"IContainer"));
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(container->GetCount(), 3) << "the unknown tag adds nothing";
    EXPECT_EQ(NameOf(container->GetItemAt(0)), L"before");
    EXPECT_EQ(NameOf(container->GetItemAt(1)), L"page11");
    EXPECT_EQ(NameOf(container->GetItemAt(2)), L"after");
}
