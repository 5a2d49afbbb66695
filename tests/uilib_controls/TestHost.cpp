#include "tests/uilib_controls/TestHost.h"

#include "tests/support/WaitFor.h"

namespace uitest {

TestHost::TestHost(const wchar_t *xml, int cx, int cy) {
    // A popup: Wine on a bare X server waits about 2 s to unmap a window it thinks a
    // window manager looks after (one with a caption), at every hide and destroy.
    Create(nullptr, L"uilib test", WS_POPUP | WS_CLIPCHILDREN, 0, 40, 40, cx, cy);
    CDialogBuilder builder;
    CControlUI *root = builder.Create(xml, nullptr, nullptr, &m_pm);
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    Layout();
}

TestHost::~TestHost() {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    testsupport::PumpPending();
}

void TestHost::Layout() {
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

LRESULT TestHost::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        m_pm.Init(m_hWnd);
        return 0;
    }
    LRESULT lRes = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void TestHost::Notify(TNotifyUI &msg) {
    Note note;
    note.type = msg.sType;
    note.sender = msg.pSender;
    note.senderName = msg.pSender != nullptr ? msg.pSender->GetName() : CDuiString();
    note.wParam = msg.wParam;
    note.lParam = msg.lParam;
    notes.push_back(note);
    if (onNotify) onNotify(msg);
}

static LPARAM At(POINT pt) { return MAKELPARAM(pt.x, pt.y); }

void TestHost::Press(POINT pt) { ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(pt)); }
void TestHost::Move(POINT pt) { ::SendMessageW(m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(pt)); }
void TestHost::Release(POINT pt) { ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, At(pt)); }

void TestHost::Click(POINT pt) {
    ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, At(pt));
    Press(pt);
    Release(pt);
}

void TestHost::DoubleClick(POINT pt) {
    Click(pt);
    ::SendMessageW(m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt));
    Release(pt);
}

void TestHost::Wheel(POINT pt, int delta) {
    ::ClientToScreen(m_hWnd, &pt);
    ::SendMessageW(m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), At(pt));
}

void TestHost::Key(UINT vk) {
    ::SendMessageW(m_hWnd, WM_KEYDOWN, vk, 1);
    ::SendMessageW(m_hWnd, WM_KEYUP, vk, 0xC0000001);
}

void TestHost::Type(const wchar_t *text) {
    for (const wchar_t *p = text; *p; ++p) ::SendMessageW(m_hWnd, WM_CHAR, *p, 1);
}

POINT TestHost::Center(CControlUI *control) {
    const RECT rc = control->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

int TestHost::Count(const wchar_t *type) const {
    int n = 0;
    for (const Note &note : notes) n += note.type == type ? 1 : 0;
    return n;
}

const Note *TestHost::Last(const wchar_t *type) const {
    for (auto it = notes.rbegin(); it != notes.rend(); ++it) {
        if (it->type == type) return &*it;
    }
    return nullptr;
}

const std::vector<StrayKey> kStrayKeys = {
    {WM_KEYDOWN, 'A', "A down"},       {WM_KEYUP, 'A', "A up"},           {WM_KEYDOWN, VK_SHIFT, "Shift"},
    {WM_KEYDOWN, VK_CONTROL, "Ctrl"},  {WM_KEYDOWN, VK_DELETE, "Delete"}, {WM_KEYDOWN, VK_INSERT, "Insert"},
    {WM_KEYDOWN, VK_BACK, "Back"},     {WM_CHAR, L'\b', "Back char"},     {WM_KEYDOWN, VK_F1, "F1"},
    {WM_KEYDOWN, VK_APPS, "Menu key"}, {WM_CHAR, L'z', "z (no entry)"},   {WM_SYSKEYDOWN, VK_SHIFT, "Alt+Shift"},
};

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    memcpy(state, m_saved, sizeof(state));
    for (int vk : keys) state[vk] |= 0x80;
    ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { ::SetKeyboardState(m_saved); }

namespace {

std::string g_reply;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        if (cds->dwData == UILIB_INSPECT_COPYDATA_TAG)
            g_reply.assign(static_cast<const char *>(cds->lpData), cds->cbData);
        return TRUE;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

std::vector<std::string> InspectWindow(HWND hwnd) {
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ReceiverProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"UITestInspectReceiver";
        atom = ::RegisterClassW(&wc);
    }
    HWND receiver = ::CreateWindowW(L"UITestInspectReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    g_reply.clear();
    ::SendMessageW(hwnd, ::RegisterWindowMessageW(UILIB_INSPECT_MESSAGE), reinterpret_cast<WPARAM>(receiver), 0);
    testsupport::WaitFor([] { return !g_reply.empty(); }, 3000);
    ::DestroyWindow(receiver);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < g_reply.size()) {
        size_t end = g_reply.find('\n', start);
        if (end == std::string::npos) end = g_reply.size();
        lines.push_back(g_reply.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return out;
}

std::vector<std::string> LineNamed(const std::vector<std::string> &lines, const std::string &name) {
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> f = Fields(lines[i]);
        if (f.size() > 2 && f[2] == name) return f;
    }
    return {};
}

std::string Utf8(const CDuiString &text) {
    int n =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace uitest
