// The IAccessible objects of one paint manager's window. The window's client area is the
// object with id 0; a control gets a positive id the first time a client or an event
// names it, and loses it with the control (or when it leaves the tree). Objects hold ids,
// never control pointers: an object whose control is gone answers E_FAIL. Events name a
// control as child -id of OBJID_CLIENT. Locations are screen pixels.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <unordered_map>

class CControlUI;
class CPaintManagerUI;

namespace uilib {

struct AccRegistry {
    CPaintManagerUI *manager = nullptr;  // null once the manager is gone
    std::unordered_map<CControlUI *, LONG> ids;
    std::unordered_map<LONG, CControlUI *> controls;
    LONG next = 1;

    LONG IdOf(CControlUI *control);           // assigned on first use
    LONG KnownId(CControlUI *control) const;  // 0 when never named
    CControlUI *Find(LONG id) const;
    void Forget(CControlUI *control);
};

// A new object (one reference) for the control with id (0: the client area).
IAccessible *NewAccObject(const std::shared_ptr<AccRegistry> &registry, LONG id);

// The registered message that carries a deferred default action (wParam: the id).
UINT AccActionMessage();

}  // namespace uilib
