#include "tests/e2e_calls/UiDump.h"

#include <sstream>

#include "tests/e2e_shell/ControlTree.h"

namespace e2ecalls {

namespace {

std::vector<std::string> Split(const std::string &line) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t tab = line.find('\t', from);
        parts.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos) return parts;
        from = tab + 1;
    }
}

}  // namespace

UiDump UiDump::Of(HWND hWnd) {
    UiDump dump;
    std::istringstream in(e2eshell::InspectWindow(hWnd));
    std::string line;
    std::getline(in, line);   // the window line
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Split(line);
        if (f.size() < 11) continue;
        DumpedControl c;
        c.depth = std::atoi(f[0].c_str());
        c.cls = f[1];
        c.name = f[2];
        c.visible = f[3] == "1";
        c.enabled = f[4] == "1";
        c.selected = f[5];
        c.value = f[6];
        c.rect = RECT{std::atoi(f[7].c_str()), std::atoi(f[8].c_str()), std::atoi(f[9].c_str()),
                      std::atoi(f[10].c_str())};
        if (f.size() > 11) c.text = f[11];
        dump.m_controls.push_back(c);
    }
    return dump;
}

const DumpedControl *UiDump::Find(const std::string &name) const {
    for (const DumpedControl &c : m_controls)
        if (c.name == name) return &c;
    return nullptr;
}

int UiDump::IntValue(const std::string &name) const {
    const DumpedControl *c = Find(name);
    if (c == nullptr || c->value == "-" || c->value.empty()) return -1;
    return std::atoi(c->value.c_str());
}

void ClickAt(HWND hWnd, int x, int y) {
    const LPARAM pos = MAKELPARAM(x, y);
    ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, pos);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, pos);
}

void ClickControl(HWND hWnd, const DumpedControl &control) {
    ClickAt(hWnd, (control.rect.left + control.rect.right) / 2, (control.rect.top + control.rect.bottom) / 2);
}

}  // namespace e2ecalls
