#include "ui/ControlFactory.h"

#include <cwchar>

#include "ui/SkinFailure.h"

namespace {

struct PageTag {
    const wchar_t *tag;
    const wchar_t *skin;
};

const PageTag kPageTags[] = {
    {L"menu0_0", L"menu0_0.xml"},
    {L"menu1_1", L"menu1_1.xml"},
    {L"menu1_0", L"menu1_0.xml"},
};

}  // namespace

CControlUI *CDialogBuilderCallbackEx::CreateControl(LPCTSTR pstrClass) {
    if (pstrClass == nullptr) return nullptr;
    for (const PageTag &page : kPageTags) {
        if (_wcsicmp(pstrClass, page.tag) == 0) {
            CDialogBuilder builder;
            CControlUI *pageRoot = builder.Create(page.skin);
            if (pageRoot == nullptr) NoteSkinFailure(builder.GetLastErrorMessage());
            return pageRoot;
        }
    }
    return nullptr;
}
