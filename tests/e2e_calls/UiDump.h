// The inspection dump of another process's skinned window, parsed into controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2ecalls {

struct DumpedControl {
    int depth = 0;
    std::string cls, name;
    bool visible = false, enabled = false;
    std::string selected, value;   // "-" where the control has no such state
    RECT rect = {0, 0, 0, 0};
    std::string text;
};

class UiDump {
public:
    // Asks hWnd for its tree (empty when no answer came).
    static UiDump Of(HWND hWnd);
    bool Empty() const { return m_controls.empty(); }
    // The first control with the name; null when none.
    const DumpedControl *Find(const std::string &name) const;
    int IntValue(const std::string &name) const;   // -1 when missing or "-"

private:
    std::vector<DumpedControl> m_controls;
};

// A left click at the control's centre as mouse messages sent to hWnd (any process).
void ClickControl(HWND hWnd, const DumpedControl &control);
void ClickAt(HWND hWnd, int x, int y);

}  // namespace e2ecalls
