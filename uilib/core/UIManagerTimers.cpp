// Control timers run on a hidden message-only window of the thread, never on the paint
// window's WM_TIMER: a window whose own dispatch swallows WM_TIMER (the playback window)
// keeps working controls.
#include <algorithm>
#include <functional>
#include <map>

#include "uilib/core/UIManagerImpl.h"

namespace {

const wchar_t kTimerWindowClass[] = L"UILibTimerSink";

// Native timer id -> what to run; per thread, as the timer window is.
thread_local std::map<UINT_PTR, std::function<void()>> tTimerTargets;
thread_local HWND tTimerWindow = nullptr;
UINT_PTR gNextTimerKey = 0x5500;

LRESULT CALLBACK TimerWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_TIMER) {
        auto it = tTimerTargets.find(static_cast<UINT_PTR>(wParam));
        if (it != tTimerTargets.end()) {
            std::function<void()> target = it->second;  // the target may kill its own timer
            target();
        } else {
            ::KillTimer(hWnd, wParam);
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND TimerWindow() {
    if (tTimerWindow != nullptr && ::IsWindow(tTimerWindow)) return tTimerWindow;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &TimerWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerWindowClass;
    ::RegisterClassW(&wc);  // fails harmlessly when another thread registered it
    tTimerWindow = ::CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    return tTimerWindow;
}

}  // namespace

bool CPaintManagerUI::SetTimer(CControlUI *pControl, UINT nTimerID, UINT uElapse) {
    if (pControl == nullptr) return false;
    HWND sink = TimerWindow();
    if (sink == nullptr) return false;
    auto &timers = m_impl->timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Impl::ControlTimer &t) { return t.control == pControl && t.id == nTimerID; });
    if (it != timers.end()) return ::SetTimer(sink, it->key, uElapse, nullptr) != 0;  // new interval

    Impl::ControlTimer timer;
    timer.control = pControl;
    timer.id = nTimerID;
    timer.key = ++gNextTimerKey;
    if (::SetTimer(sink, timer.key, uElapse, nullptr) == 0) return false;
    timers.push_back(timer);
    const UINT_PTR key = timer.key;
    tTimerTargets[key] = [this, key]() {
        auto &list = m_impl->timers;
        auto t = std::find_if(list.begin(), list.end(), [key](const Impl::ControlTimer &x) { return x.key == key; });
        if (t == list.end()) return;
        TEventUI event;
        event.Type = UIEVENT_TIMER;
        event.pSender = t->control;
        event.wParam = t->id;
        event.dwTimestamp = ::GetTickCount();
        m_impl->DispatchEvent(t->control, event);
    };
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI *pControl, UINT nTimerID) {
    auto &timers = m_impl->timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Impl::ControlTimer &t) { return t.control == pControl && t.id == nTimerID; });
    if (it == timers.end()) return false;
    if (tTimerWindow != nullptr) ::KillTimer(tTimerWindow, it->key);
    tTimerTargets.erase(it->key);
    timers.erase(it);
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI *pControl) {
    auto &timers = m_impl->timers;
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->control == pControl) {
            if (tTimerWindow != nullptr) ::KillTimer(tTimerWindow, it->key);
            tTimerTargets.erase(it->key);
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    for (const auto &t : m_impl->timers) {
        if (tTimerWindow != nullptr) ::KillTimer(tTimerWindow, t.key);
        tTimerTargets.erase(t.key);
    }
    m_impl->timers.clear();
}
