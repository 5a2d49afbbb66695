// What the three page handlers share: the five notification handlers (declared in slot
// order after GetMessageMap) and the notify map that routes to them, five rows in this
// order, chained to CNotifyPump's.
#pragma once

#include "uilib/UIlib.h"

// Inside the class body of a page handler derived from CNotifyPump.
#define PAGE_HANDLER_DECLARATIONS()                                                                                    \
    DUI_DECLARE_MESSAGE_MAP()                                                                                          \
public:                                                                                                                \
    virtual void OnClick(TNotifyUI &msg);                                                                              \
    virtual void OnSelectChanged(TNotifyUI &msg);                                                                      \
    virtual void OnItemClick(TNotifyUI &msg);                                                                          \
    virtual void OnItemSelect(TNotifyUI &msg);                                                                         \
    virtual void OnDoubleClick(TNotifyUI &msg);

// In the page handler's source file.
#define PAGE_HANDLER_MESSAGE_MAP(theClass)                                                                             \
    DUI_BEGIN_MESSAGE_MAP(theClass, CNotifyPump)                                                                       \
    DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, theClass::OnClick)                                                               \
    DUI_ON_MSGTYPE(DUI_MSGTYPE_DBCLICK, theClass::OnDoubleClick)                                                       \
    DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, theClass::OnSelectChanged)                                               \
    DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMCLICK, theClass::OnItemClick)                                                       \
    DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, theClass::OnItemSelect)                                                     \
    DUI_END_MESSAGE_MAP()
