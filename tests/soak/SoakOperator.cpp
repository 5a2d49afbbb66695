#include "tests/soak/SoakOperator.h"

#include <cstdio>
#include <map>
#include <random>
#include <vector>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "uilib/core/UIText.h"

namespace soak {

namespace {

using testsupport::WaitFor;

const unsigned kWaitMs = 5000;
const unsigned kBoxWaitMs = 15000;  // a refused apply always shows its box; a call plays
const wchar_t kChannelRefused[] = L"频道必须在1-200之间的整数！";
const wchar_t kFileInUse[] = L"文件正在被占用！";

using uilib::WideToUtf8;

struct Operator {
    const e2e::ConsoleProcess &console;
    HWND main, dialog = nullptr, play = nullptr;
    std::mt19937 rng;
    std::map<std::string, int> counts;
    std::vector<std::string> unexpected;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    void Pause(int minMs, int maxMs) { ::Sleep(static_cast<DWORD>(Pick(minMs, maxMs))); }
    bool Shown(HWND hWnd, const std::string &name) { return e2e::UiDump::Of(hWnd).Find(name, true) != nullptr; }
    bool BoxShown() { return console.FindWindowOf(L"#32770", nullptr, true) != nullptr; }
    bool WaitVisible(HWND hWnd, bool visible) {
        return WaitFor([&] { return (::IsWindowVisible(hWnd) != FALSE) == visible; }, kWaitMs);
    }

    // Answers every box shown; with an expected text, waits for that one box first.
    void AnswerBoxes(unsigned waitMs = 0, const wchar_t *expected = nullptr) {
        e2e::ConsoleProcess::Box box;
        while (console.AnswerMessageBox(&box, waitMs)) {
            if (box.text == kChannelRefused || box.text == kFileInUse)
                ++counts["box " + WideToUtf8(box.text)];
            else
                unexpected.push_back(WideToUtf8(box.caption) + ": " + WideToUtf8(box.text));
            // The box closes on the posted OK; wait so that it is not answered twice.
            WaitFor([&] { return !BoxShown(); }, kWaitMs);
            if (expected && box.text != expected) break;
            waitMs = 0, expected = nullptr;
        }
        if (expected) unexpected.push_back("no box: " + WideToUtf8(expected));
    }

    bool Click(HWND hWnd, const std::string &name) {
        const e2e::UiDump dump = e2e::UiDump::Of(hWnd);
        const e2e::DumpedControl *c = dump.Find(name, true);
        RECT rc = {}, client = {};
        ::GetClientRect(hWnd, &client);
        if (c == nullptr || !::IntersectRect(&rc, &c->rect, &client)) return false;
        e2e::ClickRect(hWnd, rc, false, true);
        return true;
    }

    bool ShowPage(const char *group, const char *page, const char *control) {
        if (Shown(main, control)) return true;
        Click(main, group);
        WaitFor([&] { return Shown(main, page); }, kWaitMs);
        Click(main, page);
        return WaitFor([&] { return Shown(main, control); }, kWaitMs);
    }

    void SwitchPage() {
        static const char *const kOptions[] = {"menu0", "menu1", "menu0_0", "menu0_1", "menu1_0", "menu1_1"};
        if (Click(main, kOptions[Pick(0, 5)])) ++counts["page switch"];
    }

    void StationDialog() {
        if (!ShowPage("menu0", "menu0_0", "BsList")) return;
        std::vector<RECT> rows;  // those whose middle is inside the list, above its scroll bar
        WaitFor(
            [&] {  // the first stations report a few seconds after the start
                const e2e::UiDump dump = e2e::UiDump::Of(main);
                const e2e::DumpedControl *list = dump.Find("BsList", true);
                for (const e2e::DumpedControl *row : dump.Visible("ListTextElement")) {
                    const LONG middle = (row->rect.top + row->rect.bottom) / 2;
                    if (list && middle > list->rect.top && middle < list->rect.bottom - 12) rows.push_back(row->rect);
                }
                return !rows.empty();
            },
            kWaitMs);
        if (rows.empty()) return;
        RECT serial = rows[Pick(0, static_cast<int>(rows.size()) - 1)];
        serial.right = serial.left + 80;
        e2e::ClickRect(main, serial, true, true);
        if (!WaitVisible(dialog, true)) return;  // the row went before the click
        ++counts["dialog shown"];
        Pause(100, 400);
        const int choice = Pick(0, 9);
        const e2e::UiDump d = e2e::UiDump::Of(dialog);
        if (const e2e::DumpedControl *channel = choice < 7 ? d.Find("Channel", true) : nullptr) {
            const bool bad = choice < 3;
            e2e::TypeText(dialog, channel->rect, bad ? (choice == 0 ? "0" : "abc") : std::to_string(Pick(1, 200)));
            Click(dialog, "SetButton");
            if (bad)
                AnswerBoxes(kBoxWaitMs, kChannelRefused);
            else if (WaitVisible(dialog, false))
                ++counts["dialog applied"];
        }
        if (::IsWindowVisible(dialog) && Click(dialog, "closebtn") && WaitVisible(dialog, false))
            ++counts["dialog closed"];
    }

    std::vector<int> CallRows() {
        const e2e::UiDump dump = e2e::UiDump::Of(main);
        const e2e::DumpedControl *list = dump.Find("CallList", true);
        std::vector<int> rows;  // those whose play button shows whole inside the list
        for (int n = 0; n < 16 && list; ++n)
            if (const e2e::DumpedControl *play = dump.Find("ItemBtn" + std::to_string(n) + "Play", true))
                if (play->rect.top >= list->rect.top && play->rect.bottom <= list->rect.bottom) rows.push_back(n);
        return rows;
    }

    bool ClickCall(const char *action) {
        if (!ShowPage("menu1", "menu1_1", "CallList")) return false;
        if (Pick(0, 2) == 0 || CallRows().empty()) {  // a new search, and maybe the next page
            Click(main, "FindVoiceFileBtn");
            if (WaitFor([&] { return !CallRows().empty(); }, kWaitMs) && Pick(0, 1) && Click(main, "NextCallListBtn"))
                ++counts["calls paged"], Pause(200, 500);
        }
        const std::vector<int> rows = CallRows();
        return !rows.empty() &&
               Click(main, "ItemBtn" + std::to_string(rows[Pick(0, static_cast<int>(rows.size()) - 1)]) + action);
    }

    void PlayCall() {
        const bool wasShown = ::IsWindowVisible(play) != FALSE;
        if (!ClickCall("Play")) return;
        // The newest call may be the one being recorded: then a box says the file is in
        // use. (Under load the window can take a while to show.)
        WaitFor([&] { return (!wasShown && ::IsWindowVisible(play)) || BoxShown(); }, kBoxWaitMs);
        AnswerBoxes();
        if (!::IsWindowVisible(play)) return;
        ++counts["play"];
        Pause(300, 1500);
        if (Pick(0, 1) && Click(play, "PlayBtn")) {  // pause, and maybe resume
            Pause(200, 800);
            if (Pick(0, 1)) Click(play, "PlayBtn");
        }
        const e2e::UiDump dump = e2e::UiDump::Of(play);
        if (const e2e::DumpedControl *slider = dump.Find("PlaySlider", true)) {
            const int x = slider->rect.left + (slider->rect.right - slider->rect.left) * Pick(5, 95) / 100;
            e2e::ClickAt(play, x, (slider->rect.top + slider->rect.bottom) / 2, false, true);
            ++counts["play seek"];
            Pause(200, 800);
        }
        if (Pick(0, 2) > 0 && Click(play, "closebtn") && WaitVisible(play, false)) ++counts["play closed"];
    }

    void DeleteOrLocateCall() {
        const char *action = Pick(0, 1) ? "Delete" : "Locate";
        if (ClickCall(action)) ++counts[std::string("call ") + action];
    }
};

}  // namespace

std::string Operate(const e2e::ConsoleProcess &console, HWND main, unsigned seed,
                    const std::function<bool()> &keepGoing) {
    typedef void (Operator::*Action)();
    // A call is played and the dialog shown early: a short run must prove both.
    static const Action kCycle[] = {&Operator::StationDialog, &Operator::PlayCall, &Operator::SwitchPage,
                                    &Operator::PlayCall, &Operator::DeleteOrLocateCall};
    Operator op{console, main, nullptr, nullptr, std::mt19937(seed), {}, {}};
    for (size_t step = 0; keepGoing(); ++step) {
        // The dialog and the playback window may be made after the main window shows.
        if (!op.dialog) op.dialog = console.FindWindowOf(L"UIBsCfgFrame", L"基站配置");
        if (!op.play) op.play = console.FindWindowOf(L"PlayUI");
        op.AnswerBoxes();
        (op.*kCycle[step % (sizeof kCycle / sizeof kCycle[0])])();
        op.AnswerBoxes();
        op.Pause(100, 600);
    }
    op.AnswerBoxes();
    if (::IsWindowVisible(op.dialog)) op.Click(op.dialog, "closebtn");
    if (::IsWindowVisible(op.play)) op.Click(op.play, "closebtn");
    op.ShowPage("menu0", "menu0_0", "BsList");
    op.AnswerBoxes();
    std::string done;
    for (const auto &c : op.counts) done += (done.empty() ? "" : ", ") + c.first + " " + std::to_string(c.second);
    std::printf("soak: operator: %s\n", done.c_str());
    if (!op.unexpected.empty()) return "unexpected message box: " + op.unexpected.front();
    if (!op.counts.count("dialog shown")) return "the configuration dialog never opened";
    if (!op.counts.count("play")) return "no call was ever played";
    return "";
}

}  // namespace soak
