// The control tree of a skinned window of another process, through the inspection hook;
// and input sent to such a window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The UTF-8 dump, one control a line (tab-separated: depth, class, name, visible,
// enabled, selected, value, left, top, right, bottom, text); empty when no answer came.
std::string InspectWindow(HWND target, unsigned timeoutMs = 5000);

struct DumpedControl {
    std::string cls, name;
    bool visible = false, enabled = false;
    std::string selected, value;  // "-" where the control has no such state
    RECT rect = {0, 0, 0, 0};
    std::string text;  // list rows: the column texts joined by U+001F
};

class UiDump {
public:
    static UiDump Of(HWND hWnd);
    bool Empty() const { return m_controls.empty(); }
    const DumpedControl *Find(const std::string &name, bool visibleOnly = false) const;
    int IntValue(const std::string &name) const;  // -1 when missing or "-"
    std::vector<const DumpedControl *> Visible(const std::string &cls) const;
    const std::vector<DumpedControl> &All() const { return m_controls; }

private:
    std::vector<DumpedControl> m_controls;
};

std::vector<std::string> SplitText(const std::string &text, char sep);

// Posted rather than sent when the click may open a modal box.
void ClickAt(HWND hWnd, int x, int y, bool twice = false, bool post = false);
void ClickRect(HWND hWnd, const RECT &rc, bool twice = false, bool post = false);

// Replaces an edit's text (up to 20 characters) by typing.

void TypeText(HWND hWnd, const RECT &edit, const std::string &text);

}  // namespace e2e
