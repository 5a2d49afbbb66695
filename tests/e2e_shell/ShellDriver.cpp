// ShellDriver.exe <wait|rect|count|click|dblclick|post|show|hide> <class> <title> [args]:
// drives a running console's windows for scripts/screenshots. Title "-": any, "@empty": "".
// A control is named, or "Class#n": the n-th visible one of a class.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/SkinInput.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

using testsupport::Narrow;

namespace {

const e2e::DumpedControl *FindControl(const e2e::UiDump &dump, const std::string &spec) {
    const size_t hash = spec.find('#');
    if (hash == std::string::npos) return dump.Find(spec, true);
    const auto found = dump.Visible(spec.substr(0, hash));
    const size_t index = std::strtoul(spec.c_str() + hash + 1, nullptr, 10);
    return index < found.size() ? found[index] : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    // Screen pixels as the console sees them: unaware, Wine would map them to 96 DPI.
    ::SetProcessDPIAware();
    if (argc < 4) {
        std::fprintf(stderr, "usage: ShellDriver <command> <class> <title> [args]\n");
        return 2;
    }
    const std::wstring command = argv[1], title = argv[3];
    HWND hWnd = nullptr;
    auto find = [&] {
        hWnd = testsupport::FindWindowOf(0, argv[2], title == L"-" ? nullptr : title == L"@empty" ? L"" : argv[3]);
        return hWnd != nullptr;
    };
    if (command == L"wait") {
        const unsigned ms = argc > 4 ? static_cast<unsigned>(_wtoi(argv[4])) : 10000;
        return testsupport::WaitFor([&] { return find() && ::IsWindowVisible(hWnd); }, ms) ? 0 : 1;
    }
    if (!find()) {
        std::fprintf(stderr, "ShellDriver: no window %s\n", Narrow(argv[2]).c_str());
        return 1;
    }
    if (command == L"rect") {
        RECT rc = {};
        ::GetWindowRect(hWnd, &rc);
        std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    } else if (command == L"show" || command == L"hide") {
        ::ShowWindow(hWnd, command == L"show" ? SW_SHOW : SW_HIDE);
        if (command == L"show") ::SetForegroundWindow(hWnd);
    } else if (command == L"post" && argc > 4) {
        ::PostMessageW(hWnd, _wtoi(argv[4]), argc > 5 ? _wtoi(argv[5]) : 0, argc > 6 ? _wtoi(argv[6]) : 0);
    } else if (command == L"count" && argc > 4) {
        std::printf("%u\n", static_cast<unsigned>(e2e::UiDump::Of(hWnd).Visible(Narrow(argv[4])).size()));
    } else if ((command == L"click" || command == L"dblclick") && argc > 4) {
        const e2e::UiDump dump = e2e::UiDump::Of(hWnd);
        const e2e::DumpedControl *control = FindControl(dump, Narrow(argv[4]));
        if (control == nullptr) {
            std::fprintf(stderr, "ShellDriver: no control %s\n", Narrow(argv[4]).c_str());
            return 1;
        }

        RECT client = {}, rc = control->rect;
        ::GetClientRect(hWnd, &client);
        ::IntersectRect(&rc, &rc, &client);
        e2e::ClickRect(hWnd, rc, command == L"dblclick", true);
    } else {
        std::fprintf(stderr, "ShellDriver: unknown command\n");
        return 2;
    }
    return 0;
}
