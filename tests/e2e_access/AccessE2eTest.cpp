// The shipped console without a mouse: as a screen reader sees it from another process
// (every control the inspection hook reports has an accessible object with the right
// role, name and state; default actions switch the page and run a query; a station that
// comes and goes raises reorder events on the list), and driven by the operator's real
// keyboard. If this fails, the console is four blank windows to a screen reader, or
// needs a mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/AccWalk.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "tests/support/XdoTool.h"

using namespace e2e;

namespace {

const unsigned kWaitMs = 10000;

std::string Scenario() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char calls[160];
    snprintf(calls, sizeof calls,
             "call %04d-%02d-%02d 08:00:00 seconds=30 name=acc00.wav\n"
             "call %04d-%02d-%02d 08:01:00 seconds=30 name=acc01.wav\n",
             now.wYear, now.wMonth, now.wDay, now.wYear, now.wMonth, now.wDay);
    return std::string("report-interval 300\nrejoin-delay 1500\nclear\n"
                       "station BS-ACC-1 version=2 channel=9 callmagic=42 zonemagic=3 repeater=1 ip=10.1.2.3 "
                       "mask=255.255.255.0 gateway=10.1.2.1 manager=10.1.2.2\n"
                       "station BS-ACC-2 version=1 channel=5 callmagic=7 zonemagic=1 repeater=0 ip=10.9.9.9 "
                       "mask=255.0.0.0 gateway=10.0.0.1 manager=10.0.0.2\n") +
           calls;
}

// The role each kind of control the inspection hook reports must have ("" classes have
// no object: layouts, spacers, scroll bars).
LONG ExpectedRole(const DumpedControl &c) {
    static const std::map<std::string, LONG> kRoles = {
        {"Button", ROLE_SYSTEM_PUSHBUTTON},
        {"Edit", ROLE_SYSTEM_TEXT},
        {"Combo", ROLE_SYSTEM_COMBOBOX},
        {"List", ROLE_SYSTEM_LIST},
        {"ListTextElement", ROLE_SYSTEM_LISTITEM},
        {"ListLabelElement", ROLE_SYSTEM_LISTITEM},
        {"ListContainerElement", ROLE_SYSTEM_LISTITEM},
        {"ListHeaderItem", ROLE_SYSTEM_COLUMNHEADER},
        {"Slider", ROLE_SYSTEM_SLIDER},
        {"Progress", ROLE_SYSTEM_PROGRESSBAR},
        {"DateTime", ROLE_SYSTEM_DROPLIST},
        {"Label", ROLE_SYSTEM_STATICTEXT},
        {"Text", ROLE_SYSTEM_STATICTEXT},
    };
    // The navigation and sub-page options switch pages: tabs.
    if (c.cls == "Option") return ROLE_SYSTEM_PAGETAB;
    // Labels without words are pictures (logos, icons): nothing to say.
    if ((c.cls == "Label" || c.cls == "Text") && c.text.empty()) return 0;
    auto it = kRoles.find(c.cls);
    return it != kRoles.end() ? it->second : 0;
}

RECT ToScreen(HWND hWnd, RECT rc) {
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    ::OffsetRect(&rc, origin.x, origin.y);
    return rc;
}

// Checks that every control of the dump that should have an object has one at its place
// with its role, a name (its text when it shows one) and its state.
void ExpectTreeMatchesDump(HWND hWnd, const UiDump &dump, const std::vector<acc::Node> &nodes) {
    bool windowVisible = ::IsWindowVisible(hWnd) != FALSE;
    int checked = 0;
    for (const DumpedControl &c : dump.All()) {
        const LONG role = ExpectedRole(c);
        if (role == 0) continue;
        const RECT rc = ToScreen(hWnd, c.rect);
        // Hidden pages keep the places they had: among objects at the same place, the one
        // with the control's text, else the one as visible as the control.
        const bool hidden = !windowVisible || !c.visible;
        const acc::Node *found = nullptr;
        int score = -1;
        for (const acc::Node &n : nodes) {
            if (n.role != role || !::EqualRect(&n.rect, &rc)) continue;
            const int s = 2 * (!c.text.empty() && acc::Utf8(n.name) == c.text) +
                          (((n.state & STATE_SYSTEM_INVISIBLE) != 0) == hidden);
            if (s > score) score = s, found = &n;
        }
        SCOPED_TRACE(c.cls + " " + c.name + " \"" + c.text + "\"");
        ASSERT_NE(found, nullptr) << "no " << acc::RoleText(role) << " at its place";
        ++checked;
        const std::string name = acc::Utf8(found->name);
        if (c.cls == "ListTextElement") {
            EXPECT_EQ(name.substr(0, name.find(',')), SplitText(c.text, '\x1f')[0]);
        } else if (!c.text.empty() && c.cls != "Edit" && c.cls != "Combo" && c.cls != "DateTime" &&
                   c.cls != "ListContainerElement") {
            EXPECT_EQ(name, c.text);
        } else {
            EXPECT_FALSE(name.empty()) << "nameless";
        }
        EXPECT_EQ((found->state & STATE_SYSTEM_INVISIBLE) != 0, hidden);
        EXPECT_EQ((found->state & STATE_SYSTEM_UNAVAILABLE) != 0, !c.enabled);
        if (c.selected != "-") {
            EXPECT_EQ((found->state & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_CHECKED)) != 0, c.selected == "1");
        }
        if (c.cls == "Edit" || c.cls == "DateTime") {
            EXPECT_EQ(acc::Utf8(found->value), c.text);
        }
    }
    EXPECT_GE(checked, 2);
}

struct Event {
    DWORD event;
    HWND hwnd;
    LONG object, child;
};
std::vector<Event> gEvents;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    gEvents.push_back({event, hwnd, object, child});
}

class E2eAccess : public testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_main = WaitMainWindow(m_console);
        ASSERT_NE(nullptr, m_main);
        ASSERT_TRUE(testsupport::WaitFor(
            [&] {
                UiDump d = UiDump::Of(m_main);
                return d.Visible("ListTextElement").size() == 2;
            },
            kWaitMs));
    }
    void TearDown() override {
        if (m_main) {
            EXPECT_TRUE(CloseConsole(m_console, m_main));
        }
        ::CoUninitialize();
    }
    bool DoDefaultAction(LONG role, const std::wstring &name) {
        IAccessible *client = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(m_main, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                reinterpret_cast<void **>(&client))))
            return false;
        bool done = DoIn(client, role, name);
        client->Release();
        return done;
    }
    // Depth-first search for the object, then its default action.
    static bool DoIn(IAccessible *object, LONG role, const std::wstring &name) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT r;
        BSTR n = nullptr;
        if (SUCCEEDED(object->get_accRole(self, &r)) && r.vt == VT_I4 && r.lVal == role &&
            object->get_accName(self, &n) == S_OK) {
            const bool match = name == n;
            ::SysFreeString(n);
            if (match) return SUCCEEDED(object->accDoDefaultAction(self));
        }
        LONG count = 0;
        object->get_accChildCount(&count);
        for (LONG i = 1; i <= count; ++i) {
            VARIANT child;
            child.vt = VT_I4;
            child.lVal = i;
            IDispatch *d = nullptr;
            if (FAILED(object->get_accChild(child, &d)) || d == nullptr) continue;
            IAccessible *a = nullptr;
            d->QueryInterface(IID_IAccessible, reinterpret_cast<void **>(&a));
            d->Release();
            if (a == nullptr) continue;
            const bool done = DoIn(a, role, name);
            a->Release();
            if (done) return true;
        }
        return false;
    }

    StandinSetup m_standin = MakeStandinSetup(L"e2e-acc", Scenario());
    ConsoleProcess m_console{m_standin.Env()};
    HWND m_main = nullptr;
};

}  // namespace

TEST_F(E2eAccess, EveryWindowsControlsHaveObjectsAndDefaultActionsRunTheQuery) {
    struct Window {
        const wchar_t *cls, *title;
    };
    const Window windows[] = {
        {L"UIMainFrame", nullptr}, {L"UIBsCfgFrame", L"基站配置"}, {L"PlayUI", nullptr}, {L"UIBsCfgFrame", L""}};
    for (const Window &w : windows) {
        const HWND hWnd = m_console.WaitWindowOf(w.cls, w.title, kWaitMs);
        ASSERT_NE(hWnd, nullptr);
        const UiDump dump = UiDump::Of(hWnd);
        std::vector<acc::Node> nodes;
        ASSERT_TRUE(acc::Walk(hWnd, &nodes));
        SCOPED_TRACE(acc::Print(nodes));
        std::printf("== %ls %ls\n%s", w.cls, w.title ? w.title : L"", acc::Print(nodes).c_str());
        ASSERT_FALSE(nodes.empty());
        EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_CLIENT);
        ExpectTreeMatchesDump(hWnd, dump, nodes);
    }

    // The navigation tab's default action shows the call pages; the find button's runs
    // the query (the rows appear).
    ASSERT_TRUE(DoDefaultAction(ROLE_SYSTEM_PAGETAB, L"通话记录"));
    ASSERT_TRUE(testsupport::WaitFor(
        [&] {
            const DumpedControl *find = UiDump::Of(m_main).Find("FindVoiceFileBtn");
            return find != nullptr && find->visible;
        },
        kWaitMs));
    ASSERT_TRUE(DoDefaultAction(ROLE_SYSTEM_PUSHBUTTON, L"查询"));
    ASSERT_TRUE(
        testsupport::WaitFor([&] { return UiDump::Of(m_main).Visible("ListContainerElement").size() == 2; }, kWaitMs));
    std::vector<acc::Node> nodes;
    ASSERT_TRUE(acc::Walk(m_main, &nodes));
    std::printf("== UIMainFrame, calls found\n%s", acc::Print(nodes).c_str());
    ExpectTreeMatchesDump(m_main, UiDump::Of(m_main), nodes);
    const acc::Node *play = acc::Find(nodes, ROLE_SYSTEM_PUSHBUTTON, L"播放");
    ASSERT_NE(play, nullptr) << "the row's play button is named";
    EXPECT_EQ(play->state & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(E2eAccess, StationThatComesAndGoesRaisesReorderOnTheList) {
    gEvents.clear();
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, &OnWinEvent,
                                           m_console.Pid(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    auto rows = [&] { return UiDump::Of(m_main).Visible("ListTextElement").size(); };
    auto reorders = [&] {
        size_t n = 0;
        for (const Event &e : gEvents) n += e.event == EVENT_OBJECT_REORDER && e.hwnd == m_main;
        return n;
    };
    ASSERT_TRUE(AskStandin(m_standin.pipe, "station drop BS-ACC-2").ok);
    ASSERT_TRUE(testsupport::WaitFor([&] { return rows() == 1 && reorders() >= 1; }, kWaitMs));
    const size_t afterDrop = reorders();
    ASSERT_TRUE(AskStandin(m_standin.pipe, "station restore BS-ACC-2").ok);
    ASSERT_TRUE(testsupport::WaitFor([&] { return rows() == 2 && reorders() > afterDrop; }, kWaitMs));
    ::UnhookWinEvent(hook);

    // The event names the list: the object a reader gets for it is the station list.
    const Event &e = gEvents.back();
    EXPECT_EQ(e.object, OBJID_CLIENT);
    IAccessible *list = acc::FromEvent(e.hwnd, e.child);
    ASSERT_NE(list, nullptr);
    VARIANT self, role;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ASSERT_EQ(list->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
    LONG count = 0;
    list->get_accChildCount(&count);
    EXPECT_EQ(count, 13 + 2) << "13 column headings, then the rows";
    list->Release();
}

// Real keys on the X display: arrows move through the stations, Enter opens the dialog
// for the one selected, Esc closes it, Ctrl+Tab turns to the next page.
TEST_F(E2eAccess, TheOperatorsKeyboardOpensAndClosesTheDialogAndTurnsPages) {
    const HWND dialog = m_console.WaitWindowOf(L"UIBsCfgFrame", L"基站配置", kWaitMs);
    ASSERT_NE(dialog, nullptr);
    std::vector<const DumpedControl *> rows = UiDump::Of(m_main).Visible("ListTextElement");
    ASSERT_EQ(rows.size(), 2u);
    RECT first = rows[0]->rect;
    first.right = first.left + 80;
    ClickRect(m_main, first);  // the window takes the keyboard; the first row is selected
    ASSERT_TRUE(testsupport::WaitFor([&] { return UiDump::Of(m_main).IntValue("BsList") == 0; }, kWaitMs));
    struct Step {
        const char *keys;
        std::function<bool()> done;
    };
    const Step steps[] = {
        {"Down", [&] { return UiDump::Of(m_main).IntValue("BsList") == 1; }},
        {"Return",
         [&] {
             const DumpedControl *serial = UiDump::Of(dialog).Find("Serial");
             return ::IsWindowVisible(dialog) && serial != nullptr && serial->text == "BS-ACC-2";
         }},
        {"Escape", [&] { return !::IsWindowVisible(dialog); }},
        {"ctrl+Tab", [&] { return UiDump::Of(m_main).IntValue("menu0_switch") == 1; }},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.keys);
        ASSERT_TRUE(testsupport::XdoTool(std::string("key ") + step.keys));
        EXPECT_TRUE(testsupport::WaitFor(step.done, kWaitMs));
    }
}
