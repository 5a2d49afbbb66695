// Shared definitions of the UI library: strings, notification and event records,
// the notifier, message-filter and builder-callback interfaces, notification type names.
// Coordinates are client pixels of the window that owns the paint manager.
#pragma once

#include <windows.h>
#include <string>

class CControlUI;
class CPaintManagerUI;

typedef std::wstring CDuiString;

// Notification types sent by the controls.
#define DUI_MSGTYPE_WINDOWINIT    L"windowinit"
#define DUI_MSGTYPE_CLICK         L"click"
#define DUI_MSGTYPE_DBCLICK       L"dbclick"
#define DUI_MSGTYPE_SELECTCHANGED L"selectchanged"
#define DUI_MSGTYPE_ITEMCLICK     L"itemclick"
#define DUI_MSGTYPE_ITEMSELECT    L"itemselect"
#define DUI_MSGTYPE_VALUECHANGED  L"valuechanged"
#define DUI_MSGTYPE_TEXTCHANGED   L"textchanged"
#define DUI_MSGTYPE_RETURN        L"return"
#define DUI_MSGTYPE_SETFOCUS      L"setfocus"
#define DUI_MSGTYPE_KILLFOCUS     L"killfocus"
#define DUI_MSGTYPE_DROPDOWN      L"dropdown"
#define DUI_MSGTYPE_SCROLL        L"scroll"
#define DUI_MSGTYPE_TABSELECT     L"tabselect"
#define DUI_MSGTYPE_TIMER         L"timer"

// A control notification as delivered to notifiers and notify maps.
struct TNotifyUI {
    CDuiString sType;
    CDuiString sVirtualWnd;  // sender's own, or its nearest ancestor's that has one
    CControlUI *pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Input events delivered to a control's DoEvent.
enum EventTypeUI {
    UIEVENT__FIRST = 1,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SETFOCUS,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT_IME,  // input method message for the focused control: wParam the message, lParam its
                  // lParam, chKey its wParam
    UIEVENT__LAST,
};

struct TEventUI {
    int Type = 0;
    CControlUI *pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    wchar_t chKey = 0;
    WORD wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// UIEVENT_SCROLLWHEEL is one notch (WHEEL_DELTA): wParam's low word is SB_LINEUP (up or
// left) or SB_LINEDOWN (down or right), its high word kWheelHorizontal for the tilt wheel.
const WORD kWheelHorizontal = 1;
inline bool IsHorizontalWheel(const TEventUI &event) { return HIWORD(event.wParam) == kWheelHorizontal; }

// Receives every notification of a paint manager's controls.
class INotifyUI {
public:
    virtual void Notify(TNotifyUI &msg) = 0;
protected:
    ~INotifyUI() = default;
};

// Sees window messages before (pre) or instead of the paint manager's own handling.
class IMessageFilterUI {
public:
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool &bHandled) = 0;
protected:
    ~IMessageFilterUI() = default;
};

// Asked by the skin builder for every tag it does not know; null means no control.
class IDialogBuilderCallback {
public:
    virtual CControlUI *CreateControl(LPCTSTR pstrClass) = 0;
protected:
    ~IDialogBuilderCallback() = default;
};

// Flags for CControlUI::FindControl.
#define UIFIND_ALL        0x00000000
#define UIFIND_VISIBLE    0x00000001
#define UIFIND_ENABLED    0x00000002
#define UIFIND_HITTEST    0x00000004
#define UIFIND_UPDATETEST 0x00000008
#define UIFIND_TOP_FIRST  0x00000010
#define UIFIND_ME_FIRST   0x80000000

// Control flags (GetControlFlags).
#define UIFLAG_TABSTOP    0x00000001
#define UIFLAG_SETCURSOR  0x00000002
#define UIFLAG_WANTRETURN 0x00000004
#define UIFLAG_WANTIME    0x00000008  // takes input method results (WM_IME_*) while focused

typedef CControlUI *(CALLBACK *FINDCONTROLPROC)(CControlUI *, LPVOID);

// Registered message name and WM_COPYDATA tag of the inspection hook.
#define UILIB_INSPECT_MESSAGE      L"UILibInspect"
#define UILIB_INSPECT_COPYDATA_TAG 0x55494C49
