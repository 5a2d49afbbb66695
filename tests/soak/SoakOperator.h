// The soak's operator: drives a running console from outside as a person would, with
// mouse and key messages aimed at controls found through the inspection hook. It goes
// round a fixed cycle (switch pages, open the configuration dialog and close, refuse or
// apply it or pick a repeater mode, page through calls, play, pause, seek and close,
// delete or locate a call, scroll the station list, switch recording off and on), with
// random choices inside, and answers the console's message boxes.
#pragma once

#include <windows.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace e2e {
class ConsoleProcess;
}

namespace soak {

class Operator {
public:
    Operator(const e2e::ConsoleProcess &console, HWND main, unsigned seed);
    void Step();
    // Leaves the console at rest: boxes answered, dialog and playback closed, the station
    // page shown.
    void Finish();
    std::string Summary() const;  // "what count" pairs
    // Why the run proves nothing or found a fault: an unexpected message box, or actions
    // that never reached the console (no dialog shown, no call played). Empty when none.
    std::string Fault() const;

private:
    void SwitchPage();
    void StationDialog();
    void PageCalls();
    void PlayCall();
    void DeleteOrLocateCall();
    void ScrollStations();
    void ToggleRecording();

    bool ShowPage(const char *group, const char *page, const char *control);
    bool Click(HWND hWnd, const std::string &name, bool twice = false);
    bool CallRows(std::vector<int> *rows);
    bool WaitVisible(HWND hWnd, bool visible);
    void AnswerBoxes(unsigned waitMs = 0, const wchar_t *expected = nullptr);
    void Pause(int minMs, int maxMs);
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    const e2e::ConsoleProcess &m_console;
    HWND m_main, m_dialog = nullptr, m_play = nullptr;
    std::mt19937 m_rng;
    size_t m_step = 0;
    std::map<std::string, int> m_counts;
    std::vector<std::string> m_unexpected;
};

}  // namespace soak
