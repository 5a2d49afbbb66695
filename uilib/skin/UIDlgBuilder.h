// CDialogBuilder: builds a control tree from an XML skin. The first argument is a skin
// file name (resolved under the resource path) or, when it starts with '<', the XML
// text itself. A <Window> root applies its attributes ("size", "caption", "roundcorner",
// "sizebox", "mininfo", "maxinfo", "bkcolor"...) and its <Font>/<Default> children to
// the paint manager, when one is given. Unknown tags go to the callback. A missing or
// malformed skin (bad XML, a repeated attribute) yields null and one line on standard
// error naming the file and fault, with line and column. An element that neither the
// builder nor the callback knows is left out with its children, and a value that does
// not parse is not applied; each is reported the same way, and the build goes on.
// Numbers are clamped to +-100000 (uilib::kMaxSkinNumber).
#pragma once

#include "uilib/core/UIControl.h"

class CDialogBuilder {
public:
    CDialogBuilder();
    CControlUI *Create(LPCTSTR xml, LPCTSTR type = nullptr, IDialogBuilderCallback *pCallback = nullptr,
                       CPaintManagerUI *pManager = nullptr, CControlUI *pParent = nullptr);
    // The last fault, empty after a successful Create.
    const CDuiString &GetLastErrorMessage() const;

private:
    CDuiString m_sLastError;
};

// Creates a built-in control by its tag or class name ("Button", "List", ...); null for
// unknown names. Used by the builder; available to code that builds controls by name.
CControlUI *CreateBuiltinControl(LPCTSTR pstrClass);
