// The inspection hook over a real window: "UILibInspect" with a requester window in
// wParam is answered with WM_COPYDATA (tag 0x55494C49) holding the UTF-8 tree dump.
// If this fails, the tests and spy tools that read windows see nothing or wrong data.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/uilib_core/TestWindow.h"
#include "uilib/UIlib.h"

using uitest::TestWindow;

namespace {

std::string gReceived;
ULONG_PTR gTag = 0;
HWND gFrom = nullptr;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COPYDATA) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    auto *cds = reinterpret_cast<COPYDATASTRUCT *>(lParam);
    gTag = cds->dwData;
    gFrom = reinterpret_cast<HWND>(wParam);
    gReceived.assign(static_cast<const char *>(cds->lpData), cds->cbData);
    return TRUE;
}

HWND MessageWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UILibInspectReceiver";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

LRESULT Inspect(HWND hwnd, HWND requester) {
    return ::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), reinterpret_cast<WPARAM>(requester),
                          0);
}

std::vector<std::vector<std::string>> Rows(const std::string &text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line, field;
    while (std::getline(lines, line)) {
        rows.emplace_back();
        std::istringstream fields(line);
        while (std::getline(fields, field, '\t')) rows.back().push_back(field);
        if (!line.empty() && line.back() == '\t') rows.back().push_back("");
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
    const HWND hwnd = wnd.Open(200, 160);
    ASSERT_NE(hwnd, nullptr);
    const HWND receiver = MessageWindow();
    gReceived.clear();
    EXPECT_EQ(Inspect(hwnd, nullptr), 0) << "a bad requester is ignored";
    EXPECT_EQ(Inspect(hwnd, receiver), 1);
    EXPECT_EQ(gTag, static_cast<ULONG_PTR>(UILIB_INSPECT_COPYDATA_TAG));
    EXPECT_EQ(gFrom, hwnd);
    EXPECT_EQ(gReceived, wnd.Manager().InspectDump());
    const auto rows = Rows(gReceived);
    ASSERT_EQ(rows.size(), 9u) << gReceived;
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][0] + " " + rows[0][1], "window UILibInspectWnd");
    EXPECT_EQ(strtoul(rows[0][2].c_str(), nullptr, 16), reinterpret_cast<ULONG_PTR>(hwnd));
    // depth class name visible enabled selected value l t r b text
    const std::vector<std::vector<std::string>> expected = {
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
        ASSERT_EQ(rows[i + 1].size(), 12u) << "line " << i + 1;
        for (size_t f = 0; f < expected[i].size(); ++f)
            EXPECT_EQ(rows[i + 1][f], expected[i][f]) << "line " << i + 1 << " field " << f;
    }
    ::DestroyWindow(receiver);
}

// A spy tool reads the dump: a password must not be in it, and a container's scroll bars
// are listed with the container's children, or the tree is incomplete.
TEST(Inspect, PasswordsAreMaskedAndScrollBarsListed) {
    TestWindow wnd(L"<Window><VerticalLayout name=\"root\" vscrollbar=\"true\">"
                   L"<Edit name=\"pw\" height=\"20\" password=\"true\" text=\"secret\"/>"
                   L"<Edit name=\"plain\" height=\"20\" text=\"shown\"/><Control height=\"900\"/>"
                   L"</VerticalLayout></Window>",
                   L"UILibInspectWnd3");
    ASSERT_NE(wnd.Open(120, 100), nullptr);
    const std::string dump = wnd.Manager().InspectDump();
    EXPECT_EQ(dump.find("secret"), std::string::npos) << dump;
    std::vector<std::string> texts, bars;
    for (const auto &row : Rows(dump)) {
        if (row.size() == 12 && row[1] == "Edit") texts.push_back(row[11]);
        if (row.size() == 12 && row[1] == "ScrollBar") bars.push_back(row[0] + " " + row[3]);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F", "shown"}));
    EXPECT_EQ(bars, std::vector<std::string>{"1 1"}) << "one level below its container, shown";
}

}  // namespace
