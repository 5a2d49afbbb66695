// The control factory the skin builder asks for every tag it does not know: the three
// page tags of the main skin ("menu0_0", "menu1_1", "menu1_0", any letter case) expand
// to their sub-skins, built without a factory (no nested expansion) and without a paint
// manager; the tree they join gives them one. Stateless: made on the stack for one build.
#pragma once

#include "uilib/UIlib.h"

class CDialogBuilderCallbackEx : public IDialogBuilderCallback {
public:
    CControlUI *CreateControl(LPCTSTR pstrClass) override;
};
