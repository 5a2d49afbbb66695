// The shipped console with the stand-ins: a station reports and is listed, is configured
// through the dialog (a refusal first), drops off the list and comes back with the new
// settings; a station that goes quiet loses its row. If this fails, the base-station
// pieces that pass alone do not work together in the real program.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e_calls/StandinPipe.h"
#include "tests/e2e_shell/ConsoleProcess.h"
#include "tests/e2e_shell/ControlTree.h"
#include "tests/support/WaitFor.h"

namespace {

const wchar_t kTitle[] = L"KELM专网管理软件";
const wchar_t kDialogTitle[] = L"基站配置";
const unsigned kStartMs = 30000;
const unsigned kWaitMs = 10000;

struct Control {
    std::string cls, name, text;
    bool visible = false;
    RECT rect = {0, 0, 0, 0};
};

std::vector<std::string> Split(const std::string &line, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!line.empty() && line.back() == sep) parts.push_back("");
    return parts;
}

std::vector<Control> Dump(HWND hWnd) {
    std::vector<Control> controls;
    std::istringstream in(e2eshell::InspectWindow(hWnd));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() < 11) continue;
        Control c;
        c.cls = f[1];
        c.name = f[2];
        c.visible = f[3] == "1";
        c.rect = RECT{std::atoi(f[7].c_str()), std::atoi(f[8].c_str()), std::atoi(f[9].c_str()),
                      std::atoi(f[10].c_str())};
        if (f.size() > 11) c.text = f[11];
        controls.push_back(c);
    }
    return controls;
}

const Control *Named(const std::vector<Control> &controls, const std::string &name) {
    for (const Control &c : controls)
        if (c.name == name) return &c;
    return nullptr;
}

// The list's rows: their column texts (joined by U+001F in the dump) and rectangles.
struct Row {
    std::vector<std::string> columns;
    RECT rect;
};

std::vector<Row> Rows(HWND main) {
    std::vector<Row> rows;
    for (const Control &c : Dump(main)) {
        if (c.cls != "ListTextElement") continue;
        rows.push_back(Row{Split(c.text, '\x1f'), c.rect});
    }
    return rows;
}

const Row *RowOf(const std::vector<Row> &rows, const std::string &serial) {
    for (const Row &r : rows)
        if (!r.columns.empty() && r.columns[0] == serial) return &r;
    return nullptr;
}

LPARAM Centre(const RECT &rc) {
    return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void Click(HWND hWnd, const RECT &rc) {
    ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, Centre(rc));
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, Centre(rc));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, Centre(rc));
}

void DoubleClick(HWND hWnd, const RECT &rc) {
    Click(hWnd, rc);
    ::SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Centre(rc));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, Centre(rc));
}

// Replaces an edit's text by typing: focus it, go to the end, erase, type.
void Type(HWND hWnd, const RECT &edit, const std::string &text) {
    Click(hWnd, edit);
    ::SendMessageW(hWnd, WM_KEYDOWN, VK_END, 0);
    ::SendMessageW(hWnd, WM_KEYUP, VK_END, 0);
    for (int i = 0; i < 20; ++i) {
        ::SendMessageW(hWnd, WM_KEYDOWN, VK_BACK, 0);
        ::SendMessageW(hWnd, WM_CHAR, VK_BACK, 0);
        ::SendMessageW(hWnd, WM_KEYUP, VK_BACK, 0);
    }
    for (char ch : text) ::SendMessageW(hWnd, WM_CHAR, static_cast<WPARAM>(ch), 0);
}

struct Fixture {
    std::wstring data, scenario, pipe;
};

Fixture MakeScenario() {
    Fixture f;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring tag = std::to_wstring(::GetCurrentProcessId());
    f.data = std::wstring(temp) + L"e2e-bs-" + tag;
    f.scenario = f.data + L"-scenario.txt";
    f.pipe = L"\\\\.\\pipe\\e2e-bs-" + tag;
    ::CreateDirectoryW(f.data.c_str(), nullptr);
    if (FILE *out = _wfopen(f.scenario.c_str(), L"wb")) {
        fprintf(out,
                "report-interval 300\n"
                "rejoin-delay 1500\n"
                "clear\n"
                "station BS-E2E version=2 channel=9 callmagic=42 zonemagic=3 repeater=1 "
                "ip=10.1.2.3 mask=255.255.255.0 gateway=10.1.2.1 manager=10.1.2.2 "
                "proxy0=1.2.3.4 proxy1=0.0.0.0 proxy2=0.0.0.0\n"
                "station BS-OTHER version=1 channel=5 callmagic=7 zonemagic=1 repeater=0 "
                "ip=10.9.9.9 mask=255.0.0.0 gateway=10.0.0.1 manager=10.0.0.2\n");
        fclose(out);
    }
    return f;
}

class E2eBaseStation : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::FindWindowW(nullptr, kTitle), nullptr) << "another console is open";
        m_fixture = MakeScenario();
        m_console.reset(new e2eshell::ConsoleProcess({{L"BM_STANDIN_DATA", m_fixture.data},
                                                      {L"BM_STANDIN_SCENARIO", m_fixture.scenario},
                                                      {L"BM_STANDIN_PIPE", m_fixture.pipe},
                                                      {L"BM_STANDIN_SOUND", L"0"}}));
        ASSERT_TRUE(m_console->Started());
        m_main = m_console->WaitWindowOf(L"UIMainFrame", kTitle, kStartMs);
        ASSERT_NE(nullptr, m_main);
        m_dialog = m_console->WaitWindowOf(L"UIBsCfgFrame", kDialogTitle, kStartMs);
        ASSERT_NE(nullptr, m_dialog);
    }
    void TearDown() override {
        if (m_console && m_console->Running()) {
            ::PostMessageW(m_main, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(m_console->WaitExit(kWaitMs));
            EXPECT_EQ(m_console->ExitCode(), 0u);
        }
        m_console.reset();
        ::DeleteFileW(m_fixture.scenario.c_str());
    }

    bool WaitRows(const std::function<bool(const std::vector<Row> &)> &cond,
                  std::vector<Row> *rows, unsigned timeoutMs = kWaitMs) {
        return testsupport::WaitFor([&] {
            *rows = Rows(m_main);
            return cond(*rows);
        }, timeoutMs);
    }

    Fixture m_fixture;
    std::unique_ptr<e2eshell::ConsoleProcess> m_console;
    HWND m_main = nullptr;
    HWND m_dialog = nullptr;
};

}  // namespace

TEST_F(E2eBaseStation, StationIsConfiguredDropsOffAndReturnsWithItsNewSettings) {
    std::vector<Row> rows;
    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) {
        return RowOf(r, "BS-E2E") && RowOf(r, "BS-OTHER");
    }, &rows, kStartMs));
    const Row *row = RowOf(rows, "BS-E2E");
    ASSERT_EQ(row->columns.size(), 13u);
    EXPECT_EQ(row->columns[2], "9");
    EXPECT_EQ(row->columns[6], "10.1.2.3");
    EXPECT_EQ(rows.size(), 2u) << "repeated reports give no second row";

    // Rows are wider than the list (13 columns): aim at the serial column.
    RECT serialCell = row->rect;
    serialCell.right = serialCell.left + 80;
    DoubleClick(m_main, serialCell);
    ASSERT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(m_dialog) != FALSE; }, kWaitMs));
    std::vector<Control> dialog = Dump(m_dialog);
    ASSERT_NE(Named(dialog, "Channel"), nullptr);
    EXPECT_EQ(Named(dialog, "Serial")->text, "BS-E2E");
    EXPECT_EQ(Named(dialog, "Channel")->text, "9");
    EXPECT_EQ(Named(dialog, "IpAddr")->text, "10.1.2.3");

    // A refused channel first: the message box of the console, nothing pushed.
    Type(m_dialog, Named(dialog, "Channel")->rect, "0");
    ::PostMessageW(m_dialog, WM_LBUTTONDOWN, MK_LBUTTON, Centre(Named(dialog, "SetButton")->rect));
    ::PostMessageW(m_dialog, WM_LBUTTONUP, 0, Centre(Named(dialog, "SetButton")->rect));
    e2eshell::ConsoleProcess::Box box;
    ASSERT_TRUE(m_console->AnswerMessageBox(&box, kWaitMs));
    EXPECT_EQ(box.caption, L"警告");
    EXPECT_EQ(box.text, L"频道必须在1-200之间的整数！");
    EXPECT_TRUE(::IsWindowVisible(m_dialog));

    // Then a good one: pushed, the row goes, the station reports again with it.
    e2ecalls::AskStandin(m_fixture.pipe, "log clear");
    Type(m_dialog, Named(dialog, "Channel")->rect, "77");
    Type(m_dialog, Named(dialog, "Gateway")->rect, "010.1.2.254");
    dialog = Dump(m_dialog);
    EXPECT_EQ(Named(dialog, "Channel")->text, "77");
    Click(m_dialog, Named(dialog, "SetButton")->rect);
    EXPECT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(m_dialog) == FALSE; }, kWaitMs));

    const e2ecalls::PipeAnswer log = e2ecalls::AskStandin(m_fixture.pipe, "log");
    ASSERT_TRUE(log.ok) << log.status;
    std::vector<std::string> pushes;
    for (const std::string &line : log.lines)
        if (line.rfind("setconfig", 0) == 0 || line.rfind("delete", 0) == 0) pushes.push_back(line);
    ASSERT_EQ(pushes.size(), 2u);
    EXPECT_EQ(pushes[0].rfind("setconfig \"BS-E2E\"", 0), 0u) << pushes[0];
    EXPECT_NE(pushes[0].find("channel=77"), std::string::npos) << pushes[0];
    EXPECT_NE(pushes[0].find("gateway=10.1.2.254"), std::string::npos) << pushes[0];
    EXPECT_NE(pushes[0].find("reserved1=0 "), std::string::npos) << pushes[0];
    EXPECT_NE(pushes[0].find("reserved2=0 "), std::string::npos) << pushes[0];
    EXPECT_EQ(pushes[1].rfind("delete \"BS-E2E\"", 0), 0u) << pushes[1];

    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) { return !RowOf(r, "BS-E2E"); }, &rows));
    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) { return RowOf(r, "BS-E2E") != nullptr; },
                         &rows));
    EXPECT_EQ(rows.back().columns[0], "BS-E2E") << "listed again at the end";
    EXPECT_EQ(RowOf(rows, "BS-E2E")->columns[2], "77");
    EXPECT_EQ(RowOf(rows, "BS-E2E")->columns[8], "10.1.2.254");

    // A station that goes quiet loses its row about a second later.
    ASSERT_TRUE(e2ecalls::AskStandin(m_fixture.pipe, "station drop BS-OTHER").ok);
    EXPECT_TRUE(WaitRows([](const std::vector<Row> &r) { return !RowOf(r, "BS-OTHER"); }, &rows,
                         4000));

    // "%s.\n" per report; standard output is in text mode, so a line ends in CR LF.
    const std::string out = m_console->Output();
    EXPECT_NE(out.find("BS-E2E.\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("BS-OTHER.\r\n"), std::string::npos) << out;
}
