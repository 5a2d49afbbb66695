// If these fail, a page of the main window is empty or nested.
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
                  "<Menu1_1 /><unknowntag /><Label name=\"after\" /></VerticalLayout></Window>"}};

std::vector<std::wstring> Children(CControlUI *control) {
    std::vector<std::wstring> names;
    auto *container = control ? static_cast<IContainerUI *>(control->GetInterface(L"IContainer")) : nullptr;
    for (int i = 0; container && i < container->GetCount(); ++i) names.push_back(container->GetItemAt(i)->GetName());
    return names;
}

}  // namespace

TEST(ControlFactory, PageTagsExpandInAnyLetterCaseAndNothingElseDoes) {
    TempSkinFolder skins(kPageSkins);
    CDialogBuilderCallbackEx factory;
    const struct {
        const wchar_t *tag;
        const wchar_t *root;  // null: no control
    } cases[] = {{L"MENU0_0", L"page00"}, {L"mEnU1_1", L"page11"}, {L"menu1_0", L"page10"},
                 {L"menu0_1", nullptr},   {L"menu0_0x", nullptr},  {L"menu0", nullptr}};
    for (const auto &c : cases) {
        std::unique_ptr<CControlUI> made(factory.CreateControl(c.tag));
        EXPECT_EQ(made ? std::wstring(made->GetName()) : L"(none)", c.root ? c.root : L"(none)")
            << testing::PrintToString(std::wstring(c.tag));
    }
    // Inside a sub-skin the page tags yield nothing; the sub-skin keeps its virtual window.
    std::unique_ptr<CControlUI> page(factory.CreateControl(L"menu0_0"));
    EXPECT_EQ(Children(page.get()), std::vector<std::wstring>{L"inner"});
    EXPECT_EQ(page->GetVirtualWnd(), L"V_Menu0_0");
    // In a skin the page stands where its tag stood; an unknown tag adds nothing.
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(L"main.xml", nullptr, &factory));
    EXPECT_EQ(Children(root.get()), (std::vector<std::wstring>{L"before", L"page11", L"after"}));
    std::map<std::wstring, std::string> files = kPageSkins;
    files.erase(L"menu1_0.xml");
    TempSkinFolder without(files);
    EXPECT_EQ(factory.CreateControl(L"menu1_0"), nullptr);
}
