// CMenu1_0: the recording page. One switch turns the service's call recording on and off;
// a note says when it is on. The service's flag is the only state: each click reads it
// afresh and moves to the opposite. Owned by the main window, which sets the paint
// manager, hands over the switch ("RecordCtrlBtn") and the note ("RecordNote") and
// registers the page as "V_Menu1_0". Both pointers are non-owning.
#pragma once

#include "ui/PageHandler.h"
#include "uilib/UIlib.h"

class CMenu1_0 : public CNotifyPump {
public:
    PAGE_HANDLER_DECLARATIONS()

    CMenu1_0();

    void SetPaintManager(CPaintManagerUI *pm);
    void SetControls(CControlUI *recordBtn, CControlUI *recordNote);

private:
    CPaintManagerUI *m_pPaintManager = nullptr;
    CControlUI *m_pRecordBtn = nullptr;
    CControlUI *m_pRecordNote = nullptr;
};
