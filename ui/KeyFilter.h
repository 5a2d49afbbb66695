// A window's own keys (Ctrl+Tab between pages, Space to pause): every key press is offered
// to a handler before the window's paint manager hands it to the focused control. The
// filter belongs to the window object and is registered with its paint manager.
#pragma once

#include <functional>

#include "uilib/UIlib.h"

class CKeyFilter : public IMessageFilterUI {
public:
    // onKey(virtual key, key message's lParam): true when it took the key.
    explicit CKeyFilter(std::function<bool(WPARAM, LPARAM)> onKey) : m_onKey(std::move(onKey)) {}
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool &bHandled) override {
        if (uMsg == WM_KEYDOWN && m_onKey(wParam, lParam)) bHandled = true;
        return 0;
    }

private:
    std::function<bool(WPARAM, LPARAM)> m_onKey;
};
