// The rows of the base-station list "BsList": report intake, removal and presence
// polling. One instance, a member of the main window, bound to the window's list and
// list lock. Rows are created and destroyed on the UI thread only; the poller thread
// works on a list of serial numbers kept under the list lock and hands the stations
// that are gone to the UI thread (WM_BS_GONE), which removes their rows before the
// next pass begins.
#pragma once

#include <windows.h>

#include "service/BsConfig.h"

class CListUI;

// The line each report writes on standard output, "<serial>.\n", in one write: printf on
// the unbuffered standard output writes it a piece at a time, a system call each.
void WriteReportLine(const char *serial);

class BsListRows {
public:
    BsListRows();
    ~BsListRows();

    // list and lock belong to the main window; mainWnd receives WM_BS_GONE.
    void Attach(CListUI *list, CRITICAL_SECTION *lock, HWND mainWnd);

    // UI thread: WM_BS_REPORT. wParam/lParam carry the block the callback posted (freed
    // here). Appends a row for a station not yet listed. Result 0.
    LRESULT OnBsReport(WPARAM wParam, LPARAM lParam);
    // UI thread: WM_BS_REMOVE_SELECTED. Removes the row of the serial last pushed by the
    // configuration dialog (see NotePushed), if it is listed. Result 0.
    LRESULT OnRemoveSelected();
    // UI thread: WM_BS_GONE. Removes the rows the last pass found gone. Result 0.
    LRESULT OnBsGone(WPARAM wParam, LPARAM lParam);
    // Poller thread: one pass over the listed stations.
    void PollBsPresence();
    // UI thread: the dialog pushed a configuration for serial.
    void NotePushed(const char *serial);

    int RowCount() const;

private:
    struct Impl;
    Impl *m_impl;
};

// The one instance (set by Attach); PollBsPresence() and the report callback use it.
extern BsListRows *g_pBsListRows;

// One pass of the presence poller (poller thread).
void PollBsPresence();

// Poller thread: asks mainWnd to remove the rows a pass found gone (WM_BS_GONE) and
// waits until it has set ack, up to timeoutMs. Without an ack event the rows still go,
// only the wait is skipped.
void HandOverGoneRows(HWND mainWnd, HANDLE ack, DWORD timeoutMs);

// Registered with the service library: copies the serial (at most 100 bytes, always
// terminated) and the 56-byte record into a block that WM_BS_REPORT carries to the main
// window; frees it when the post fails. Returns the post's result.
int __cdecl BsReportCallback(const char *serial, BsConfig *record);
