#include "tests/soak/SoakOperator.h"

#include "tests/support/ConsoleProcess.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

namespace soak {

namespace {

const unsigned kWaitMs = 5000;
const unsigned kBoxWaitMs = 15000;  // a refused apply always shows its box; a call plays
const wchar_t kChannelRefused[] = L"频道必须在1-200之间的整数！";
const wchar_t kFileInUse[] = L"文件正在被占用！";

std::string Utf8(const std::wstring &text) {
    std::string out(text.size() * 3 + 1, '\0');
    out.resize(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                                     static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

}  // namespace

Operator::Operator(const e2e::ConsoleProcess &console, HWND main, unsigned seed)
    : m_console(console), m_main(main), m_rng(seed) {}

void Operator::Pause(int minMs, int maxMs) {
    const DWORD until = ::GetTickCount() + static_cast<DWORD>(Pick(minMs, maxMs));
    testsupport::WaitFor([until] { return static_cast<LONG>(::GetTickCount() - until) >= 0; }, 60000);
}

void Operator::Step() {
    typedef void (Operator::*Action)();
    // A call is played and the dialog shown early: a short run must prove both.
    static const Action kCycle[] = {&Operator::StationDialog, &Operator::PlayCall,           &Operator::SwitchPage,
                                    &Operator::PageCalls,     &Operator::PlayCall,           &Operator::ScrollStations,
                                    &Operator::StationDialog, &Operator::PlayCall,           &Operator::ToggleRecording,
                                    &Operator::SwitchPage,    &Operator::DeleteOrLocateCall, &Operator::StationDialog};
    // The dialog and the playback window may be made after the main window shows.
    if (!m_dialog) m_dialog = m_console.FindWindowOf(L"UIBsCfgFrame", L"基站配置");
    if (!m_play) m_play = m_console.FindWindowOf(L"PlayUI");
    AnswerBoxes();
    (this->*kCycle[m_step++ % (sizeof kCycle / sizeof kCycle[0])])();
    AnswerBoxes();
    Pause(100, 600);
}

// Answers every box shown; with an expected text, waits for that one box first.
void Operator::AnswerBoxes(unsigned waitMs, const wchar_t *expected) {
    e2e::ConsoleProcess::Box box;
    while (m_console.AnswerMessageBox(&box, waitMs)) {
        if (box.text == kChannelRefused || box.text == kFileInUse)
            ++m_counts["box " + Utf8(box.text)];
        else
            m_unexpected.push_back(Utf8(box.caption) + ": " + Utf8(box.text));
        // The box closes on the posted OK; wait so that it is not answered twice.
        testsupport::WaitFor([&] { return m_console.FindWindowOf(L"#32770") == nullptr; }, kWaitMs);
        if (expected && box.text != expected) m_unexpected.push_back("no box: " + Utf8(expected));
        waitMs = 0, expected = nullptr;
    }
    if (expected) m_unexpected.push_back("no box: " + Utf8(expected));
}

// Clicks the named control where it shows inside the window's client area.
bool Operator::Click(HWND hWnd, const std::string &name, bool twice) {
    const e2e::UiDump dump = e2e::UiDump::Of(hWnd);
    const e2e::DumpedControl *c = dump.Find(name, true);
    RECT rc = {}, client = {};
    ::GetClientRect(hWnd, &client);
    if (c == nullptr || !::IntersectRect(&rc, &c->rect, &client)) return false;
    e2e::ClickRect(hWnd, rc, twice, true);
    return true;
}

bool Operator::WaitVisible(HWND hWnd, bool visible) {
    return testsupport::WaitFor([&] { return (::IsWindowVisible(hWnd) != FALSE) == visible; }, kWaitMs);
}

// Selects the group's option, then the page's, until the page's control shows.
bool Operator::ShowPage(const char *group, const char *page, const char *control) {
    auto shown = [&](const char *name) { return e2e::UiDump::Of(m_main).Find(name, true) != nullptr; };
    if (shown(control)) return true;
    Click(m_main, group);
    testsupport::WaitFor([&] { return shown(page); }, kWaitMs);
    Click(m_main, page);
    return testsupport::WaitFor([&] { return shown(control); }, kWaitMs);
}

void Operator::SwitchPage() {
    static const char *const kOptions[] = {"menu0", "menu1", "menu0_0", "menu0_1", "menu1_0", "menu1_1"};
    if (Click(m_main, kOptions[Pick(0, 5)])) ++m_counts["page switch"];
}

void Operator::StationDialog() {
    if (!ShowPage("menu0", "menu0_0", "BsList")) return;
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    const e2e::DumpedControl *list = dump.Find("BsList", true);
    // Rows whose middle is inside the list, above its horizontal scroll bar.
    std::vector<RECT> rows;
    for (const e2e::DumpedControl *row : dump.Visible("ListTextElement")) {
        const LONG middle = (row->rect.top + row->rect.bottom) / 2;
        if (list && middle > list->rect.top && middle < list->rect.bottom - 12) rows.push_back(row->rect);
    }
    if (rows.empty()) return;
    RECT serial = rows[Pick(0, static_cast<int>(rows.size()) - 1)];
    serial.right = serial.left + 80;
    e2e::ClickRect(m_main, serial, true, true);
    if (!WaitVisible(m_dialog, true)) return;  // the row went before the click
    ++m_counts["dialog shown"];
    Pause(100, 400);
    const int choice = Pick(0, 9);
    const e2e::UiDump d = e2e::UiDump::Of(m_dialog);
    const e2e::DumpedControl *channel = d.Find("Channel", true);
    if (choice < 3 && Click(m_dialog, "RepeaterMode")) {
        // Picks an entry of the drop-down with the mouse.
        HWND drop = nullptr;
        testsupport::WaitFor([&] { return ::IsWindowVisible(drop = m_console.FindWindowOf(L"UIComboDrop")); }, kWaitMs);
        const e2e::UiDump list = e2e::UiDump::Of(drop);
        const std::vector<const e2e::DumpedControl *> items = list.Visible("ListLabelElement");
        if (!items.empty()) e2e::ClickRect(drop, items[Pick(0, static_cast<int>(items.size()) - 1)]->rect, false, true);
        if (testsupport::WaitFor([&] { return !::IsWindowVisible(drop); }, kWaitMs)) ++m_counts["combo picked"];
    } else if (choice < 8 && channel) {
        const bool bad = choice < 5;
        e2e::TypeText(m_dialog, channel->rect, bad ? (choice == 3 ? "0" : "abc") : std::to_string(Pick(1, 200)));
        Click(m_dialog, "SetButton");
        if (bad)
            AnswerBoxes(kBoxWaitMs, kChannelRefused);
        else if (WaitVisible(m_dialog, false))
            ++m_counts["dialog applied"];
    }
    if (::IsWindowVisible(m_dialog) && Click(m_dialog, "closebtn") && WaitVisible(m_dialog, false))
        ++m_counts["dialog closed"];
}

bool Operator::CallRows(std::vector<int> *rows) {
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    rows->clear();
    for (int n = 0; n < 16; ++n)
        if (dump.Find("ItemBtn" + std::to_string(n) + "Play", true)) rows->push_back(n);
    return !rows->empty();
}

void Operator::PageCalls() {
    if (!ShowPage("menu1", "menu1_1", "CallList")) return;
    std::vector<int> rows;
    Click(m_main, "FindVoiceFileBtn");
    if (testsupport::WaitFor([&] { return CallRows(&rows); }, kWaitMs)) ++m_counts["calls found"];
    for (int i = Pick(0, 3); i > 0; --i) {
        const e2e::UiDump dump = e2e::UiDump::Of(m_main);
        const char *button = Pick(0, 2) > 0 ? "NextCallListBtn" : "PrevCallListBtn";
        const e2e::DumpedControl *c = dump.Find(button, true);
        if (c && c->enabled && Click(m_main, button)) ++m_counts["calls paged"];
        Pause(200, 500);
    }
}

void Operator::PlayCall() {
    std::vector<int> rows;
    if (!ShowPage("menu1", "menu1_1", "CallList")) return;
    if (!CallRows(&rows)) PageCalls();
    if (!CallRows(&rows)) return;
    const bool wasShown = ::IsWindowVisible(m_play) != FALSE;
    Click(m_main, "ItemBtn" + std::to_string(rows[Pick(0, static_cast<int>(rows.size()) - 1)]) + "Play");
    // The newest call may be the one being recorded: then a box says the file is in use.
    // (Under load the window can take a while to show.)
    testsupport::WaitFor(
        [&] { return (!wasShown && ::IsWindowVisible(m_play)) || m_console.FindWindowOf(L"#32770") != nullptr; },
        kBoxWaitMs);
    AnswerBoxes();
    if (!::IsWindowVisible(m_play)) return;
    ++m_counts["play"];
    Pause(300, 1500);
    if (Pick(0, 1)) {
        Click(m_play, "PlayBtn");  // pause
        Pause(200, 800);
        if (Pick(0, 1)) Click(m_play, "PlayBtn");
    }
    const e2e::UiDump dump = e2e::UiDump::Of(m_play);
    if (const e2e::DumpedControl *slider = dump.Find("PlaySlider", true)) {
        const int x = slider->rect.left + (slider->rect.right - slider->rect.left) * Pick(5, 95) / 100;
        e2e::ClickAt(m_play, x, (slider->rect.top + slider->rect.bottom) / 2, false, true);
        ++m_counts["play seek"];
        Pause(200, 800);
    }
    if (Pick(0, 2) > 0 && Click(m_play, "closebtn") && WaitVisible(m_play, false)) ++m_counts["play closed"];
}

void Operator::DeleteOrLocateCall() {
    std::vector<int> rows;
    if (!ShowPage("menu1", "menu1_1", "CallList") || !CallRows(&rows)) return;
    const char *action = Pick(0, 1) ? "Delete" : "Locate";
    Click(m_main, "ItemBtn" + std::to_string(rows[Pick(0, static_cast<int>(rows.size()) - 1)]) + action);
    ++m_counts[std::string("call ") + action];
}

void Operator::ScrollStations() {
    if (!ShowPage("menu0", "menu0_0", "BsList")) return;
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    const e2e::DumpedControl *list = dump.Find("BsList", true);
    if (list == nullptr) return;
    POINT at = {(list->rect.left + list->rect.right) / 2, (list->rect.top + list->rect.bottom) / 2};
    ::ClientToScreen(m_main, &at);
    const int notches = Pick(-6, 6);
    for (int i = 0; i < std::abs(notches); ++i)
        ::PostMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, notches > 0 ? -WHEEL_DELTA : WHEEL_DELTA),
                       MAKELPARAM(at.x, at.y));
    ++m_counts["station scroll"];
}

// Two clicks on the switch: recording off, then on again.
void Operator::ToggleRecording() {
    if (!ShowPage("menu1", "menu1_0", "RecordCtrlBtn")) return;
    for (int i = 0; i < 2; ++i) {
        Click(m_main, "RecordCtrlBtn");
        Pause(300, 1200);
    }
    ++m_counts["recording toggled"];
}

void Operator::Finish() {
    AnswerBoxes();
    if (::IsWindowVisible(m_dialog)) Click(m_dialog, "closebtn");
    if (::IsWindowVisible(m_play)) Click(m_play, "closebtn");
    ShowPage("menu0", "menu0_0", "BsList");
    AnswerBoxes();
}

std::string Operator::Summary() const {
    std::string text;
    for (const auto &c : m_counts) text += (text.empty() ? "" : ", ") + c.first + " " + std::to_string(c.second);
    return text;
}

std::string Operator::Fault() const {
    if (!m_unexpected.empty()) return "unexpected message box: " + m_unexpected.front();
    if (!m_counts.count("dialog shown")) return "the configuration dialog never opened";
    if (!m_counts.count("play")) return "no call was ever played";
    return "";
}

}  // namespace soak
