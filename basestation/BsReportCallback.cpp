// The report callback: runs on a thread of the service library; touches neither the
// list nor the list lock, only copies the report and posts it to the main window.
#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "ui/MainWindowRef.h"
#include "ui/PrivateMessages.h"

int __cdecl BsReportCallback(const char *serial, BsConfig *record) {
    BsReportBlock *block = bs::NewReportBlock(serial, record);
    if (!block) return 0;
    const HWND mainWnd = GetMainWindowHandle();
    const BOOL posted = mainWnd && ::PostMessageW(mainWnd, WM_BS_REPORT, reinterpret_cast<WPARAM>(block->serial),
                                                  reinterpret_cast<LPARAM>(&block->record));
    if (!posted) bs::FreeReportBlock(block);
    return posted ? 1 : 0;
}
