#include "tests/support/UiDump.h"

#include <sstream>

#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "uilib/core/UIDefine.h"

namespace e2e {

namespace {

std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const COPYDATASTRUCT *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
    if (msg != WM_COPYDATA || cds->dwData != UILIB_INSPECT_COPYDATA_TAG)
        return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    g_reply.assign(static_cast<const char *>(cds->lpData), cds->cbData);
    g_replied = true;
    return TRUE;
}

}  // namespace

std::string InspectWindow(HWND target, unsigned timeoutMs) {
    static const wchar_t kClass[] = L"E2eInspectReceiver";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);  // a second registration fails harmlessly
    const HWND receiver =
        ::CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    g_reply.clear();
    g_replied = false;
    ::PostMessageW(target, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), reinterpret_cast<WPARAM>(receiver), 0);
    testsupport::WaitFor([] { return g_replied; }, timeoutMs);
    ::DestroyWindow(receiver);
    return g_reply;
}

std::vector<std::string> SplitText(const std::string &text, char sep) {
    std::vector<std::string> parts(1);
    for (char ch : text) {
        if (ch == sep)
            parts.emplace_back();
        else
            parts.back().push_back(ch);
    }
    return parts;
}

UiDump UiDump::Of(HWND hWnd) {
    UiDump dump;
    std::istringstream in(InspectWindow(hWnd));
    std::string line;
    std::getline(in, line);  // the window line
    while (std::getline(in, line)) {
        const std::vector<std::string> f = SplitText(line, '\t');
        if (f.size() < 11) continue;
        auto at = [&](int i) { return std::atoi(f[i].c_str()); };
        dump.m_controls.push_back({f[1], f[2], f[3] == "1", f[4] == "1", f[5], f[6], RECT{at(7), at(8), at(9), at(10)},
                                   f.size() > 11 ? f[11] : ""});
    }
    return dump;
}

const DumpedControl *UiDump::Find(const std::string &name, bool visibleOnly) const {
    for (const DumpedControl &c : m_controls)
        if (c.name == name && (c.visible || !visibleOnly)) return &c;
    return nullptr;
}

int UiDump::IntValue(const std::string &name) const {
    const DumpedControl *c = Find(name);
    return c == nullptr || c->value == "-" || c->value.empty() ? -1 : std::atoi(c->value.c_str());
}

std::vector<const DumpedControl *> UiDump::Visible(const std::string &cls) const {
    std::vector<const DumpedControl *> found;
    for (const DumpedControl &c : m_controls)
        if (c.cls == cls && c.visible) found.push_back(&c);
    return found;
}

void ClickAt(HWND hWnd, int x, int y, bool twice, bool post) { testsupport::SendClick(hWnd, {x, y}, twice, post); }

void ClickRect(HWND hWnd, const RECT &rc, bool twice, bool post) {
    ClickAt(hWnd, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, twice, post);
}

void TypeText(HWND hWnd, const RECT &edit, const std::string &text) {
    ClickRect(hWnd, edit);
    ::SendMessageW(hWnd, WM_KEYDOWN, VK_END, 0);
    for (int i = 0; i < 20; ++i) ::SendMessageW(hWnd, WM_KEYDOWN, VK_BACK, 0);
    for (char ch : text) ::SendMessageW(hWnd, WM_CHAR, static_cast<WPARAM>(ch), 0);
}

}  // namespace e2e
