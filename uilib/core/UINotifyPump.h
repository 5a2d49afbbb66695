// CNotifyPump and notify maps: static tables (type, control name, handler) attached to
// a class and chained to its base's. A pump routes a notification to the pump registered
// under its virtual-window name (AddVirtualWnd) and falls back to its own map when that
// pump's chain has no row for the type. Within a chain the class's rows come before its
// base's; the first row that matches is called and the search stops. An empty control
// name in a row matches any control.
#pragma once

#include <map>

#include "uilib/core/UIDefine.h"

class CNotifyPump;
typedef void (CNotifyPump::*DUI_PMSG)(TNotifyUI &msg);

struct DUI_MSGMAP_ENTRY {
    LPCTSTR sMsgType;   // null ends the table
    LPCTSTR sCtrlName;  // empty: any control
    DUI_PMSG pfn;
};

struct DUI_MSGMAP {
    const DUI_MSGMAP *(*pfnGetBaseMap)();
    const DUI_MSGMAP_ENTRY *lpEntries;
};

#define DUI_DECLARE_MESSAGE_MAP()                                                                                      \
private:                                                                                                               \
    static const DUI_MSGMAP_ENTRY _messageEntries[];                                                                   \
protected:                                                                                                             \
    static const DUI_MSGMAP messageMap;                                                                                \
    static const DUI_MSGMAP *_GetBaseMessageMap();                                                                     \
public:                                                                                                                \
    const DUI_MSGMAP *GetMessageMap() const override;

#define DUI_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                     \
    const DUI_MSGMAP *theClass::_GetBaseMessageMap() { return &baseClass::messageMap; }                                \
    const DUI_MSGMAP *theClass::GetMessageMap() const { return &theClass::messageMap; }                                \
    const DUI_MSGMAP theClass::messageMap = {&theClass::_GetBaseMessageMap, &theClass::_messageEntries[0]};            \
    const DUI_MSGMAP_ENTRY theClass::_messageEntries[] = {

#define DUI_ON_MSGTYPE(msgtype, memberFxn) {msgtype, L"", static_cast<DUI_PMSG>(&memberFxn)},

#define DUI_ON_MSGTYPE_CTRNAME(msgtype, ctrname, memberFxn) {msgtype, ctrname, static_cast<DUI_PMSG>(&memberFxn)},

#define DUI_ON_CLICK_CTRNAME(ctrname, memberFxn) {DUI_MSGTYPE_CLICK, ctrname, static_cast<DUI_PMSG>(&memberFxn)},

#define DUI_END_MESSAGE_MAP()                                                                                          \
    { nullptr, nullptr, nullptr }                                                                                      \
    }                                                                                                                  \
    ;

class CNotifyPump {
public:
    virtual const DUI_MSGMAP *GetMessageMap() const;
    virtual ~CNotifyPump();

    bool AddVirtualWnd(CDuiString strName, CNotifyPump *pObject);
    bool RemoveVirtualWnd(CDuiString strName);
    // Routes msg: the pump registered under msg.sVirtualWnd first, then this one's map.
    void NotifyPump(TNotifyUI &msg);
    // Dispatches msg through this object's map chain; true when a row was called.
    bool LoopDispatch(TNotifyUI &msg);

protected:
    static const DUI_MSGMAP messageMap;

private:
    std::map<CDuiString, CNotifyPump *> m_VirtualWndMap;  // not owned
};
