#include "tests/support/UiDump.h"

#include <sstream>

#include "tests/support/WaitFor.h"
#include "uilib/core/UIDefine.h"

namespace e2e {

namespace {

std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const COPYDATASTRUCT *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        if (cds->dwData == UILIB_INSPECT_COPYDATA_TAG) {
            g_reply.assign(static_cast<const char *>(cds->lpData), cds->cbData);
            g_replied = true;
            return TRUE;
        }
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

std::vector<std::string> SplitText(const std::string &text, char sep) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t at = text.find(sep, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

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

UiDump UiDump::Of(HWND hWnd) {
    UiDump dump;
    std::istringstream in(InspectWindow(hWnd));
    std::string line;
    std::getline(in, line);  // the window line
    while (std::getline(in, line)) {
        const std::vector<std::string> f = SplitText(line, '\t');
        if (f.size() < 11) continue;
        DumpedControl c;
        c.depth = std::atoi(f[0].c_str());
        c.cls = f[1];
        c.name = f[2];
        c.visible = f[3] == "1";
        c.enabled = f[4] == "1";
        c.selected = f[5];
        c.value = f[6];
        c.rect =
            RECT{std::atoi(f[7].c_str()), std::atoi(f[8].c_str()), std::atoi(f[9].c_str()), std::atoi(f[10].c_str())};
        if (f.size() > 11) c.text = f[11];
        dump.m_controls.push_back(c);
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
    if (c == nullptr || c->value == "-" || c->value.empty()) return -1;
    return std::atoi(c->value.c_str());
}

std::vector<const DumpedControl *> UiDump::Visible(const std::string &cls) const {
    std::vector<const DumpedControl *> found;
    for (const DumpedControl &c : m_controls)
        if (c.cls == cls && c.visible) found.push_back(&c);
    return found;
}

void ClickAt(HWND hWnd, int x, int y, bool twice, bool post) {
    const LPARAM at = MAKELPARAM(x, y);
    auto send = [&](UINT msg, WPARAM w) {
        if (post)
            ::PostMessageW(hWnd, msg, w, at);
        else
            ::SendMessageW(hWnd, msg, w, at);
    };
    send(WM_MOUSEMOVE, 0);
    send(WM_LBUTTONDOWN, MK_LBUTTON);
    send(WM_LBUTTONUP, 0);
    if (twice) {
        send(WM_LBUTTONDBLCLK, MK_LBUTTON);
        send(WM_LBUTTONUP, 0);
    }
}

void ClickRect(HWND hWnd, const RECT &rc, bool twice, bool post) {
    ClickAt(hWnd, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, twice, post);
}

void TypeText(HWND hWnd, const RECT &edit, const std::string &text) {
    ClickRect(hWnd, edit);
    ::SendMessageW(hWnd, WM_KEYDOWN, VK_END, 0);
    ::SendMessageW(hWnd, WM_KEYUP, VK_END, 0);
    for (int i = 0; i < 20; ++i) {
        ::SendMessageW(hWnd, WM_KEYDOWN, VK_BACK, 0);
        ::SendMessageW(hWnd, WM_CHAR, VK_BACK, 0);
        ::SendMessageW(hWnd, WM_KEYUP, VK_BACK, 0);
    }
    for (char ch : text) ::SendMessageW(hWnd, WM_CHAR, static_cast<WPARAM>(ch), 0);
}

}  // namespace e2e
