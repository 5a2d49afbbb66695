// The console's main window on the real skins and the service double, created once per
// program, and helpers that drive the base-station page and dialog with window messages.
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

// Brings a page forward as clicks on its group's option and its own do ("menu1_1").
void ShowPage(const wchar_t *option);
void ScrollIntoView(CListUI &list, int index);
void PressKey(HWND hWnd, UINT vk);
// Clicks the caption's minimise, restore, maximise and restore buttons in turn; the
// window's state after each (2 minimised, 1 maximised, 0 normal).
std::vector<int> CaptionButtonStates(CPaintManagerUI &pm, HWND hWnd);

// Prefix and one byte that the ANSI code page shows as a character the OEM code page
// reads back as another byte (not '?'). False when the code pages agree on every byte.
struct CodePageText {
    std::string ansi, oem;
    std::wstring shown;
};
bool FindCodePageText(const std::string &prefix, CodePageText &out);

BsConfig SampleRecord(int n);

// Reports a station through the registered callback, overwrites what it passed (as the
// library may) and waits until the report was handled. The callback's result.
int Report(const std::string &serial, const BsConfig &record);
std::vector<std::vector<std::wstring>> RowTexts();
std::vector<std::string> RowSerials();
// The serials BmHalBsStatus was asked about, in order.
std::vector<std::string> Asked();

// One presence pass on a thread of its own (as the poller runs it), this thread handling
// its removal requests meanwhile. False when it did not return in time, or returned with
// a removal request still queued.
bool PassOnPollerThread();
// Every row gone and the double back to its defaults (all stations present).
void ResetStations();

void DoubleClickRow(int index);

CControlUI *DialogControl(const wchar_t *name);
std::wstring FieldText(const wchar_t *name);
void SetField(const wchar_t *name, const std::wstring &text);
bool DialogVisible();

}  // namespace bstest
