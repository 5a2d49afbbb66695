// CMenu0_0: the handler of the base-station page ("V_Menu0_0"). Styles and empties the
// list "BsList", creates the configuration dialog, and opens it for the selected row on
// a double-click. Owned by the main window; its pointers are not owning.
#pragma once

#include "ui/PageHandler.h"
#include "uilib/UIlib.h"

class CMenu0_0 : public CNotifyPump {
public:
    void SetPaintManager(CPaintManagerUI *pm);
    // Once, on the UI thread, while the main window is created.
    void InitControls();

    PAGE_HANDLER_DECLARATIONS()

private:
    CPaintManagerUI *m_pPaintManager = nullptr;
    CControlUI *m_pRefreshBtn = nullptr;
    CListUI *m_pBsList = nullptr;
};
