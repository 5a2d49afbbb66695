#include "uilib/core/UINotifyPump.h"

#include "uilib/core/UIControl.h"

namespace {
const DUI_MSGMAP_ENTRY kNoEntries[] = {{nullptr, nullptr, nullptr}};
const DUI_MSGMAP *NoBaseMap() { return nullptr; }
}  // namespace

const DUI_MSGMAP CNotifyPump::messageMap = {&NoBaseMap, &kNoEntries[0]};

const DUI_MSGMAP *CNotifyPump::GetMessageMap() const { return &CNotifyPump::messageMap; }

CNotifyPump::~CNotifyPump() = default;

bool CNotifyPump::AddVirtualWnd(CDuiString strName, CNotifyPump *pObject) {
    if (strName.empty() || pObject == nullptr) return false;
    return m_VirtualWndMap.emplace(strName, pObject).second;
}

bool CNotifyPump::RemoveVirtualWnd(CDuiString strName) { return m_VirtualWndMap.erase(strName) > 0; }

bool CNotifyPump::LoopDispatch(TNotifyUI &msg) {
    CDuiString senderName;
    if (msg.pSender != nullptr) senderName = msg.pSender->GetName();
    for (const DUI_MSGMAP *map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const DUI_MSGMAP_ENTRY *e = map->lpEntries; e != nullptr && e->sMsgType != nullptr; ++e) {
            if (msg.sType != e->sMsgType) continue;
            if (e->sCtrlName != nullptr && e->sCtrlName[0] != L'\0' && senderName != e->sCtrlName) continue;
            (this->*(e->pfn))(msg);
            return true;
        }
    }
    return false;
}

void CNotifyPump::NotifyPump(TNotifyUI &msg) {
    if (!msg.sVirtualWnd.empty()) {
        auto it = m_VirtualWndMap.find(msg.sVirtualWnd);
        if (it != m_VirtualWndMap.end() && it->second != nullptr && it->second->LoopDispatch(msg)) return;
    }
    LoopDispatch(msg);
}
