// CMenu1_1's row buttons: play, locate and delete, and the page reload after a delete.
#include "calls/CallRecordPage.h"

#include <cstdio>

#include "basestation/ControlText.h"
#include "calls/CallRowName.h"
#include "basestation/BsControlText.h"
#include "calls/PlayWindow.h"
#include "service/BmService.h"
#include "ui/OperatorWarning.h"

namespace {

const wchar_t kFileInUseText[] = L"文件正在被占用！";
const char kVoiceDeleteFailed[] = "Delete file failed.\r\n";
const char kDbDeleteFailed[] = "Db Delete file failed.\r\n";
const size_t kNameBytes = 100;

CControlUI *FindRowControl(CPaintManagerUI *pm, int row, const char *suffix) {
    char name[kRowNameSize];
    MakeRowName(row, suffix, name);
    return pm->FindControl(bs::AnsiToWide(name).c_str());
}

// The control's name in the OEM code page; empty when it does not fit (no row button's
// name comes near 100 bytes).
void ReadControlName(CControlUI *control, char (&out)[kControlTextSize]) {
    const CDuiString name = control->GetName();
    const int written =
        WideCharToMultiByte(CP_OEMCP, 0, name.c_str(), -1, out, static_cast<int>(sizeof out), nullptr, nullptr);
    if (written == 0) out[0] = '\0';
    out[sizeof out - 1] = '\0';
}

}  // namespace

void CMenu1_1::RunRowAction(CControlUI *sender) {
    char clicked[kControlTextSize];
    ReadControlName(sender, clicked);
    int row = 0;
    if (!ParseRowNumber(clicked, row)) return;

    CControlUI *nameButton = FindRowControl(m_pPaintManager, row, kRowNameText);
    CControlUI *idButton = FindRowControl(m_pPaintManager, row, kRowNameId);
    // A control named like a row button outside a row: nothing to act on.
    if (nameButton == nullptr || idButton == nullptr) return;
    char name[kControlTextSize];
    int id = 0;
    ReadControlText(nameButton, name);
    ReadControlInt(idButton, id);

    switch (RowActionOf(clicked)) {
    case RowAction::Play:
        if (VoiceFileIsUsing(name, id) != 0) {
            ShowOperatorWarning(kFileInUseText);
            return;
        }
        StartPlayback(name, id);
        if (g_pPlayWnd) ::ShowWindow(g_pPlayWnd->GetHWND(), SW_SHOW);
        return;
    case RowAction::Locate: LocateVoiceFile(name, id); return;
    case RowAction::Delete: DeleteCall(name, id); return;
    case RowAction::None: return;
    }
}

// No confirmation: one click deletes the voice file, then the record. Each call gets a
// fresh copy of the name, since the service may write into what it is given.
void CMenu1_1::DeleteCall(const char *name, int id) {
    char copy[kNameBytes];
    snprintf(copy, sizeof copy, "%s", name);
    if (VoiceDeleteFile(copy, id) != 0) {
        printf("%s", kVoiceDeleteFailed);
        fflush(stdout);
        return;
    }
    snprintf(copy, sizeof copy, "%s", name);
    if (DbDeleteCallItem(copy, id) != 0) {
        printf("%s", kDbDeleteFailed);
        fflush(stdout);
        return;
    }
    ReloadCallPage();
}

// Removes every row, the clicked one included: the list defers destroying them until the
// click's notification has returned. The range is the last query's, whatever the pickers
// show since.
void CMenu1_1::ReloadCallPage() {
    ClearList();
    ApplyButtons(RunPageReload(g_callPageIndex, [this](int offset, int count) { return FillCallPage(offset, count); }));
}
