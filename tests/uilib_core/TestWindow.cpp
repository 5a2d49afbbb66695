#include "tests/uilib_core/TestWindow.h"

namespace uitest {

TestWindow::TestWindow(std::wstring skin, std::wstring className)
    : m_skin(std::move(skin)), m_className(std::move(className)) {}

TestWindow::~TestWindow() { Destroy(); }

CControlUI *TestWindow::CreateControl(LPCTSTR pstrClass) { return factory ? factory(pstrClass) : nullptr; }

void TestWindow::Notify(TNotifyUI &msg) {
    seen.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L"", msg.sVirtualWnd});
    if (onNotify) onNotify(msg);
    WindowImplBase::Notify(msg);
}

void TestWindow::InitWindow() { ++initWindowCalls; }

HWND TestWindow::Open(int width, int height) {
    // Not shown: messages, layout and WM_PRINTCLIENT work the same, and Wine on a bare X
    // server spends seconds mapping and unmapping windows.
    return Create(nullptr, L"uilib test", WS_POPUP, 0, 40, 40, width, height);
}

HWND TestWindow::CreatePopupZeroSize() { return Create(nullptr, L"", WS_POPUP, 0, 0, 0, 0, 0); }

void TestWindow::Destroy() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void TestWindow::ClickControl(const wchar_t *name, bool doubleClick) {
    CControlUI *c = Find(name);
    if (c == nullptr) return;
    m_PaintManager.FindControl(POINT{0, 0});  // a hit test lays out a window not yet painted
    RECT rc = c->GetPos();
    ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, doubleClick);
}

void TestWindow::ClickAt(POINT pt, bool doubleClick) {
    LPARAM lp = MAKELPARAM(pt.x, pt.y);
    ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, lp);
    ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, lp);
    if (doubleClick) {
        ::SendMessageW(m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
        ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, lp);
    }
}

void TestWindow::Key(WPARAM vk) {
    ::SendMessageW(m_hWnd, WM_KEYDOWN, vk, 1);
    ::SendMessageW(m_hWnd, WM_KEYUP, vk, 0xC0000001);
}

}  // namespace uitest
