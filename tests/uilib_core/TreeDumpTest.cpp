// The inspection hook: "UILibInspect" is answered with WM_COPYDATA holding the UTF-8 tree
// dump. If this fails, the tests and spy tools that read windows see wrong data.
#include <gtest/gtest.h>

#include "tests/support/UiDump.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

// Each line: depth class name visible enabled selected value l t r b text; escaped text, masked
// passwords, a container's scroll bar first among its children.
TEST(Inspect, RequesterGetsTheTreeAsUtf8Lines) {
    TestWindow wnd(L"<Window><VerticalLayout name=\"root\" vscrollbar=\"true\">"
                   L"<Label name=\"title\" height=\"20\" text=\"a&#9;b&#10;c\\d \x57FA\"/>"
                   L"<HorizontalLayout name=\"bar\" height=\"30\" visible=\"false\"><Button name=\"in\"/>"
                   L"</HorizontalLayout><Option name=\"opt\" height=\"30\" selected=\"true\" enabled=\"false\"/>"
                   L"<TabLayout name=\"tabs\" selectedid=\"1\" height=\"30\"><Control name=\"p0\"/><Control "
                   L"name=\"p1\"/></TabLayout><Edit name=\"pw\" height=\"20\" password=\"true\" text=\"se\"/>"
                   L"<Control height=\"900\"/></VerticalLayout></Window>",
                   L"UILibInspectWnd");
    const HWND hwnd = wnd.Open(200, 160);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), 0, 0), 0) << "no requester";
    char head[64];
    snprintf(head, sizeof head, "window\tUILibInspectWnd\t0x%08lX\n",
             static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd)));
    // Fields apart by '|'; @: the right edge beside the scroll bar.
    std::string expected = head;
    for (const char *line :
         {"0|VerticalLayout|root|1|1|-|-|0|0|200|160|", "1|ScrollBar||1|1|-|0|@|0|200|160|",
          "1|Label|title|1|1|-|-|0|0|@|20|a\\tb\\nc\\\\d \xE5\x9F\xBA", "1|HorizontalLayout|bar|0|1|-|-|0|0|0|0|",
          "2|Button|in|0|1|-|-|0|0|0|0|", "1|Option|opt|1|0|1|-|0|20|@|50|", "1|TabLayout|tabs|1|1|-|1|0|50|@|80|",
          "2|Control|p0|0|1|-|-|0|0|0|0|", "2|Control|p1|1|1|-|-|0|50|@|80|",
          "1|Edit|pw|1|1|-|-|0|80|@|100|\xE2\x97\x8F\xE2\x97\x8F", "1|Control||1|1|-|-|0|100|@|1000|"}) {
        for (const char *c = line; *c; ++c)
            expected += *c == '|'   ? "\t"
                        : *c == '@' ? std::to_string(200 - CScrollBarUI::kDefaultThickness)
                                    : std::string(1, *c);
        expected += "\n";
    }
    EXPECT_EQ(e2e::InspectWindow(hwnd), expected);
}
