#include "tests/uilib_core/TestWindow.h"

#include <algorithm>
#include <cstring>

#include "tests/support/WaitFor.h"
#include "uilib/core/UIText.h"

namespace uitest {

TestWindow::~TestWindow() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    testsupport::PumpPending();
}

HWND TestWindow::Open(int width, int height, bool show) {
    HWND hwnd = Create(nullptr, L"uilib test", WS_POPUP, 0, 40, 40, width, height);
    if (hwnd != nullptr && show) {
        ::ShowWindow(hwnd, SW_SHOW);
        ::SetForegroundWindow(hwnd);
    }
    Layout();
    return hwnd;
}

void TestWindow::Notify(TNotifyUI &msg) {
    notes.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L"", msg.sVirtualWnd, msg.pSender,
                     msg.wParam, msg.lParam});
    if (onNotify) onNotify(msg);
    WindowImplBase::Notify(msg);
}

void TestWindow::Layout() {
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
    m_PaintManager.FindControl(POINT{0, 0});  // a hit test lays out a window not painted
}

POINT TestWindow::Center(CControlUI *control) {
    const RECT rc = control != nullptr ? control->GetPos() : RECT{-10, -10, -10, -10};
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void TestWindow::Click(POINT pt, bool twice) {
    Send(WM_MOUSEMOVE, 0, pt), Press(pt), Release(pt);
    if (twice) Send(WM_LBUTTONDBLCLK, MK_LBUTTON, pt), Release(pt);
}

void TestWindow::Click(CControlUI *control, bool twice) {
    Layout();
    Click(Center(control), twice);
}

void TestWindow::Wheel(POINT pt, int delta, UINT msg) {
    ::ClientToScreen(m_hWnd, &pt);
    Send(msg, MAKEWPARAM(0, delta), pt);
}

void TestWindow::Key(WPARAM vk, LPARAM lParam) {
    ::SendMessageW(m_hWnd, WM_KEYDOWN, vk, lParam);
    ::SendMessageW(m_hWnd, WM_KEYUP, vk, 0xC0000001);
}

void TestWindow::Type(const wchar_t *text) {
    for (const wchar_t *p = text; *p; ++p) ::SendMessageW(m_hWnd, WM_CHAR, *p, 1);
}

int TestWindow::Count(const wchar_t *type) const {
    return static_cast<int>(
        std::count_if(notes.begin(), notes.end(), [type](const Note &n) { return n.type == type; }));
}

const Note *TestWindow::Last(const wchar_t *type) const {
    auto it = std::find_if(notes.rbegin(), notes.rend(), [type](const Note &n) { return n.type == type; });
    return it != notes.rend() ? &*it : nullptr;
}

std::vector<std::string> TestWindow::Seen(std::initializer_list<const wchar_t *> types) const {
    std::vector<std::string> out;
    for (const Note &n : notes)
        for (const wchar_t *t : types)
            if (n.type == t) out.push_back(uilib::WideToUtf8(n.type + L" " + n.senderName));
    return out;
}

DWORD TestWindow::Pixel(POINT pt) {
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    Dib dib(rc.right, rc.bottom);
    ::SendMessageW(m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc), PRF_CLIENT);
    ::GdiFlush();
    return dib.bits[pt.y * rc.right + pt.x] & 0xFFFFFF;
}

std::wstring WriteTemp(const wchar_t *name, const std::string &bytes) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = dir + std::wstring(name);
    if (FILE *file = _wfopen(path.c_str(), L"wb")) fwrite(bytes.data(), 1, bytes.size(), file), fclose(file);
    return path;
}

HeldKeys::HeldKeys(const std::vector<int> &keys) {
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    memcpy(state, m_saved, sizeof(state));
    for (int vk : keys) state[vk] |= 0x80;
    ::SetKeyboardState(state);
}

}  // namespace uitest
