// The shipped console with the stand-ins, driven as the operator and a screen reader
// would. If this fails, pieces that pass alone do not work together in the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/AccWalk.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "tests/support/XdoTool.h"
#include "uilib/core/UIText.h"

using namespace e2e;
using testsupport::WaitFor;

namespace {

const unsigned kWaitMs = 10000;

const char kScenario[] =
    "report-interval 300\nrejoin-delay 1500\nclear\n"
    "station BS-E2E version=2 channel=9 callmagic=42 zonemagic=3 repeater=1 ip=10.1.2.3 "
    "mask=255.255.255.0 gateway=10.1.2.1 manager=10.1.2.2 proxy0=1.2.3.4 proxy1=0.0.0.0 proxy2=0.0.0.0\n"
    "station BS-OTHER version=1 channel=5 callmagic=7 zonemagic=1 repeater=0 ip=10.9.9.9 "
    "mask=255.0.0.0 gateway=10.0.0.1 manager=10.0.0.2\n";

class E2eConsole : public testing::Test {
protected:
    void SetUp() override {
        m_main = WaitMainWindow(m_console);
        ASSERT_NE(nullptr, m_main);
        m_dialog = m_console.WaitWindowOf(L"UIBsCfgFrame", L"基站配置", kWaitMs);
        m_play = m_console.WaitWindowOf(L"PlayUI", nullptr, kWaitMs);
        ASSERT_TRUE(m_dialog && m_play);
        ASSERT_TRUE(WaitFor([&] { return Rows().size() == 2; }, kWaitMs)) << "both stations listed";
    }
    void TearDown() override {
        if (m_main) {
            EXPECT_TRUE(CloseConsole(m_console, m_main));
        }
    }

    // Columns by serial; places: the serial cells (rows are wider than the list).
    std::map<std::string, std::vector<std::string>> Rows(std::map<std::string, RECT> *places = nullptr) {
        std::map<std::string, std::vector<std::string>> rows;
        const UiDump dump = UiDump::Of(m_main);
        for (const DumpedControl *c : dump.Visible("ListTextElement")) {
            const std::vector<std::string> columns = SplitText(c->text, '\x1f');
            rows[columns[0]] = columns;
            if (places) (*places)[columns[0]] = RECT{c->rect.left, c->rect.top, c->rect.left + 80, c->rect.bottom};
        }
        return rows;
    }
    bool WaitDump(HWND hWnd, UiDump *dump, const std::function<bool(const UiDump &)> &cond) {
        return WaitFor([&] { return !(*dump = UiDump::Of(hWnd)).Empty() && cond(*dump); }, kWaitMs);
    }
    void Click(HWND hWnd, const std::string &name, bool twice = false) {
        UiDump dump;
        ASSERT_TRUE(WaitDump(hWnd, &dump,
                             [&](const UiDump &d) {
                                 const DumpedControl *c = d.Find(name, true);
                                 return c && c->rect.right > c->rect.left;
                             }))
            << name << " not shown";
        ClickRect(hWnd, dump.Find(name, true)->rect, twice);
    }
    std::vector<std::string> Log(const std::string &prefix) {
        std::vector<std::string> lines;
        for (const std::string &l : AskStandin(m_standin.pipe, "log").lines)
            if (l.rfind(prefix, 0) == 0) lines.push_back(l);
        return lines;
    }

    StandinSetup m_standin = MakeStandinSetup(L"e2e", kScenario);
    ConsoleProcess m_console{m_standin.Env()};
    HWND m_main = nullptr, m_dialog = nullptr, m_play = nullptr;
};

TEST_F(E2eConsole, StationIsConfiguredDropsOffAndReturnsWithItsNewSettings) {
    std::map<std::string, RECT> places;
    auto rows = Rows(&places);
    ASSERT_EQ(rows["BS-E2E"].size(), 13u);
    EXPECT_EQ(rows["BS-E2E"][2], "9");
    EXPECT_EQ(rows["BS-E2E"][6], "10.1.2.3");
    ClickRect(m_main, places["BS-E2E"], true);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(m_dialog) != FALSE; }, kWaitMs));
    UiDump dialog = UiDump::Of(m_dialog);
    EXPECT_EQ(dialog.Find("Serial")->text, "BS-E2E");
    EXPECT_EQ(dialog.Find("IpAddr")->text, "10.1.2.3");

    TypeText(m_dialog, dialog.Find("Channel")->rect, "77");
    TypeText(m_dialog, dialog.Find("Gateway")->rect, "010.1.2.254");
    ClickRect(m_dialog, dialog.Find("SetButton")->rect);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(m_dialog) == FALSE; }, kWaitMs));
    const std::vector<std::string> pushed = Log("setconfig \"BS-E2E\"");
    ASSERT_EQ(pushed.size(), 1u);
    for (const char *part : {"channel=77", "gateway=10.1.2.254", "reserved1=0 ", "reserved2=0 "})
        EXPECT_NE(pushed[0].find(part), std::string::npos) << pushed[0];
    EXPECT_EQ(Log("delete \"BS-E2E\"").size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return Rows().count("BS-E2E") == 0; }, kWaitMs));
    ASSERT_TRUE(WaitFor([&] { return (rows = Rows()).count("BS-E2E") == 1; }, kWaitMs));
    EXPECT_EQ(rows["BS-E2E"][2], "77");
    EXPECT_EQ(rows["BS-E2E"][8], "10.1.2.254");

    ASSERT_TRUE(AskStandin(m_standin.pipe, "station drop BS-OTHER").ok);
    EXPECT_TRUE(WaitFor([&] { return Rows().count("BS-OTHER") == 0; }, 4000));
    // "%s.\n" per report; standard output is in text mode, so a line ends in CR LF.
    EXPECT_NE(m_console.Output().find("BS-OTHER.\r\n"), std::string::npos) << m_console.Output();
}

// Real keys on the X display; keys on the open list once ended the console.
TEST_F(E2eConsole, TheOperatorsKeyboardDrivesListDialogAndPages) {
    std::map<std::string, RECT> places;
    Rows(&places);
    ClickRect(m_main, places["BS-E2E"]);  // the window takes the keyboard; the row is selected
    const int first = UiDump::Of(m_main).IntValue("BsList");
    auto mode = [&] { return UiDump::Of(m_dialog).IntValue("RepeaterMode"); };
    struct Step {
        const char *keys;
        std::function<bool()> done;
    };
    auto press = [&](const Step &step) {
        SCOPED_TRACE(step.keys);
        ASSERT_TRUE(testsupport::XdoTool(std::string("key ") + step.keys));
        EXPECT_TRUE(WaitFor([&] { return !m_console.Running() || step.done(); }, kWaitMs));
        ASSERT_TRUE(m_console.Running()) << "the console ended";
    };
    const Step listSteps[] = {
        {first == 0 ? "Down" : "Up", [&] { return UiDump::Of(m_main).IntValue("BsList") == 1 - first; }},
        {first == 0 ? "Up" : "Down", [&] { return UiDump::Of(m_main).IntValue("BsList") == first; }},
        {"Return",
         [&] { return ::IsWindowVisible(m_dialog) && UiDump::Of(m_dialog).Find("Serial")->text == "BS-E2E"; }}};
    for (const Step &step : listSteps) press(step);
    ClickRect(m_dialog, UiDump::Of(m_dialog).Find("RepeaterMode")->rect);
    ASSERT_NE(m_console.WaitWindowOf(L"UIComboDrop", nullptr, kWaitMs), nullptr);
    const Step dialogSteps[] = {
        {"a", [&] { return mode() == 1; }},
        {"Left", [&] { return mode() == 0; }},
        {"Right", [&] { return mode() == 1; }},
        {"F1", [&] { return mode() == 1; }},
        {"End", [&] { return mode() == 3; }},
        {"Escape", [&] { return m_console.FindWindowOf(L"UIComboDrop") == nullptr && mode() == 1; }},
        {"Escape", [&] { return !::IsWindowVisible(m_dialog); }},
        {"ctrl+Tab", [&] { return UiDump::Of(m_main).IntValue("menu0_switch") == 1; }}};
    for (const Step &step : dialogSteps) press(step);
}

TEST_F(E2eConsole, CallsOfTheDayArePagedPlayedAndDeleted) {
    Click(m_main, "menu1");
    Click(m_main, "menu1_1");
    // Seeded on the pickers' day once the console runs: midnight cannot come between.
    const std::string day = UiDump::Of(m_main).Find("StartDate")->text;
    for (int i = 0; i < 20; ++i) {
        char request[96];
        snprintf(request, sizeof request, "call add %s 08:%02d:00 seconds=30 name=e2e%02d.wav", day.c_str(), i, i);
        ASSERT_TRUE(AskStandin(m_standin.pipe, request).ok) << request;
    }
    auto rows = [](const UiDump &d) {
        int n = 0;
        while (d.Find("ItemBtn" + std::to_string(n) + "Text0")) ++n;
        return n;
    };
    Click(m_main, "FindVoiceFileBtn");
    UiDump page;
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return rows(d) == 16; }));
    EXPECT_EQ("e2e15.wav", page.Find("ItemBtn15Text0")->text);
    EXPECT_FALSE(page.Find("PrevCallListBtn")->enabled);
    Click(m_main, "NextCallListBtn");
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return rows(d) == 4; }));
    EXPECT_EQ("e2e16.wav", page.Find("ItemBtn0Text0")->text);
    EXPECT_FALSE(page.Find("NextCallListBtn")->enabled);
    Click(m_main, "PrevCallListBtn");
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return rows(d) == 16; }));

    Click(m_main, "ItemBtn2Play");
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(m_play) != FALSE; }, kWaitMs));
    EXPECT_EQ(Log("play \"e2e02.wav\"").size(), 1u);
    UiDump play;
    ASSERT_TRUE(WaitDump(m_play, &play, [](const UiDump &d) { return d.IntValue("PlaySlider") >= 3; }));
    EXPECT_NE(std::string::npos, play.Find("PlayTime")->text.find("/0:0:30:0")) << play.Find("PlayTime")->text;
    const RECT slider = play.Find("PlaySlider")->rect;
    ClickAt(m_play, slider.left + (slider.right - slider.left) * 3 / 4, (slider.top + slider.bottom) / 2);
    EXPECT_TRUE(WaitDump(m_play, &play, [](const UiDump &d) { return d.IntValue("PlaySlider") >= 60; }));
    Click(m_play, "closebtn");
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(m_play) == FALSE; }, kWaitMs));

    AskStandin(m_standin.pipe, "log clear");
    Click(m_main, "ItemBtn1Delete");
    ASSERT_TRUE(WaitFor([&] { return AskStandin(m_standin.pipe, "count").status == "ok 19"; }, kWaitMs));
    EXPECT_EQ(Log("voicedelete \"e2e01.wav\"").size() + Log("dbdelete \"e2e01.wav\"").size(), 2u);
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) {
        const DumpedControl *c = d.Find("ItemBtn1Text0");
        return c && c->text == "e2e02.wav" && rows(d) == 16;
    }));
    EXPECT_EQ("e2e16.wav", page.Find("ItemBtn15Text0")->text);
}

// Layouts, spacers, scroll bars and pictures have no object.
const std::map<std::string, LONG> kRoles = {{"Button", ROLE_SYSTEM_PUSHBUTTON},
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
                                            {"Option", ROLE_SYSTEM_PAGETAB},
                                            {"Label", ROLE_SYSTEM_STATICTEXT},
                                            {"Text", ROLE_SYSTEM_STATICTEXT}};

// Its text (a row: the first column) or, where it shows what was typed or picked, any name.
bool NameFits(const DumpedControl &c, const std::string &name) {
    if (c.cls == "ListTextElement") return name.substr(0, name.find(',')) == SplitText(c.text, '\x1f')[0];
    static const std::set<std::string> kNamedOtherwise = {"Edit", "Combo", "DateTime", "ListContainerElement"};
    return !name.empty() && (c.text.empty() || kNamedOtherwise.count(c.cls) || name == c.text);
}

}  // namespace

TEST_F(E2eConsole, EveryControlOfEveryWindowHasItsAccessibleObject) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const HWND hWnd : {m_main, m_dialog, m_play, m_console.FindWindowOf(L"UIBsCfgFrame", L"")}) {
        const UiDump dump = UiDump::Of(hWnd);  // lays out a window never shown
        std::vector<acc::Node> nodes;
        ASSERT_TRUE(acc::Walk(hWnd, &nodes));
        SCOPED_TRACE(acc::Print(nodes));
        POINT origin = {0, 0};
        ::ClientToScreen(hWnd, &origin);
        int checked = 0;
        for (const DumpedControl &c : dump.All()) {
            const auto role = kRoles.find(c.cls);
            if (role == kRoles.end() || ((c.cls == "Label" || c.cls == "Text") && c.text.empty())) continue;
            RECT rc = c.rect;
            ::OffsetRect(&rc, origin.x, origin.y);
            // Hidden pages keep their places: any object there with the role may be this one's.
            const LONG states = (!::IsWindowVisible(hWnd) || !c.visible ? STATE_SYSTEM_INVISIBLE : 0) |
                                (c.enabled ? 0 : STATE_SYSTEM_UNAVAILABLE);
            const bool found = std::any_of(nodes.begin(), nodes.end(), [&](const acc::Node &n) {
                return n.role == role->second && ::EqualRect(&n.rect, &rc) && NameFits(c, uilib::WideToUtf8(n.name)) &&
                       (n.state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) == states &&
                       (c.selected == "-" ||
                        ((n.state & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_CHECKED)) != 0) == (c.selected == "1"));
            });
            EXPECT_TRUE(found) << "no " << acc::RoleText(role->second) << " for " << c.cls << " " << c.name << " \""
                               << c.text << "\" with its name and states";
            ++checked;
        }
        EXPECT_GE(checked, 2);
    }
    ::CoUninitialize();
}
