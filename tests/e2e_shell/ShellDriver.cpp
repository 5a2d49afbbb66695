// ShellDriver.exe: drives the skinned windows of a running console from scripts (used by
// scripts/screenshots). A window is named by class and title ("-": any title, "@empty":
// the empty title); a control by name, or "Class#n" for the n-th visible control of a
// class. Commands:
//   wait   <class> <title> <ms>           until the window is visible
//   rect   <class> <title>                prints "x y width height" (screen)
//   count  <class> <title> <ctrlclass>    prints how many visible controls of the class
//   click  <class> <title> <control>      left click at the control's centre
//   dblclick <class> <title> <control>    double click there
//   post   <class> <title> <msg> [w] [l]  posts a message
//   show | hide <class> <title>
//   dump   <class> <title>                prints the control tree (UTF-8)
// Exit code 0 on success, 1 when the window or control is not found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e_shell/ControlTree.h"
#include "tests/support/WaitFor.h"

namespace {

struct Search {
    std::wstring className, title;
    bool anyTitle;
    HWND found;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM lParam) {
    Search *s = reinterpret_cast<Search *>(lParam);
    wchar_t text[256] = {};
    ::GetClassNameW(hWnd, text, 256);
    if (s->className != text) return TRUE;
    if (!s->anyTitle) {
        ::GetWindowTextW(hWnd, text, 256);
        if (s->title != text) return TRUE;
    }
    s->found = hWnd;
    return FALSE;
}

HWND FindTarget(const std::wstring &className, const std::wstring &title) {
    Search s = {className, title == L"@empty" ? L"" : title, title == L"-", nullptr};
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> f;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, '\t')) f.push_back(part);
    return f;
}

std::string Narrow(const std::wstring &w) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    return s;
}

// Control rectangle by name or "Class#n".
bool ControlRect(HWND hWnd, const std::string &spec, RECT *rc) {
    const size_t hash = spec.find('#');
    if (hash == std::string::npos) return e2eshell::FindControlRect(hWnd, spec, rc);
    const std::string cls = spec.substr(0, hash);
    int index = std::atoi(spec.c_str() + hash + 1);
    std::istringstream dump(e2eshell::InspectWindow(hWnd));
    std::string line;
    while (std::getline(dump, line)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() < 11 || f[1] != cls || f[3] != "1") continue;
        if (index-- > 0) continue;
        *rc = RECT{std::stol(f[7]), std::stol(f[8]), std::stol(f[9]), std::stol(f[10])};
        return true;
    }
    return false;
}

int CountControls(HWND hWnd, const std::string &cls) {
    std::istringstream dump(e2eshell::InspectWindow(hWnd));
    std::string line;
    int n = 0;
    while (std::getline(dump, line)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() >= 4 && f[1] == cls && f[3] == "1") ++n;
    }
    return n;
}

// At the centre of the part of the control inside the client area (rows can be wider).
void Mouse(HWND hWnd, RECT rc, bool twice) {
    RECT client = {};
    ::GetClientRect(hWnd, &client);
    ::IntersectRect(&rc, &rc, &client);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::PostMessageW(hWnd, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(hWnd, WM_LBUTTONUP, 0, at);
    if (twice) {
        ::PostMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageW(hWnd, WM_LBUTTONUP, 0, at);
    }
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: ShellDriver <command> <class> <title> [args]\n");
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"wait") {
        const unsigned ms = argc > 4 ? static_cast<unsigned>(_wtoi(argv[4])) : 10000;
        HWND hWnd = nullptr;
        const bool ok = testsupport::WaitFor([&] {
            hWnd = FindTarget(argv[2], argv[3]);
            return hWnd != nullptr && ::IsWindowVisible(hWnd);
        }, ms);
        return ok ? 0 : 1;
    }
    const HWND hWnd = FindTarget(argv[2], argv[3]);
    if (hWnd == nullptr) {
        std::fprintf(stderr, "ShellDriver: no window %s\n", Narrow(argv[2]).c_str());
        return 1;
    }
    if (command == L"rect") {
        RECT rc = {};
        ::GetWindowRect(hWnd, &rc);
        std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        return 0;
    }
    if (command == L"dump") {
        std::fputs(e2eshell::InspectWindow(hWnd).c_str(), stdout);
        return 0;
    }
    if (command == L"show" || command == L"hide") {
        ::ShowWindow(hWnd, command == L"show" ? SW_SHOW : SW_HIDE);
        if (command == L"show") ::SetForegroundWindow(hWnd);
        return 0;
    }
    if (command == L"post" && argc > 4) {
        ::PostMessageW(hWnd, _wtoi(argv[4]), argc > 5 ? _wtoi(argv[5]) : 0, argc > 6 ? _wtoi(argv[6]) : 0);
        return 0;
    }
    if (command == L"count" && argc > 4) {
        std::printf("%d\n", CountControls(hWnd, Narrow(argv[4])));
        return 0;
    }
    if ((command == L"click" || command == L"dblclick") && argc > 4) {
        RECT rc = {};
        if (!ControlRect(hWnd, Narrow(argv[4]), &rc)) {
            std::fprintf(stderr, "ShellDriver: no control %s\n", Narrow(argv[4]).c_str());
            return 1;
        }
        Mouse(hWnd, rc, command == L"dblclick");
        return 0;
    }
    std::fprintf(stderr, "ShellDriver: unknown command\n");
    return 2;
}
