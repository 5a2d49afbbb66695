// The soak's operator: drives a running console from outside, as a person at it would,
// with mouse and key messages aimed at controls found through the inspection hook. It
// goes round a fixed cycle of actions (switch pages, open the configuration dialog and
// close, refuse or apply it, pick a repeater mode, page through calls, play, pause, seek
// and close, delete or locate a call, scroll the station list, switch recording off and
// on), each with random choices inside, and answers the console's message boxes.
#pragma once

#include <windows.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace e2e {
class ConsoleProcess;
class UiDump;
}  // namespace e2e

namespace soak {

class Operator {
public:
    Operator(const e2e::ConsoleProcess &console, HWND main, const std::wstring &pipe, unsigned seed);

    void Step();  // the next action of the cycle
    // Leaves the console at rest: boxes answered, dialog and playback closed, recording
    // on, the station page shown.
    void Finish();

    // Counts of what was done and seen, one "name count" pair each.
    std::string Summary() const;
    // Message boxes other than the two the operator provokes (refused channel, file in use).
    const std::vector<std::string> &UnexpectedBoxes() const { return m_unexpected; }
    // False, with the reason, when the actions never reached the console: no dialog shown
    // or no call played.
    bool TookEffect(std::string *why) const;

private:
    void SwitchPage();
    void StationDialog();
    void DialogCombo(HWND dialog);
    void PageCalls();
    void PlayCall();
    void DeleteOrLocateCall();
    void ScrollStations();
    void ToggleRecording();

    bool ShowPage(const char *group, const char *page, const char *control);
    bool ClickNamed(HWND hWnd, const std::string &name, bool twice = false);
    void ClickInside(HWND hWnd, RECT rc, bool twice = false);
    bool CallRowsShown(std::vector<int> *rows);
    bool WaitVisible(HWND hWnd, bool visible, unsigned ms);
    void AnswerBoxes();
    void Pause(int minMs, int maxMs);
    int Pick(int lo, int hi);

    const e2e::ConsoleProcess &m_console;
    HWND m_main;
    HWND m_dialog = nullptr;
    HWND m_play = nullptr;
    std::wstring m_pipe;
    std::mt19937 m_rng;
    size_t m_step = 0;
    std::map<std::string, int> m_counts;
    std::vector<std::string> m_unexpected;
};

}  // namespace soak
