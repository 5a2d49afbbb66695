#include "uilib/access/UIAccDescribe.h"

#include <oleacc.h>

#include "uilib/controls/UIButton.h"
#include "uilib/controls/UICombo.h"
#include "uilib/controls/UIDateTime.h"
#include "uilib/controls/UIEdit.h"
#include "uilib/controls/UIList.h"
#include "uilib/controls/UIProgress.h"
#include "uilib/core/UIContainer.h"
#include "uilib/core/UIManager.h"

namespace {

enum class Kind {
    None,    // no object, no children (spacers, scroll bars, decorative images)
    Layout,  // no object; its children count as its parent's
    Group,
    Button,
    Radio,
    Tab,
    Check,
    Edit,
    Combo,
    List,
    Row,
    Header,
    Slider,
    Progress,
    Date,
    Static,
};

// Default actions, as the system's own controls name them.
const wchar_t kActionPress[] = L"按下";
const wchar_t kActionCheck[] = L"选中";
const wchar_t kActionSwitch[] = L"切换";
const wchar_t kActionOpen[] = L"打开";
const wchar_t kActionDoubleClick[] = L"双击";

template <class T>
T *As(CControlUI *control, const wchar_t *name) {
    return static_cast<T *>(control->GetInterface(name));
}

Kind KindOf(CControlUI *c) {
    if (c == nullptr) return Kind::None;
    const CDuiString role = c->GetAccRole();
    if (role == L"none") return Kind::None;
    if (c->GetInterface(L"ListItem") != nullptr) return Kind::Row;
    if (c->GetInterface(L"ListHeaderItem") != nullptr) return Kind::Header;
    if (c->GetInterface(L"List") != nullptr) return Kind::List;
    if (c->GetInterface(L"Combo") != nullptr) return Kind::Combo;
    if (COptionUI *option = As<COptionUI>(c, L"Option")) {
        if (role == L"tab") return Kind::Tab;
        return *option->GetGroup() != L'\0' ? Kind::Radio : Kind::Check;
    }
    if (c->GetInterface(L"Button") != nullptr) return Kind::Button;
    if (c->GetInterface(L"Edit") != nullptr) return Kind::Edit;
    if (c->GetInterface(L"Slider") != nullptr) return Kind::Slider;
    if (c->GetInterface(L"Progress") != nullptr) return Kind::Progress;
    if (c->GetInterface(L"DateTime") != nullptr) return Kind::Date;
    if (c->GetInterface(L"Label") != nullptr) {
        // A picture without words says nothing to a listener.
        const bool words = !c->GetText().empty() || !c->GetAccName().empty();
        return words || *c->GetBkImage() == L'\0' ? Kind::Static : Kind::None;
    }
    if (c->GetInterface(L"IContainer") != nullptr && c->GetInterface(L"ListBody") == nullptr &&
        c->GetInterface(L"ListHeader") == nullptr)
        return c->GetAccName().empty() ? Kind::Layout : Kind::Group;
    return Kind::None;
}

IContainerUI *ContainerOf(CControlUI *c) { return As<IContainerUI>(c, L"IContainer"); }

// An item of a combo box (picked), not a row of a list (opened).
bool IsComboItem(CControlUI *row) { return row->GetParent() != nullptr && row->GetParent()->GetInterface(L"Combo"); }

// The children with objects of a control without one of its own, in tree order.
void Flatten(CControlUI *container, std::vector<CControlUI *> &out) {
    IContainerUI *items = ContainerOf(container);
    if (items == nullptr) return;
    for (int i = 0; i < items->GetCount(); ++i) {
        CControlUI *child = items->GetItemAt(i);
        const Kind kind = KindOf(child);
        if (kind == Kind::Layout)
            Flatten(child, out);
        else if (kind != Kind::None)
            out.push_back(child);
    }
}

// A list's children: its column headings (when shown), then its rows by index.
int HeaderCount(CListUI *list) {
    CListHeaderUI *header = list->GetHeader();
    // A hidden header ("header" "hidden") has none; a header hidden with its page has.
    const bool shown = header != nullptr && (header->IsVisible() || !list->IsVisible());
    return shown ? header->GetCount() : 0;
}

CDuiString Join(const CDuiString &a, const CDuiString &b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + L", " + b;
}

// The words shown inside a row: its columns, or the texts of the controls it holds.
CDuiString RowText(CControlUI *row) {
    if (CListTextElementUI *text = As<CListTextElementUI>(row, L"ListTextElement")) {
        CDuiString out;
        for (int i = 0; i < text->GetColumnCount(); ++i) out = Join(out, text->GetText(i));
        return out;
    }
    if (ContainerOf(row) == nullptr) return row->GetText();
    std::vector<CControlUI *> parts;
    Flatten(row, parts);
    CDuiString out;
    for (CControlUI *part : parts) out = Join(out, part->GetText());
    return out;
}

bool RowInView(CControlUI *row) {
    CControlUI *body = row->GetParent();
    if (body == nullptr) return false;
    RECT view = body->GetPos(), item = row->GetPos(), both;
    return ::IntersectRect(&both, &view, &item) != FALSE;
}

}  // namespace

namespace uilib {

bool AccExposed(CControlUI *control) {
    const Kind kind = KindOf(control);
    return kind != Kind::None && kind != Kind::Layout;
}

CControlUI *AccParent(CControlUI *control, CControlUI *root) {
    if (control == nullptr || control == root) return nullptr;
    for (CControlUI *p = control->GetParent(); p != nullptr && p != root; p = p->GetParent()) {
        if (AccExposed(p)) return p;
    }
    return nullptr;
}

int AccChildCount(CControlUI *control) {
    switch (KindOf(control)) {
    case Kind::List: {
        CListUI *list = As<CListUI>(control, L"List");
        return HeaderCount(list) + list->GetCount();
    }
    case Kind::Combo: return As<CComboUI>(control, L"Combo")->GetCount();
    case Kind::Row:
    case Kind::Group:
    case Kind::Layout: {
        std::vector<CControlUI *> children;
        Flatten(control, children);
        return static_cast<int>(children.size());
    }
    default: return 0;
    }
}

CControlUI *AccChildAt(CControlUI *control, int index) {
    if (index < 0) return nullptr;
    switch (KindOf(control)) {
    case Kind::List: {
        CListUI *list = As<CListUI>(control, L"List");
        const int headings = HeaderCount(list);
        if (index < headings) return list->GetHeader()->GetItemAt(index);
        return list->GetItemAt(index - headings);
    }
    case Kind::Combo: return As<CComboUI>(control, L"Combo")->GetItemAt(index);
    case Kind::Row:
    case Kind::Group:
    case Kind::Layout: {
        std::vector<CControlUI *> children;
        Flatten(control, children);
        return index < static_cast<int>(children.size()) ? children[index] : nullptr;
    }
    default: return nullptr;
    }
}

int AccIndexOf(CControlUI *parent, CControlUI *child) {
    if (parent == nullptr || child == nullptr) return -1;
    const Kind kind = KindOf(parent);
    if (kind == Kind::List || kind == Kind::Combo) {
        // Rows know their place: no walk over a long list.
        if (IListItemUI *row = As<IListItemUI>(child, L"ListItem")) {
            const int headings = kind == Kind::List ? HeaderCount(As<CListUI>(parent, L"List")) : 0;
            return row->GetIndex() < 0 ? -1 : headings + row->GetIndex();
        }
    }
    if (kind == Kind::List) {
        CListUI *list = As<CListUI>(parent, L"List");
        return HeaderCount(list) > 0 ? list->GetHeader()->GetItemIndex(child) : -1;
    }
    std::vector<CControlUI *> children;
    Flatten(parent, children);
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == child) return static_cast<int>(i);
    return -1;
}

LONG AccRole(CControlUI *control) {
    switch (KindOf(control)) {
    case Kind::Group: return ROLE_SYSTEM_GROUPING;
    case Kind::Button: return ROLE_SYSTEM_PUSHBUTTON;
    case Kind::Radio: return ROLE_SYSTEM_RADIOBUTTON;
    case Kind::Tab: return ROLE_SYSTEM_PAGETAB;
    case Kind::Check: return ROLE_SYSTEM_CHECKBUTTON;
    case Kind::Edit: return ROLE_SYSTEM_TEXT;
    case Kind::Combo: return ROLE_SYSTEM_COMBOBOX;
    case Kind::List: return ROLE_SYSTEM_LIST;
    case Kind::Row: return ROLE_SYSTEM_LISTITEM;
    case Kind::Header: return ROLE_SYSTEM_COLUMNHEADER;
    case Kind::Slider: return ROLE_SYSTEM_SLIDER;
    case Kind::Progress: return ROLE_SYSTEM_PROGRESSBAR;
    case Kind::Date: return ROLE_SYSTEM_DROPLIST;
    case Kind::Static: return ROLE_SYSTEM_STATICTEXT;
    default: return ROLE_SYSTEM_CLIENT;
    }
}

CDuiString AccName(CControlUI *control) {
    if (control == nullptr) return CDuiString();
    if (!control->GetAccName().empty()) return control->GetAccName();
    switch (KindOf(control)) {
    case Kind::Row: return RowText(control);
    // Their text is their value; only a label names them.
    case Kind::Edit:
    case Kind::Combo:
    case Kind::Slider:
    case Kind::Progress:
    case Kind::Date:
    case Kind::List: return control->GetToolTip();
    default: return !control->GetText().empty() ? control->GetText() : control->GetToolTip();
    }
}

bool AccValue(CControlUI *control, CDuiString &value) {
    switch (KindOf(control)) {
    case Kind::Edit:
        if (As<CEditUI>(control, L"Edit")->IsPasswordMode()) return false;
        value = control->GetText();
        return true;
    case Kind::Combo:
    case Kind::Date: value = control->GetText(); return true;
    case Kind::Slider:
    case Kind::Progress: value = std::to_wstring(As<CProgressUI>(control, L"Progress")->GetValue()); return true;
    default: return false;
    }
}

LONG AccState(CControlUI *control) {
    if (control == nullptr) return 0;
    LONG state = 0;
    const Kind kind = KindOf(control);
    if (!control->IsVisible()) state |= STATE_SYSTEM_INVISIBLE;
    if (!control->IsEnabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) != 0 && control->IsKeyboardEnabled())
        state |= STATE_SYSTEM_FOCUSABLE;
    CPaintManagerUI *manager = control->GetManager();
    CControlUI *focus = manager != nullptr ? manager->GetFocus() : nullptr;
    if (focus == control) state |= STATE_SYSTEM_FOCUSED;
    switch (kind) {
    case Kind::Radio:
    case Kind::Check:
        if (As<COptionUI>(control, L"Option")->IsSelected()) state |= STATE_SYSTEM_CHECKED;
        break;
    case Kind::Tab:
        state |= STATE_SYSTEM_SELECTABLE;
        if (As<COptionUI>(control, L"Option")->IsSelected()) state |= STATE_SYSTEM_SELECTED;
        break;
    case Kind::Edit: {
        CEditUI *edit = As<CEditUI>(control, L"Edit");
        if (edit->IsPasswordMode()) state |= STATE_SYSTEM_PROTECTED;
        if (edit->IsReadOnly()) state |= STATE_SYSTEM_READONLY;
        break;
    }
    case Kind::Combo:
        state |= STATE_SYSTEM_HASPOPUP |
                 (As<CComboUI>(control, L"Combo")->IsDropped() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
        break;
    case Kind::Date: state |= STATE_SYSTEM_HASPOPUP; break;
    case Kind::Row: {
        IListItemUI *row = As<IListItemUI>(control, L"ListItem");
        state |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (row->IsSelected()) {
            state |= STATE_SYSTEM_SELECTED;
            // The list's focus is on its selected row.
            IListOwnerUI *owner = row->GetOwner();
            if (focus != nullptr && owner != nullptr && focus == control->GetParent()->GetParent())
                state |= STATE_SYSTEM_FOCUSED;
        }
        if (state & STATE_SYSTEM_INVISIBLE) break;
        if (control->GetParent() != nullptr && control->GetParent()->GetInterface(L"ListBody") != nullptr &&
            !RowInView(control))
            state |= STATE_SYSTEM_OFFSCREEN;
        break;
    }
    default: break;
    }
    return state;
}

CDuiString AccDefaultAction(CControlUI *control) {
    switch (KindOf(control)) {
    case Kind::Button: return kActionPress;
    case Kind::Radio:
    case Kind::Check: return kActionCheck;
    case Kind::Tab: return kActionSwitch;
    case Kind::Combo:
    case Kind::Date: return kActionOpen;
    case Kind::Row: return IsComboItem(control) ? kActionCheck : kActionDoubleClick;
    default: return CDuiString();
    }
}

bool AccDoDefaultAction(CControlUI *control) {
    if (AccDefaultAction(control).empty()) return false;
    if (KindOf(control) == Kind::Row && IsComboItem(control)) {
        IListItemUI *row = As<IListItemUI>(control, L"ListItem");
        return row->GetOwner() != nullptr && control->IsEnabled() && row->GetOwner()->SelectItem(row->GetIndex());
    }
    return control->Activate();
}

CControlUI *AccFocusTarget(CControlUI *focus) {
    if (CListUI *list = focus != nullptr ? As<CListUI>(focus, L"List") : nullptr) {
        if (CControlUI *row = list->GetItemAt(list->GetCurSel())) return row;
    }
    while (focus != nullptr && !AccExposed(focus)) focus = focus->GetParent();
    return focus;
}

DWORD AccTextEvent(CControlUI *control) {
    const Kind kind = KindOf(control);
    return kind == Kind::Edit || kind == Kind::Combo || kind == Kind::Date ? EVENT_OBJECT_VALUECHANGE
                                                                           : EVENT_OBJECT_NAMECHANGE;
}

}  // namespace uilib
