#include "tests/support/AccWalk.h"

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

// Visits object and its children; false when a reader reading the rows in view would
// stop here (a row out of view after rows in view).
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

std::string Utf8(const std::wstring &text) {
    std::string out(text.size() * 3, '\0');
    out.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                     static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

// The system's own words for roles and states.
std::string RoleText(LONG role) {
    wchar_t text[64] = {};
    ::GetRoleTextW(static_cast<DWORD>(role), text, 64);
    return Utf8(text);
}

std::string StateText(LONG state) {
    std::string out;
    for (int bit = 0; bit < 31; ++bit) {
        if ((state & (1L << bit)) == 0) continue;
        wchar_t text[64] = {};
        ::GetStateTextW(1UL << bit, text, 64);
        out += (out.empty() ? "" : ",") + Utf8(text);
    }
    return out;
}

std::string Print(const std::vector<Node> &nodes) {
    std::string out;
    for (const Node &n : nodes) {
        char where[64];
        snprintf(where, sizeof where, " (%ld,%ld %ldx%ld) ", n.rect.left, n.rect.top, n.rect.right - n.rect.left,
                 n.rect.bottom - n.rect.top);
        out += std::string(2 * n.depth, ' ') + RoleText(n.role) + " \"" + Utf8(n.name) + "\" [" + Utf8(n.value) +
               "] {" + StateText(n.state) + "}" + where + Utf8(n.action) + "\n";
    }
    return out;
}

const Node *Find(const std::vector<Node> &nodes, LONG role, const std::wstring &name) {
    for (const Node &n : nodes)
        if (n.role == role && n.name == name) return &n;
    return nullptr;
}

IAccessible *FromEvent(HWND hWnd, LONG idChild) {
    IAccessible *object = nullptr;
    VARIANT child;
    if (FAILED(::AccessibleObjectFromEvent(hWnd, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(idChild), &object,
                                           &child)))
        return nullptr;
    ::VariantClear(&child);
    return object;
}

}  // namespace acc
