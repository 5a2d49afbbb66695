#include "tests/soak/SoakOperator.h"

#include <algorithm>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

namespace soak {

namespace {

const unsigned kWaitMs = 5000;
const unsigned kBoxWaitMs = 15000;  // a refused apply always shows its box
const wchar_t kChannelRefused[] = L"频道必须在1-200之间的整数！";
const wchar_t kFileInUse[] = L"文件正在被占用！";

std::string Utf8(const std::wstring &text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace

Operator::Operator(const e2e::ConsoleProcess &console, HWND main, const std::wstring &pipe, unsigned seed)
    : m_console(console), m_main(main), m_pipe(pipe), m_rng(seed) {
    m_dialog = console.FindWindowOf(L"UIBsCfgFrame", L"基站配置");
    m_play = console.FindWindowOf(L"PlayUI", nullptr);
}

int Operator::Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

void Operator::Pause(int minMs, int maxMs) {
    const DWORD until = ::GetTickCount() + static_cast<DWORD>(Pick(minMs, maxMs));
    testsupport::WaitFor([until] { return static_cast<LONG>(::GetTickCount() - until) >= 0; }, 60000);
}

void Operator::Step() {
    typedef void (Operator::*Action)();
    static const Action kCycle[] = {&Operator::SwitchPage, &Operator::StationDialog,      &Operator::PageCalls,
                                    &Operator::PlayCall,   &Operator::ScrollStations,     &Operator::StationDialog,
                                    &Operator::SwitchPage, &Operator::PlayCall,           &Operator::ToggleRecording,
                                    &Operator::PageCalls,  &Operator::DeleteOrLocateCall, &Operator::StationDialog};
    AnswerBoxes();
    (this->*kCycle[m_step++ % (sizeof kCycle / sizeof kCycle[0])])();
    AnswerBoxes();
    Pause(100, 600);
}

void Operator::AnswerBoxes() {
    e2e::ConsoleProcess::Box box;
    while (m_console.AnswerMessageBox(&box, 0)) {
        if (box.text == kChannelRefused)
            ++m_counts["box channel refused"];
        else if (box.text == kFileInUse)
            ++m_counts["box file in use"];
        else
            m_unexpected.push_back(Utf8(box.caption) + ": " + Utf8(box.text));
        // The box closes on the posted OK; wait for it so that it is not answered twice.
        testsupport::WaitFor([&] { return m_console.FindWindowOf(L"#32770") == nullptr; }, kWaitMs);
    }
}

void Operator::ClickInside(HWND hWnd, RECT rc, bool twice) {
    RECT client = {};
    ::GetClientRect(hWnd, &client);
    if (::IntersectRect(&rc, &rc, &client)) e2e::ClickRect(hWnd, rc, twice, true);
}

bool Operator::ClickNamed(HWND hWnd, const std::string &name, bool twice) {
    const e2e::UiDump dump = e2e::UiDump::Of(hWnd);
    const e2e::DumpedControl *c = dump.Find(name, true);
    if (c == nullptr || c->rect.right <= c->rect.left) return false;
    ClickInside(hWnd, c->rect, twice);
    return true;
}

bool Operator::WaitVisible(HWND hWnd, bool visible, unsigned ms) {
    return testsupport::WaitFor([&] { return (::IsWindowVisible(hWnd) != FALSE) == visible; }, ms);
}

// Selects the group's option, then the page's, until the page's control shows.
bool Operator::ShowPage(const char *group, const char *page, const char *control) {
    auto shown = [&] { return e2e::UiDump::Of(m_main).Find(control, true) != nullptr; };
    if (shown()) return true;
    ClickNamed(m_main, group);
    testsupport::WaitFor([&] { return e2e::UiDump::Of(m_main).Find(page, true) != nullptr; }, kWaitMs);
    ClickNamed(m_main, page);
    return testsupport::WaitFor(shown, kWaitMs);
}

void Operator::SwitchPage() {
    static const char *const kOptions[] = {"menu0", "menu1", "menu0_0", "menu0_1", "menu1_0", "menu1_1"};
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    std::vector<const char *> shown;
    for (const char *name : kOptions)
        if (dump.Find(name, true)) shown.push_back(name);
    if (shown.empty()) return;
    ClickNamed(m_main, shown[Pick(0, static_cast<int>(shown.size()) - 1)]);
    ++m_counts["page switch"];
}

void Operator::StationDialog() {
    if (!ShowPage("menu0", "menu0_0", "BsList")) return;
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    const e2e::DumpedControl *list = dump.Find("BsList", true);
    if (list == nullptr) return;
    // Rows whose middle is inside the list (above its horizontal scroll bar).
    std::vector<RECT> rows;
    for (const e2e::DumpedControl *row : dump.Visible("ListTextElement")) {
        const LONG middle = (row->rect.top + row->rect.bottom) / 2;
        if (middle > list->rect.top && middle < list->rect.bottom - 12) rows.push_back(row->rect);
    }
    if (rows.empty()) {
        ++m_counts["dialog no row"];
        return;
    }
    RECT serial = rows[Pick(0, static_cast<int>(rows.size()) - 1)];
    serial.right = serial.left + 80;  // rows are wider than the list
    ClickInside(m_main, serial, true);
    if (!WaitVisible(m_dialog, true, kWaitMs)) {
        ++m_counts["dialog missed"];  // the row went before the click
        return;
    }
    ++m_counts["dialog shown"];
    Pause(100, 400);
    const int choice = Pick(0, 9);
    if (choice < 3) {
        DialogCombo(m_dialog);
    } else if (choice < 5) {
        const e2e::UiDump d = e2e::UiDump::Of(m_dialog);
        if (const e2e::DumpedControl *channel = d.Find("Channel", true)) {
            e2e::TypeText(m_dialog, channel->rect, choice == 3 ? "0" : "abc");
            ClickNamed(m_dialog, "SetButton");
            e2e::ConsoleProcess::Box box;
            if (m_console.AnswerMessageBox(&box, kBoxWaitMs) && box.text == kChannelRefused)
                ++m_counts["dialog refused"];
            else
                m_unexpected.push_back(box.text.empty() ? "no box for a refused channel" : Utf8(box.text));
            testsupport::WaitFor([&] { return m_console.FindWindowOf(L"#32770") == nullptr; }, kWaitMs);
        }
    } else if (choice < 8) {
        const e2e::UiDump d = e2e::UiDump::Of(m_dialog);
        if (const e2e::DumpedControl *channel = d.Find("Channel", true)) {
            e2e::TypeText(m_dialog, channel->rect, std::to_string(Pick(1, 200)));
            ClickNamed(m_dialog, "SetButton");
            if (WaitVisible(m_dialog, false, kWaitMs)) ++m_counts["dialog applied"];
        }
    }
    if (::IsWindowVisible(m_dialog)) {
        ClickNamed(m_dialog, "closebtn");
        if (WaitVisible(m_dialog, false, kWaitMs)) ++m_counts["dialog closed"];
    }
}

// Opens the repeater-mode drop-down and picks an entry with the mouse.
void Operator::DialogCombo(HWND dialog) {
    if (!ClickNamed(dialog, "RepeaterMode")) return;
    HWND drop = nullptr;
    if (!testsupport::WaitFor(
            [&] {
                drop = m_console.FindWindowOf(L"UIComboDrop");
                return drop != nullptr && ::IsWindowVisible(drop);
            },
            kWaitMs)) {
        ++m_counts["combo missed"];
        return;
    }
    const e2e::UiDump dump = e2e::UiDump::Of(drop);
    const std::vector<const e2e::DumpedControl *> items = dump.Visible("ListLabelElement");
    if (items.empty()) return;
    ClickInside(drop, items[Pick(0, static_cast<int>(items.size()) - 1)]->rect);
    if (testsupport::WaitFor([&] { return !::IsWindow(drop) || !::IsWindowVisible(drop); }, kWaitMs))
        ++m_counts["combo picked"];
}

bool Operator::CallRowsShown(std::vector<int> *rows) {
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    rows->clear();
    for (int n = 0; n < 16; ++n)
        if (dump.Find("ItemBtn" + std::to_string(n) + "Play", true)) rows->push_back(n);
    return !rows->empty();
}

void Operator::PageCalls() {
    if (!ShowPage("menu1", "menu1_1", "CallList")) return;
    std::vector<int> rows;
    ClickNamed(m_main, "FindVoiceFileBtn");
    if (testsupport::WaitFor([&] { return CallRowsShown(&rows); }, kWaitMs)) ++m_counts["calls found"];
    for (int i = Pick(0, 3); i > 0; --i) {
        const e2e::UiDump dump = e2e::UiDump::Of(m_main);
        const bool forward = Pick(0, 2) > 0;
        const e2e::DumpedControl *button = dump.Find(forward ? "NextCallListBtn" : "PrevCallListBtn", true);
        if (button == nullptr || !button->enabled) continue;
        ClickInside(m_main, button->rect);
        ++m_counts["calls paged"];
        Pause(200, 500);
    }
}

void Operator::PlayCall() {
    std::vector<int> rows;
    if (!ShowPage("menu1", "menu1_1", "CallList")) return;
    if (!CallRowsShown(&rows)) {
        PageCalls();
        if (!CallRowsShown(&rows)) return;
    }
    const int n = rows[Pick(0, static_cast<int>(rows.size()) - 1)];
    const bool wasShown = ::IsWindowVisible(m_play) != FALSE;
    ClickNamed(m_main, "ItemBtn" + std::to_string(n) + "Play");
    // The newest call may be the one being recorded: then a box says the file is in use.
    if (!testsupport::WaitFor(
            [&] { return (!wasShown && ::IsWindowVisible(m_play)) || m_console.FindWindowOf(L"#32770") != nullptr; },
            kWaitMs) &&
        !wasShown) {
        ++m_counts["play missed"];
        return;
    }
    AnswerBoxes();
    if (!::IsWindowVisible(m_play)) return;
    ++m_counts["play"];
    Pause(300, 1500);
    if (Pick(0, 1)) {
        ClickNamed(m_play, "PlayBtn");  // pause
        ++m_counts["play paused"];
        Pause(200, 800);
        if (Pick(0, 1)) ClickNamed(m_play, "PlayBtn");
    }
    const e2e::UiDump dump = e2e::UiDump::Of(m_play);
    if (const e2e::DumpedControl *slider = dump.Find("PlaySlider", true)) {
        const int x = slider->rect.left + (slider->rect.right - slider->rect.left) * Pick(5, 95) / 100;
        e2e::ClickAt(m_play, x, (slider->rect.top + slider->rect.bottom) / 2, false, true);
        ++m_counts["play seek"];
        Pause(200, 800);
    }
    if (Pick(0, 2) > 0) {
        ClickNamed(m_play, "closebtn");
        if (WaitVisible(m_play, false, kWaitMs)) ++m_counts["play closed"];
    }
}

void Operator::DeleteOrLocateCall() {
    std::vector<int> rows;
    if (!ShowPage("menu1", "menu1_1", "CallList") || !CallRowsShown(&rows)) return;
    const int n = rows[Pick(0, static_cast<int>(rows.size()) - 1)];
    const bool remove = Pick(0, 1) == 0;
    ClickNamed(m_main, "ItemBtn" + std::to_string(n) + (remove ? "Delete" : "Locate"));
    ++m_counts[remove ? "call delete" : "call locate"];
}

void Operator::ScrollStations() {
    if (!ShowPage("menu0", "menu0_0", "BsList")) return;
    const e2e::UiDump dump = e2e::UiDump::Of(m_main);
    const e2e::DumpedControl *list = dump.Find("BsList", true);
    if (list == nullptr) return;
    POINT at = {(list->rect.left + list->rect.right) / 2, (list->rect.top + list->rect.bottom) / 2};
    ::ClientToScreen(m_main, &at);
    const int notches = Pick(-6, 6);
    for (int i = 0; i < std::abs(notches); ++i) {
        const short delta = notches > 0 ? -WHEEL_DELTA : WHEEL_DELTA;
        ::PostMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
    }
    ++m_counts["station scroll"];
}

// Two clicks on the switch: recording off, then on again.
void Operator::ToggleRecording() {
    if (!ShowPage("menu1", "menu1_0", "RecordCtrlBtn")) return;
    for (int i = 0; i < 2; ++i) {
        ClickNamed(m_main, "RecordCtrlBtn");
        Pause(300, 1200);
    }
    ++m_counts["recording toggled"];
}

void Operator::Finish() {
    AnswerBoxes();
    if (::IsWindowVisible(m_dialog)) ClickNamed(m_dialog, "closebtn");
    if (::IsWindowVisible(m_play)) ClickNamed(m_play, "closebtn");
    // Recording on, as the network started: the switch reads the flag at each click.
    for (int i = 0; i < 3 && e2e::AskStandin(m_pipe, "record").status.rfind("ok 0", 0) == 0; ++i) {
        ShowPage("menu1", "menu1_0", "RecordCtrlBtn");
        ClickNamed(m_main, "RecordCtrlBtn");
        Pause(300, 300);
    }
    ShowPage("menu0", "menu0_0", "BsList");
    AnswerBoxes();
}

std::string Operator::Summary() const {
    std::string text;
    for (const auto &c : m_counts) text += (text.empty() ? "" : ", ") + c.first + " " + std::to_string(c.second);
    return text;
}

bool Operator::TookEffect(std::string *why) const {
    auto count = [this](const char *name) {
        const auto it = m_counts.find(name);
        return it == m_counts.end() ? 0 : it->second;
    };
    if (count("dialog shown") == 0)
        *why = "the configuration dialog never opened";
    else if (count("play") == 0)
        *why = "no call was ever played";
    else
        return true;
    return false;
}

}  // namespace soak
