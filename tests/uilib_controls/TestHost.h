// A real top-level window with its own paint manager for driving controls with window
// messages in tests, and a record of every notification its controls send.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "uilib/UIlib.h"

namespace uitest {

struct Note {
    CDuiString type;
    CControlUI *sender = nullptr;
    CDuiString senderName;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class TestHost : public CWindowWnd, public INotifyUI {
public:
    // Builds the control tree from skin XML text and shows it laid out at cx x cy.
    explicit TestHost(const wchar_t *xml, int cx = 800, int cy = 600);
    ~TestHost() override;

    CPaintManagerUI &Manager() { return m_pm; }
    template <class T>
    T *Find(const wchar_t *name) {
        return static_cast<T *>(m_pm.FindControl(name));
    }
    void Layout();  // lays out and paints now

    void Press(POINT pt);
    void Move(POINT pt);
    void Release(POINT pt);
    void Click(POINT pt);
    void DoubleClick(POINT pt);
    void Click(CControlUI *control) { Click(Center(control)); }
    void Wheel(POINT pt, int delta);
    void Key(UINT vk);               // WM_KEYDOWN and WM_KEYUP
    void Type(const wchar_t *text);  // one WM_CHAR per character

    static POINT Center(CControlUI *control);
    int Count(const wchar_t *type) const;
    const Note *Last(const wchar_t *type) const;

    std::vector<Note> notes;
    std::function<void(TNotifyUI &)> onNotify;  // called after recording

    LPCTSTR GetWindowClassName() const override { return L"UITestHost"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Notify(TNotifyUI &msg) override;

private:
    CPaintManagerUI m_pm;
};

// Holds modifier keys down in this thread's key state for its lifetime.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
private:
    BYTE m_saved[256];
};

// Key messages that no open drop-down acts on (letters without their character, Shift,
// Delete, F1, ...), for checking that each is dropped there.
struct StrayKey {
    UINT msg;
    WPARAM key;
    const char *name;
};
extern const std::vector<StrayKey> kStrayKeys;

// The dump the inspection hook sends for a window, as its lines (UTF-8).
std::vector<std::string> InspectWindow(HWND hwnd);
// Fields of one dump line split at TABs.
std::vector<std::string> Fields(const std::string &line);
// The first dump line whose name field is name; empty when none.
std::vector<std::string> LineNamed(const std::vector<std::string> &lines, const std::string &name);
std::string Utf8(const CDuiString &text);

}  // namespace uitest
