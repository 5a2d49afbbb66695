// The inspection hook over a real window: "UILibInspect" with a requester window in
// wParam is answered with WM_COPYDATA (tag 0x55494C49) holding the UTF-8 tree dump.
// If this fails, the tests and spy tools that read windows see nothing or wrong data.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

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

namespace {

// A spy tool reads the dump: a password must not be in it, and a container's scroll bars
// are listed with the container's children, or the tree is incomplete.
TEST(Inspect, PasswordsAreMaskedAndScrollBarsListed) {
    TestWindow wnd(L"<Window><VerticalLayout name=\"root\" vscrollbar=\"true\">"
                   L"<Edit name=\"pw\" height=\"20\" password=\"true\" text=\"secret\"/>"
                   L"<Edit name=\"plain\" height=\"20\" text=\"shown\"/>"
                   L"<Control name=\"tall\" height=\"900\"/>"
                   L"</VerticalLayout></Window>",
                   L"UILibInspectWnd3");
    ASSERT_NE(wnd.Open(120, 100), nullptr);
    const std::string dump = wnd.Manager().InspectDump();
    EXPECT_EQ(dump.find("secret"), std::string::npos) << dump;
    std::map<std::string, std::vector<std::string>> byName;
    std::vector<std::vector<std::string>> bars;
    for (const auto &row : Rows(dump)) {
        if (row.size() < 12) continue;
        byName[row[2]] = row;
        if (row[1] == "ScrollBar") bars.push_back(row);
    }
    EXPECT_EQ(byName["pw"][11], "\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F");
    EXPECT_EQ(byName["plain"][11], "shown");
    ASSERT_EQ(bars.size(), 1u) << dump;
    EXPECT_EQ(bars[0][0], "1") << "one level below its container";
    EXPECT_EQ(bars[0][3], "1") << "shown: the content is taller than the view";
}

// The UI thread answers a requester of another thread without waiting for it: a slow
// (or hung) spy tool must not freeze the console. The receiver here replies only once
// the UI thread has handled a message it posted; a UI thread that waited would not.
HWND g_uiWnd = nullptr;
HANDLE g_released = nullptr;
std::atomic<bool> g_gaveUp{false}, g_replied{false};
std::string g_slowReceived;

LRESULT CALLBACK SlowReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto *cds = reinterpret_cast<COPYDATASTRUCT *>(lParam);
        g_slowReceived.assign(static_cast<const char *>(cds->lpData), cds->cbData);
        ::PostMessageW(g_uiWnd, WM_APP, 0, 0);
        if (::WaitForSingleObject(g_released, 3000) != WAIT_OBJECT_0) g_gaveUp = true;
        g_replied = true;
        return TRUE;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK UiHelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) ::SetEvent(g_released);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MessageWindow(const wchar_t *className, WNDPROC proc) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

TEST(Inspect, ASlowRequesterOnAnotherThreadDoesNotHoldTheUiThread) {
    TestWindow wnd(L"<Window><VerticalLayout name=\"root\"/></Window>", L"UILibInspectWnd4");
    const HWND hwnd = wnd.Open(50, 50);
    ASSERT_NE(hwnd, nullptr);
    g_uiWnd = MessageWindow(L"UILibInspectUiHelper", &UiHelperProc);
    g_released = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> receiver{nullptr};
    std::thread spy([&receiver] {
        receiver = MessageWindow(L"UILibInspectSlowReceiver", &SlowReceiverProc);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    });
    while (receiver.load() == nullptr) ::Sleep(5);

    ::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), reinterpret_cast<WPARAM>(receiver.load()), 0);
    for (int i = 0; i < 1000 && !g_replied; ++i) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
    EXPECT_TRUE(g_replied);
    EXPECT_FALSE(g_gaveUp) << "the UI thread waited for the receiver";
    EXPECT_EQ(g_slowReceived, wnd.Manager().InspectDump());
    ::PostMessageW(receiver.load(), WM_QUIT, 0, 0);
    spy.join();
    ::DestroyWindow(g_uiWnd);
    ::CloseHandle(g_released);
}

}  // namespace
