#include "tests/support/AccWalk.h"

namespace acc {

namespace {

const VARIANT kSelf = [] {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}();

std::wstring Take(BSTR s) {
    std::wstring out = s != nullptr ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
    ::SysFreeString(s);
    return out;
}

void Describe(IAccessible *object, int depth, Node &node) {
    node.depth = depth;
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(object->get_accRole(kSelf, &v)) && v.vt == VT_I4) node.role = v.lVal;
    ::VariantClear(&v);
    if (SUCCEEDED(object->get_accState(kSelf, &v)) && v.vt == VT_I4) node.state = v.lVal;
    ::VariantClear(&v);
    BSTR s = nullptr;
    if (object->get_accName(kSelf, &s) == S_OK) node.name = Take(s);
    s = nullptr;
    if (object->get_accValue(kSelf, &s) == S_OK) node.value = Take(s);
    s = nullptr;
    if (object->get_accDefaultAction(kSelf, &s) == S_OK) node.action = Take(s);
    LONG x = 0, y = 0, cx = 0, cy = 0;
    if (SUCCEEDED(object->accLocation(&x, &y, &cx, &cy, kSelf))) node.rect = {x, y, x + cx, y + cy};
    object->get_accChildCount(&node.children);
}

// Visits object and its children; false when a reader reading the rows in view would
// stop here (a row out of view after rows in view).
bool WalkFrom(IAccessible *object, int depth, std::vector<Node> *nodes, bool allRows, bool *rowsSeen) {
    Node node;
    Describe(object, depth, node);
    if (!allRows && node.role == ROLE_SYSTEM_LISTITEM && (node.state & STATE_SYSTEM_OFFSCREEN) != 0) return !*rowsSeen;
    if (node.role == ROLE_SYSTEM_LISTITEM) *rowsSeen = true;
    nodes->push_back(node);
    bool seen = false;
    for (LONG i = 1; i <= node.children; ++i) {
        VARIANT child;
        child.vt = VT_I4;
        child.lVal = i;
        IDispatch *dispatch = nullptr;
        if (FAILED(object->get_accChild(child, &dispatch)) || dispatch == nullptr) continue;
        IAccessible *childObject = nullptr;
        bool more = true;
        if (SUCCEEDED(dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void **>(&childObject)))) {
            more = WalkFrom(childObject, depth + 1, nodes, allRows, &seen);
            childObject->Release();
        }
        dispatch->Release();
        if (!more) break;
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
    if (text.empty()) return std::string();
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string RoleText(LONG role) {
    switch (role) {
    case ROLE_SYSTEM_CLIENT: return "client";
    case ROLE_SYSTEM_GROUPING: return "grouping";
    case ROLE_SYSTEM_PUSHBUTTON: return "push button";
    case ROLE_SYSTEM_RADIOBUTTON: return "radio button";
    case ROLE_SYSTEM_PAGETAB: return "page tab";
    case ROLE_SYSTEM_CHECKBUTTON: return "check box";
    case ROLE_SYSTEM_TEXT: return "editable text";
    case ROLE_SYSTEM_COMBOBOX: return "combo box";
    case ROLE_SYSTEM_LIST: return "list";
    case ROLE_SYSTEM_LISTITEM: return "list item";
    case ROLE_SYSTEM_COLUMNHEADER: return "column header";
    case ROLE_SYSTEM_SLIDER: return "slider";
    case ROLE_SYSTEM_PROGRESSBAR: return "progress bar";
    case ROLE_SYSTEM_DROPLIST: return "drop-down";
    case ROLE_SYSTEM_STATICTEXT: return "static text";
    default: return "role " + std::to_string(role);
    }
}

std::string StateText(LONG state) {
    static const struct {
        LONG bit;
        const char *name;
    } kStates[] = {{STATE_SYSTEM_FOCUSED, "focused"},     {STATE_SYSTEM_FOCUSABLE, "focusable"},
                   {STATE_SYSTEM_SELECTED, "selected"},   {STATE_SYSTEM_SELECTABLE, "selectable"},
                   {STATE_SYSTEM_CHECKED, "checked"},     {STATE_SYSTEM_UNAVAILABLE, "unavailable"},
                   {STATE_SYSTEM_INVISIBLE, "invisible"}, {STATE_SYSTEM_OFFSCREEN, "offscreen"},
                   {STATE_SYSTEM_PROTECTED, "protected"}, {STATE_SYSTEM_READONLY, "read-only"},
                   {STATE_SYSTEM_HASPOPUP, "has popup"},  {STATE_SYSTEM_EXPANDED, "expanded"},
                   {STATE_SYSTEM_COLLAPSED, "collapsed"}};
    std::string out;
    for (const auto &s : kStates) {
        if ((state & s.bit) == 0) continue;
        if (!out.empty()) out += ",";
        out += s.name;
    }
    return out;
}

std::string Print(const std::vector<Node> &nodes) {
    std::string out;
    for (const Node &n : nodes) {
        out += std::string(2 * n.depth, ' ') + RoleText(n.role) + " \"" + Utf8(n.name) + "\"";
        if (!n.value.empty()) out += " [" + Utf8(n.value) + "]";
        if (n.state != 0) out += " {" + StateText(n.state) + "}";
        char where[64];
        snprintf(where, sizeof where, " (%ld,%ld %ldx%ld)", n.rect.left, n.rect.top, n.rect.right - n.rect.left,
                 n.rect.bottom - n.rect.top);
        out += where;
        if (!n.action.empty()) out += " " + Utf8(n.action);
        if (n.role == ROLE_SYSTEM_LIST) out += " children=" + std::to_string(n.children);
        out += "\n";
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
    ::VariantInit(&child);
    if (FAILED(::AccessibleObjectFromEvent(hWnd, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(idChild), &object,
                                           &child)))
        return nullptr;
    ::VariantClear(&child);
    return object;
}

}  // namespace acc
