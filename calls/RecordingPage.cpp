#include "calls/RecordingPage.h"

#include "service/BmService.h"

namespace {
const wchar_t kRecordingNote[] = L"正 在 录 音";
const wchar_t kStartImage[] = L"/Image/RecorderStart.png";
const wchar_t kStopImage[] = L"/Image/RecorderStop.png";
}  // namespace

PAGE_HANDLER_MESSAGE_MAP(CMenu1_0)

CMenu1_0::CMenu1_0() = default;

void CMenu1_0::SetPaintManager(CPaintManagerUI *pm) { m_pPaintManager = pm; }

void CMenu1_0::SetControls(CControlUI *recordBtn, CControlUI *recordNote) {
    m_pRecordBtn = recordBtn;
    m_pRecordNote = recordNote;
}

void CMenu1_0::OnClick(TNotifyUI &msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr || msg.pSender != m_pRecordBtn) return;
    // The display changes first and shows the requested state whatever the service does;
    // the next click reads the flag again.
    if (VoiceGetRecordFlag() != 0) {
        if (m_pRecordNote) m_pRecordNote->SetText(L"");
        m_pRecordBtn->SetAttribute(L"bkimage", kStartImage);
        VoiceRecordFlag(0);
    } else {
        if (m_pRecordNote) m_pRecordNote->SetText(kRecordingNote);
        m_pRecordBtn->SetAttribute(L"bkimage", kStopImage);
        VoiceRecordFlag(1);
    }
}

void CMenu1_0::OnSelectChanged(TNotifyUI &) {}
void CMenu1_0::OnItemClick(TNotifyUI &) {}
void CMenu1_0::OnItemSelect(TNotifyUI &) {}
void CMenu1_0::OnDoubleClick(TNotifyUI &) {}
