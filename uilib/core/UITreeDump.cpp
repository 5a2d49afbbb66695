// The inspection hook: a dump of the control tree, one control a line, sent as UTF-8 in
// WM_COPYDATA to the window that asked with the registered message "UILibInspect".
// Read-only: nothing in the tree changes. Password text is masked as it is painted; a
// requester on another thread is answered from a thread of its own (see below).
#include <atomic>
#include <cstdio>
#include <thread>

#include "uilib/controls/UIScrollBar.h"
#include "uilib/core/UIContainer.h"
#include "uilib/core/UIManagerImpl.h"

namespace {

const UINT kReplyTimeoutMs = 5000;

std::string Escape(const CDuiString &text) {
    CDuiString out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'\t')
            out += L"\\t";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\\')
            out += L"\\\\";
        else
            out += c;
    }
    return uilib::WideToUtf8(out);
}

}  // namespace

UINT UilibInspectMessage() {
    static const UINT msg = ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE);
    return msg;
}

std::string CPaintManagerUI::InspectDump() const {
    m_impl->EnsureLayout(const_cast<CPaintManagerUI *>(this));
    std::string out;
    wchar_t className[256] = {};
    if (m_impl->hwnd != nullptr) ::GetClassNameW(m_impl->hwnd, className, 256);
    char hwndText[32];
    snprintf(hwndText, sizeof(hwndText), "0x%08lX",
             static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(m_impl->hwnd)));
    out += "window\t" + uilib::WideToUtf8(className) + "\t" + hwndText + "\n";

    auto line = [&out](CControlUI *c, int depth) {
        int selected = c->GetInspectSelected();
        int value = 0;
        bool hasValue = c->GetInspectValue(value);
        const RECT &rc = c->GetPos();
        char numbers[160];
        snprintf(numbers, sizeof(numbers), "\t%d\t%d\t%s\t%s\t%ld\t%ld\t%ld\t%ld\t", c->IsVisible() ? 1 : 0,
                 c->IsEnabled() ? 1 : 0, selected < 0 ? "-" : (selected ? "1" : "0"),
                 hasValue ? std::to_string(value).c_str() : "-", rc.left, rc.top, rc.right, rc.bottom);
        out += std::to_string(depth) + "\t" + Escape(c->GetClass()) + "\t" + Escape(c->GetName()) + numbers +
               Escape(c->GetInspectText()) + "\n";
    };
    CControlUI *root = m_impl->root;
    uilib::ForEachControl(root, [&line, root](CControlUI *c) {
        int depth = 0;
        for (CControlUI *p = c; p != root && p != nullptr; p = p->GetParent()) ++depth;
        line(c, depth);
        // A container's scroll bars are controls too, though not among its items.
        if (auto *container = static_cast<CContainerUI *>(c->GetInterface(L"Container"))) {
            for (CScrollBarUI *bar : {container->GetVerticalScrollBar(), container->GetHorizontalScrollBar()})
                if (bar != nullptr) line(bar, depth + 1);
        }
    });
    return out;
}

namespace {

// Replies on their way to other threads' windows; more are refused rather than queued.
std::atomic<int> g_repliesInFlight{0};
const int kMaxRepliesInFlight = 4;

bool SendReply(HWND requester, HWND from, std::string &text) {
    COPYDATASTRUCT cds = {};
    cds.dwData = UILIB_INSPECT_COPYDATA_TAG;
    cds.cbData = static_cast<DWORD>(text.size());
    cds.lpData = text.empty() ? nullptr : &text[0];
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&cds),
                                 SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result) != 0;
}

}  // namespace

bool UilibAnswerInspect(CPaintManagerUI *manager, HWND requester) {
    if (requester == nullptr || !::IsWindow(requester)) return false;
    std::string text = manager->InspectDump();
    const HWND from = manager->GetPaintWindow();
    // A window of this thread is answered at once; any other receiver may be slow or
    // gone, so its reply goes from a thread of its own and the UI thread never waits.
    if (::GetWindowThreadProcessId(requester, nullptr) == ::GetCurrentThreadId())
        return SendReply(requester, from, text);
    if (++g_repliesInFlight > kMaxRepliesInFlight) {
        --g_repliesInFlight;
        return false;
    }
    try {
        std::thread([requester, from, text]() mutable {
            SendReply(requester, from, text);
            --g_repliesInFlight;
        }).detach();
    } catch (...) {
        --g_repliesInFlight;
        return false;
    }
    return true;
}
