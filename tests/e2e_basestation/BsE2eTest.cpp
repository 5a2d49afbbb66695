// The shipped console with the stand-ins: a station reports and is listed, is configured
// through the dialog (a refusal first), drops off the list and comes back with the new
// settings; a station that goes quiet loses its row. If this fails, the base-station
// pieces that pass alone do not work together in the real program.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"
#include "tests/support/XdoTool.h"

using namespace e2e;

namespace {

const unsigned kStartMs = 30000;
const unsigned kWaitMs = 10000;

const char kScenario[] = "report-interval 300\n"
                         "rejoin-delay 1500\n"
                         "clear\n"
                         "station BS-E2E version=2 channel=9 callmagic=42 zonemagic=3 repeater=1 "
                         "ip=10.1.2.3 mask=255.255.255.0 gateway=10.1.2.1 manager=10.1.2.2 "
                         "proxy0=1.2.3.4 proxy1=0.0.0.0 proxy2=0.0.0.0\n"
                         "station BS-OTHER version=1 channel=5 callmagic=7 zonemagic=1 repeater=0 "
                         "ip=10.9.9.9 mask=255.0.0.0 gateway=10.0.0.1 manager=10.0.0.2\n";

// The list's rows: their column texts and rectangles.
struct Row {
    std::vector<std::string> columns;
    RECT rect;
};

std::vector<Row> Rows(HWND main) {
    std::vector<Row> rows;
    const UiDump dump = UiDump::Of(main);
    for (const DumpedControl *c : dump.Visible("ListTextElement"))
        rows.push_back(Row{SplitText(c->text, '\x1f'), c->rect});
    return rows;
}

const Row *RowOf(const std::vector<Row> &rows, const std::string &serial) {
    for (const Row &r : rows)
        if (!r.columns.empty() && r.columns[0] == serial) return &r;
    return nullptr;
}

class E2eBaseStation : public testing::Test {
protected:
    void SetUp() override {
        m_main = WaitMainWindow(m_console);
        ASSERT_NE(nullptr, m_main);
        m_dialog = m_console.WaitWindowOf(L"UIBsCfgFrame", L"基站配置", kStartMs);
        ASSERT_NE(nullptr, m_dialog);
    }
    void TearDown() override {
        if (m_main) {
            EXPECT_TRUE(CloseConsole(m_console, m_main));
        }
    }

    bool WaitRows(const std::function<bool(const std::vector<Row> &)> &cond, std::vector<Row> *rows,
                  unsigned timeoutMs = kWaitMs) {
        return testsupport::WaitFor([&] { return cond(*rows = Rows(m_main)); }, timeoutMs);
    }

    // Double-clicks the station's row and waits for the dialog; false when it did not show.
    bool OpenDialogOn(const Row &row) {
        // Rows are wider than the list (13 columns): aim at the serial column.
        RECT serialCell = row.rect;
        serialCell.right = serialCell.left + 80;
        ClickRect(m_main, serialCell, true);
        return testsupport::WaitFor([&] { return ::IsWindowVisible(m_dialog) != FALSE; }, kWaitMs);
    }

    StandinSetup m_standin = MakeStandinSetup(L"e2e-bs", kScenario);
    ConsoleProcess m_console{m_standin.Env()};
    HWND m_main = nullptr;
    HWND m_dialog = nullptr;
};

}  // namespace

TEST_F(E2eBaseStation, StationIsConfiguredDropsOffAndReturnsWithItsNewSettings) {
    std::vector<Row> rows;
    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) { return RowOf(r, "BS-E2E") && RowOf(r, "BS-OTHER"); }, &rows,
                         kStartMs));
    const Row *row = RowOf(rows, "BS-E2E");
    ASSERT_EQ(row->columns.size(), 13u);
    EXPECT_EQ(row->columns[2], "9");
    EXPECT_EQ(row->columns[6], "10.1.2.3");
    EXPECT_EQ(rows.size(), 2u) << "repeated reports give no second row";

    ASSERT_TRUE(OpenDialogOn(*row));
    UiDump dialog = UiDump::Of(m_dialog);
    ASSERT_NE(dialog.Find("Channel"), nullptr);
    EXPECT_EQ(dialog.Find("Serial")->text, "BS-E2E");
    EXPECT_EQ(dialog.Find("Channel")->text, "9");
    EXPECT_EQ(dialog.Find("IpAddr")->text, "10.1.2.3");

    // A refused channel first: the message box of the console, nothing pushed.
    TypeText(m_dialog, dialog.Find("Channel")->rect, "0");
    ClickRect(m_dialog, dialog.Find("SetButton")->rect, false, true);  // the box is modal
    ConsoleProcess::Box box;
    ASSERT_TRUE(m_console.AnswerMessageBox(&box, kWaitMs));
    EXPECT_EQ(box.caption, L"警告");
    EXPECT_EQ(box.text, L"频道必须在1-200之间的整数！");
    EXPECT_TRUE(::IsWindowVisible(m_dialog));

    // Then a good one: pushed, the row goes, the station reports again with it.
    AskStandin(m_standin.pipe, "log clear");
    TypeText(m_dialog, dialog.Find("Channel")->rect, "77");
    TypeText(m_dialog, dialog.Find("Gateway")->rect, "010.1.2.254");
    dialog = UiDump::Of(m_dialog);
    EXPECT_EQ(dialog.Find("Channel")->text, "77");
    ClickRect(m_dialog, dialog.Find("SetButton")->rect);
    EXPECT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(m_dialog) == FALSE; }, kWaitMs));

    const PipeAnswer log = AskStandin(m_standin.pipe, "log");
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
    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) { return RowOf(r, "BS-E2E") != nullptr; }, &rows));
    EXPECT_EQ(rows.back().columns[0], "BS-E2E") << "listed again at the end";
    EXPECT_EQ(RowOf(rows, "BS-E2E")->columns[2], "77");
    EXPECT_EQ(RowOf(rows, "BS-E2E")->columns[8], "10.1.2.254");

    // A station that goes quiet loses its row about a second later.
    ASSERT_TRUE(AskStandin(m_standin.pipe, "station drop BS-OTHER").ok);
    EXPECT_TRUE(WaitRows([](const std::vector<Row> &r) { return !RowOf(r, "BS-OTHER"); }, &rows, 4000));

    // "%s.\n" per report; standard output is in text mode, so a line ends in CR LF.
    const std::string out = m_console.Output();
    EXPECT_NE(out.find("BS-E2E.\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("BS-OTHER.\r\n"), std::string::npos) << out;
}

// Keys pressed on the operator's keyboard while the repeater-mode list is open: arrows
// move, Escape restores, and keys the list does not know (a letter, Shift, Delete, F1)
// are dropped. If this fails, one key press can end the console.
TEST_F(E2eBaseStation, KeysOnTheOpenRepeaterModeListKeepTheConsoleRunning) {
    std::vector<Row> rows;
    ASSERT_TRUE(WaitRows([](const std::vector<Row> &r) { return RowOf(r, "BS-E2E") != nullptr; }, &rows, kStartMs));
    ASSERT_TRUE(OpenDialogOn(*RowOf(rows, "BS-E2E")));
    const DumpedControl *mode = UiDump::Of(m_dialog).Find("RepeaterMode");
    ASSERT_NE(mode, nullptr);
    ASSERT_EQ(UiDump::Of(m_dialog).IntValue("RepeaterMode"), 1);
    ClickRect(m_dialog, mode->rect);
    ASSERT_NE(m_console.WaitWindowOf(L"UIComboDrop", nullptr, kWaitMs), nullptr);

    struct Step {
        const char *keys;
        int expected;
    };
    const Step steps[] = {{"a", 1}, {"shift", 1}, {"Left", 0}, {"Right", 1}, {"Delete", 1}, {"F1", 1}, {"End", 3}};
    for (const Step &step : steps) {
        SCOPED_TRACE(step.keys);
        ASSERT_TRUE(testsupport::XdoTool(std::string("key ") + step.keys));
        EXPECT_TRUE(testsupport::WaitFor(
            [&] { return !m_console.Running() || UiDump::Of(m_dialog).IntValue("RepeaterMode") == step.expected; },
            kWaitMs));
        ASSERT_TRUE(m_console.Running()) << "the console ended";
        EXPECT_EQ(UiDump::Of(m_dialog).IntValue("RepeaterMode"), step.expected);
    }
    ASSERT_TRUE(testsupport::XdoTool("key Escape"));
    EXPECT_TRUE(testsupport::WaitFor([&] { return m_console.FindWindowOf(L"UIComboDrop") == nullptr; }, kWaitMs));
    EXPECT_EQ(UiDump::Of(m_dialog).IntValue("RepeaterMode"), 1) << "Escape restores the mode it opened with";
    EXPECT_TRUE(m_console.Running());
}
