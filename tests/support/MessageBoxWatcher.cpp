#include "tests/support/MessageBoxWatcher.h"

#include "tests/support/WaitFor.h"

namespace testsupport {
namespace {

struct Search {
    DWORD pid;
    const wchar_t *className, *title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM lParam) {
    Search *s = reinterpret_cast<Search *>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t text[256] = {};
    ::GetClassNameW(hWnd, text, 256);
    if ((s->pid != 0 && pid != s->pid) || wcscmp(text, s->className) != 0 ||
        (s->visibleOnly && !::IsWindowVisible(hWnd)))
        return TRUE;
    ::GetWindowTextW(hWnd, text, 256);
    if (s->title != nullptr && wcscmp(text, s->title) != 0) return TRUE;
    s->found = hWnd;
    return FALSE;
}

BOOL CALLBACK FirstStatic(HWND child, LPARAM lParam) {
    wchar_t text[1024] = {};
    ::GetClassNameW(child, text, 64);
    if (_wcsicmp(text, L"Static") != 0 || ::GetWindowTextW(child, text, 1024) == 0) return TRUE;
    *reinterpret_cast<std::wstring *>(lParam) = text;
    return FALSE;
}

}  // namespace

HWND FindWindowOf(DWORD pid, const wchar_t *className, const wchar_t *title, bool visibleOnly) {
    Search s = {pid, className, title, visibleOnly, nullptr};
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

SeenBox ReadBox(HWND box) {
    SeenBox seen;
    wchar_t caption[256] = {};
    ::GetWindowTextW(box, caption, 256);
    seen.caption = caption;
    ::EnumChildWindows(box, FirstStatic, reinterpret_cast<LPARAM>(&seen.text));
    return seen;
}

void PressOk(HWND box) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

MessageBoxWatcher::MessageBoxWatcher()
    : m_thread([this] {
          while (!m_stop) {
              if (HWND box = FindWindowOf(::GetCurrentProcessId(), L"#32770", nullptr, true)) {
                  {
                      // Recorded before it is dismissed: the box's caller may return at once.
                      std::lock_guard<std::mutex> lock(m_mutex);
                      m_seen.push_back(ReadBox(box));
                  }
                  PressOk(box);
                  // Until this box is gone, so that it is recorded once.
                  for (int i = 0; i < 500 && ::IsWindowVisible(box); ++i) ::Sleep(10);
              }
              ::Sleep(10);
          }
      }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    m_stop = true;
    m_thread.join();
}

std::vector<SeenBox> MessageBoxWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

size_t MessageBoxWatcher::Count() const { return Seen().size(); }

bool MessageBoxWatcher::WaitForCount(size_t n, unsigned timeoutMs) const {
    return WaitFor([&] { return Count() >= n; }, timeoutMs);
}

}  // namespace testsupport
