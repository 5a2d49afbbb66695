// CMenu1_1: the call-record page. Lists the calls of a date range 16 to a page, steps
// between pages, and runs the play / locate / delete buttons of the rows. Owned by the
// main window, which sets its paint manager, calls InitControls once and registers it as
// the virtual window "V_Menu1_1". Every control pointer is non-owning: the controls
// belong to the main window's paint manager; the rows belong to the call list.
//
// Sections: paging (CallRecordPage.cpp), row actions and the reload after a delete
// (CallRowActions.cpp).
#pragma once

#include "calls/CallDateText.h"
#include "calls/CallPaging.h"
#include "ui/PageHandler.h"
#include "uilib/UIlib.h"

class CMenu1_1 : public CNotifyPump {
public:
    PAGE_HANDLER_DECLARATIONS()

    CMenu1_1();

    void SetPaintManager(CPaintManagerUI *pm);
    // Creates the hidden playback window, finds the page's controls, styles the list's
    // scroll bars and disables both paging buttons.
    void InitControls();

    // Adds the rows of the window (offset, count) of the current date texts to the list
    // (emptied by the caller).
    CallPageFill FillCallPage(int offset, int count);
    // After a delete: shows the page on show again, or the one before when it is empty.
    void ReloadCallPage();

private:
    void RunPagingStep(PagingBranch branch);
    void RunRowAction(CControlUI *sender);
    void DeleteCall(const char *name, int id);
    void ClearList();
    void BuildRangeTexts();
    void ApplyButtons(const PagingButtons &buttons);

    CPaintManagerUI *m_pPaintManager = nullptr;
    CControlUI *m_pFindBtn = nullptr;
    CListUI *m_pCallList = nullptr;
    CControlUI *m_pPrevBtn = nullptr;
    CControlUI *m_pNextBtn = nullptr;
    CDateTimeUI *m_pStartDate = nullptr;
    CDateTimeUI *m_pEndDate = nullptr;
    char m_startText[kCallDateTextSize] = {};
    char m_endText[kCallDateTextSize] = {};
};
