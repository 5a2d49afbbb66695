// Built-in controls by tag or class name, for the skin builder and for code.
#include <cwchar>

#include "uilib/UIlib.h"

namespace {

template <typename T>
CControlUI *Make() {
    return new T;
}

struct BuiltinEntry {
    const wchar_t *name;
    CControlUI *(*create)();
};

const BuiltinEntry kBuiltins[] = {
    {L"Control", &Make<CControlUI>},
    {L"Container", &Make<CContainerUI>},
    {L"VerticalLayout", &Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", &Make<CHorizontalLayoutUI>},
    {L"TabLayout", &Make<CTabLayoutUI>},
    {L"Label", &Make<CLabelUI>},
    {L"Text", &Make<CTextUI>},
    {L"Button", &Make<CButtonUI>},
    {L"Option", &Make<COptionUI>},
    {L"Edit", &Make<CEditUI>},
    {L"ScrollBar", &Make<CScrollBarUI>},
    {L"Progress", &Make<CProgressUI>},
    {L"Slider", &Make<CSliderUI>},
    {L"List", &Make<CListUI>},
    {L"ListHeader", &Make<CListHeaderUI>},
    {L"ListHeaderItem", &Make<CListHeaderItemUI>},
    {L"ListLabelElement", &Make<CListLabelElementUI>},
    {L"ListTextElement", &Make<CListTextElementUI>},
    {L"ListContainerElement", &Make<CListContainerElementUI>},
    {L"Combo", &Make<CComboUI>},
    {L"DateTime", &Make<CDateTimeUI>},
};

}  // namespace

CControlUI *CreateBuiltinControl(LPCTSTR pstrClass) {
    if (pstrClass == nullptr) return nullptr;
    for (const BuiltinEntry &entry : kBuiltins) {
        if (_wcsicmp(entry.name, pstrClass) == 0) return entry.create();
    }
    return nullptr;
}
