#include "tests/support/MessageBoxWatcher.h"

#include "tests/support/WaitFor.h"

namespace testsupport {

HWND FindWindowOf(DWORD pid, const wchar_t *className, const wchar_t *title, bool visibleOnly) {
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, className, title)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if ((pid == 0 || owner == pid) && (!visibleOnly || ::IsWindowVisible(w))) return w;
    }
    return nullptr;
}

SeenBox ReadBox(HWND box) {
    wchar_t caption[256] = {}, text[1024] = {};
    ::GetWindowTextW(box, caption, 256);
    for (HWND c = nullptr; (c = ::FindWindowExW(box, c, L"Static", nullptr)) != nullptr;)
        if (::GetWindowTextW(c, text, 1024) > 0) break;  // the first one with text
    return {caption, text};
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
