// The inspection hook over a real window: "UILibInspect" with a requester window in
// wParam is answered with WM_COPYDATA (tag 0x55494C49) holding the UTF-8 tree dump.
// If this fails, the tests and spy tools that read windows see nothing or wrong data.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/uilib_core/TestWindow.h"
#include "uilib/UIlib.h"

using uitest::TestWindow;

namespace {

std::string gReceived;
ULONG_PTR gTag = 0;
HWND gFrom = nullptr;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto *cds = reinterpret_cast<COPYDATASTRUCT *>(lParam);
        gTag = cds->dwData;
        gFrom = reinterpret_cast<HWND>(wParam);
        gReceived.assign(static_cast<const char *>(cds->lpData), cds->cbData);
        return TRUE;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeReceiver() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UILibInspectReceiver";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

std::vector<std::vector<std::string>> Rows(const std::string &text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        rows.push_back(fields);
    }
    return rows;
}

TEST(Inspect, RequesterGetsTheTreeAsUtf8Lines) {
    TestWindow wnd(
        L"<Window><VerticalLayout name=\"root\">"
        L"<Label name=\"title\" height=\"20\" text=\"a&#9;b&#10;c\\d \x57FA\x7AD9\"/>"
        L"<HorizontalLayout name=\"bar\" height=\"30\" visible=\"false\"><Button name=\"inner\"/></HorizontalLayout>"
        L"<Option name=\"opt\" height=\"30\" selected=\"true\" enabled=\"false\"/>"
        L"<TabLayout name=\"tabs\" selectedid=\"1\"><Control name=\"p0\"/><Control name=\"p1\"/></TabLayout>"
        L"</VerticalLayout></Window>",
        L"UILibInspectWnd");
    HWND hwnd = wnd.Open(200, 160);
    ASSERT_NE(hwnd, nullptr);
    HWND receiver = MakeReceiver();
    ASSERT_NE(receiver, nullptr);
    gReceived.clear();
    LRESULT r =
        ::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), reinterpret_cast<WPARAM>(receiver), 0);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(gTag, static_cast<ULONG_PTR>(UILIB_INSPECT_COPYDATA_TAG));
    EXPECT_EQ(gFrom, hwnd);
    EXPECT_EQ(gReceived, wnd.Manager().InspectDump());

    auto rows = Rows(gReceived);
    ASSERT_GE(rows.size(), 9u) << gReceived;
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][0], "window");
    EXPECT_EQ(rows[0][1], "UILibInspectWnd");
    EXPECT_EQ(strtoul(rows[0][2].c_str(), nullptr, 16), reinterpret_cast<ULONG_PTR>(hwnd));

    // depth class name visible enabled selected value l t r b text
    std::vector<std::vector<std::string>> expected = {
        {"0", "VerticalLayout", "root", "1", "1", "-", "-", "0", "0", "200", "160", ""},
        {"1", "Label", "title", "1", "1", "-", "-", "0", "0", "200", "20", "a\\tb\\nc\\\\d \xE5\x9F\xBA\xE7\xAB\x99"},
        {"1", "HorizontalLayout", "bar", "0", "1", "-", "-"},
        {"2", "Button", "inner", "0", "1", "-", "-"},
        {"1", "Option", "opt", "1", "0", "1", "-", "0", "20", "200", "50", ""},
        {"1", "TabLayout", "tabs", "1", "1", "-", "1", "0", "50", "200", "160", ""},
        {"2", "Control", "p0", "0", "1", "-", "-"},
        {"2", "Control", "p1", "1", "1", "-", "-", "0", "50", "200", "160", ""},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto &row = rows[i + 1];
        ASSERT_EQ(row.size(), 12u) << "line " << i + 1;
        for (size_t f = 0; f < expected[i].size(); ++f)
            EXPECT_EQ(row[f], expected[i][f]) << "line " << i + 1 << " field " << f;
    }
    ::DestroyWindow(receiver);
}

TEST(Inspect, ABadRequesterIsIgnored) {
    TestWindow wnd(L"<Window><VerticalLayout/></Window>", L"UILibInspectWnd2");
    HWND hwnd = wnd.Open(50, 50);
    ASSERT_NE(hwnd, nullptr);
    LRESULT r = ::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), 0, 0);
    EXPECT_EQ(r, 0);
}

}  // namespace
