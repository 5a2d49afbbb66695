// The console's main window with the real skins and the service double, created once per
// test program, and helpers that drive the base-station page and dialog with window
// messages and read them back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "basestation/BsConfigDialog.h"
#include "service/BsConfig.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/SkinInput.h"
#include "ui/DemoFrameWnd.h"
#include "uilib/UIlib.h"

namespace bstest {

namespace sd = servicedouble;
using testsupport::Narrow;

// The main window (created on first use, shown, base-station page in front).
CDemoFrameWnd &MainFrame();
CListUI &List();
CBsCfgFrameWnd &Dialog();

// A record with recognisable values derived from n.
BsConfig SampleRecord(int n);

// Reports a station through the registered callback and waits until it was handled.
void Report(const std::string &serial, const BsConfig &record);
// Column texts of each row, in list order; and just the serials.
std::vector<std::vector<std::wstring>> RowTexts();
std::vector<std::string> RowSerials();
// The serials BmHalBsStatus was asked about, in order.
std::vector<std::string> Asked();

// One presence pass on a thread of its own (as the poller runs it), pumping this thread
// until it has returned. False when it did not return in time.
bool PassOnPollerThread();
// Every row gone and the double back to its defaults (all stations present).
void ResetStations();

// A double click on the row's serial column.
void DoubleClickRow(int index);

// The dialog's named control, its text, setting its text.
CControlUI *DialogControl(const wchar_t *name);
std::wstring FieldText(const wchar_t *name);
void SetField(const wchar_t *name, const std::wstring &text);
bool DialogVisible();

}  // namespace bstest
