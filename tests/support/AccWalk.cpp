#include "tests/support/AccWalk.h"

#include "uilib/core/UIText.h"

namespace acc {

namespace {

const VARIANT kSelf = [] {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}();

std::wstring Take(IAccessible *object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) {
    BSTR s = nullptr;
    if ((object->*get)(kSelf, &s) != S_OK || s == nullptr) return L"";
    std::wstring out(s, ::SysStringLen(s));
    ::SysFreeString(s);
    return out;
}

bool WalkFrom(IAccessible *object, int depth, std::vector<Node> *nodes, bool allRows, bool *rowsSeen) {
    Node n;
    n.depth = depth;
    VARIANT v;
    if (SUCCEEDED(object->get_accRole(kSelf, &v)) && v.vt == VT_I4) n.role = v.lVal;
    if (SUCCEEDED(object->get_accState(kSelf, &v)) && v.vt == VT_I4) n.state = v.lVal;
    n.name = Take(object, &IAccessible::get_accName);
    n.value = Take(object, &IAccessible::get_accValue);
    n.action = Take(object, &IAccessible::get_accDefaultAction);
    LONG x = 0, y = 0, cx = 0, cy = 0;
    if (SUCCEEDED(object->accLocation(&x, &y, &cx, &cy, kSelf))) n.rect = {x, y, x + cx, y + cy};
    object->get_accChildCount(&n.children);
    if (!allRows && n.role == ROLE_SYSTEM_LISTITEM && (n.state & STATE_SYSTEM_OFFSCREEN) != 0) return !*rowsSeen;
    *rowsSeen |= n.role == ROLE_SYSTEM_LISTITEM;
    nodes->push_back(n);
    bool seen = false, more = true;
    for (LONG i = 1; i <= n.children && more; ++i) {
        VARIANT child = kSelf;
        child.lVal = i;
        IDispatch *dispatch = nullptr;
        if (FAILED(object->get_accChild(child, &dispatch)) || dispatch == nullptr) continue;
        IAccessible *childObject = nullptr;
        if (SUCCEEDED(dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void **>(&childObject)))) {
            more = WalkFrom(childObject, depth + 1, nodes, allRows, &seen);
            childObject->Release();
        }
        dispatch->Release();
    }
    return true;
}

}  // namespace

bool Walk(HWND hWnd, std::vector<Node> *nodes, bool allRows) {
    nodes->clear();
    IAccessible *client = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            reinterpret_cast<void **>(&client))) ||
        client == nullptr)
        return false;
    bool rowsSeen = false;
    WalkFrom(client, 0, nodes, allRows, &rowsSeen);
    client->Release();
    return true;
}

std::string RoleText(LONG role) {
    wchar_t text[64] = {};
    ::GetRoleTextW(static_cast<DWORD>(role), text, 64);
    return uilib::WideToUtf8(text);
}

std::string StateText(LONG state) {
    std::string out;
    for (int bit = 0; bit < 31; ++bit) {
        if ((state & (1L << bit)) == 0) continue;
        wchar_t text[64] = {};
        ::GetStateTextW(1UL << bit, text, 64);
        out += (out.empty() ? "" : ",") + uilib::WideToUtf8(text);
    }
    return out;
}

std::string Print(const std::vector<Node> &nodes) {
    std::string out;
    for (const Node &n : nodes) {
        char where[64];
        snprintf(where, sizeof where, " (%ld,%ld %ldx%ld) ", n.rect.left, n.rect.top, n.rect.right - n.rect.left,
                 n.rect.bottom - n.rect.top);
        out += std::string(2 * n.depth, ' ') + RoleText(n.role) + " \"" + uilib::WideToUtf8(n.name) + "\" [" +
               uilib::WideToUtf8(n.value) + "] {" + StateText(n.state) + "}" + where + uilib::WideToUtf8(n.action) +
               "\n";
    }
    return out;
}

}  // namespace acc
