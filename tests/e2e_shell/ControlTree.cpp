#include "tests/e2e_shell/ControlTree.h"

#include <sstream>
#include <vector>

#include "tests/support/WaitFor.h"
#include "uilib/core/UIDefine.h"

namespace e2eshell {

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

std::vector<std::string> Split(const std::string &line, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, sep)) parts.push_back(part);
    return parts;
}

}  // namespace

std::string InspectWindow(HWND target, unsigned timeoutMs) {
    static const wchar_t kClass[] = L"E2eInspectReceiver";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);   // a second registration fails harmlessly
    const HWND receiver = ::CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                            wc.hInstance, nullptr);
    g_reply.clear();
    g_replied = false;
    ::PostMessageW(target, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE),
                   reinterpret_cast<WPARAM>(receiver), 0);
    testsupport::WaitFor([] { return g_replied; }, timeoutMs);
    ::DestroyWindow(receiver);
    return g_reply;
}

std::vector<std::string> ControlTexts(HWND target, const std::string &className) {
    std::istringstream dump(InspectWindow(target));
    std::string line;
    std::vector<std::string> texts;
    while (std::getline(dump, line)) {
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() >= 11 && f[1] == className && f[3] == "1") texts.push_back(f.size() > 11 ? f[11] : "");
    }
    return texts;
}

bool FindControlRect(HWND target, const std::string &name, RECT *rect) {
    std::istringstream dump(InspectWindow(target));
    std::string line;
    while (std::getline(dump, line)) {
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() < 11 || f[2] != name || f[3] != "1") continue;
        rect->left = std::stol(f[7]);
        rect->top = std::stol(f[8]);
        rect->right = std::stol(f[9]);
        rect->bottom = std::stol(f[10]);
        return true;
    }
    return false;
}

}  // namespace e2eshell
