#include "uilib/skin/UIDlgBuilder.h"

#include <cstdio>
#include <map>
#include <utility>

#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"
#include "uilib/core/UIContainer.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/UIStats.h"
#include "uilib/render/UIRender.h"
#include "uilib/skin/SkinFont.h"
#include "uilib/skin/SkinPrefetch.h"
#include "uilib/skin/XmlReader.h"

namespace {

void PrintFault(const std::string &source, const std::string &fault) {
    fprintf(stderr, "uilib: skin %s: %s\n", source.c_str(), fault.c_str());
    fflush(stderr);
}

// One build: the skin's default attribute lists (kept here when there is no manager).
// Faults of the content that leave the rest usable (an unknown element, skipped with its
// children; a value that does not parse, caught through the watch and not applied) are
// reported with their place, one line each.
class Build {
public:
    Build(IDialogBuilderCallback *callback, CPaintManagerUI *manager, std::string source)
        : m_callback(callback), m_manager(manager), m_source(std::move(source)) {}

    void ApplyWindow(const XmlElement &window) {
        for (const XmlAttribute &a : window.attributes) {
            m_watch.Reset();
            ApplyWindowAttribute(a.name, a.value);
            if (m_watch.Seen()) BadValue(a);
        }
        int nextFontId = 0;
        for (const auto &child : window.children) {
            if (child->name == L"Font") {
                m_watch.Reset();
                AddFont(*child, nextFontId);
                if (m_watch.Seen()) Report(child->line, child->column, "bad value in <Font>");
            } else if (child->name == L"Default") {
                const std::wstring *name = child->Attribute(L"name");
                const std::wstring *value = child->Attribute(L"value");
                if (name != nullptr && value != nullptr) {
                    m_defaults[uilib::LowerCase(*name)] = *value;
                    if (m_manager != nullptr) m_manager->AddDefaultAttributeList(name->c_str(), value->c_str());
                }
            }
        }
    }

    bool IsWindowChild(const XmlElement &e) const {
        return e.name == L"Font" || e.name == L"Default" || e.name == L"Image" || e.name == L"Include";
    }

    CControlUI *BuildNode(const XmlElement &e) {
        CControlUI *control = CreateBuiltinControl(e.name.c_str());
        if (control == nullptr && m_callback != nullptr) control = m_callback->CreateControl(e.name.c_str());
        if (control == nullptr) {
            Report(e.line, e.column, "unknown element <" + uilib::WideToUtf8(e.name) + "> (left out)");
            return nullptr;
        }
        ApplyAttributes(*control, e);
        if (!e.children.empty()) {
            auto *container = static_cast<IContainerUI *>(control->GetInterface(L"IContainer"));
            if (container != nullptr) {
                for (const auto &child : e.children) {
                    if (CControlUI *c = BuildNode(*child)) {
                        if (!container->Add(c)) delete c;
                    }
                }
            }
        }
        return control;
    }

    DWORD m_windowBkColor = 0;

private:
    void ApplyWindowAttribute(const std::wstring &attrName, const std::wstring &value) {
        const uilib::AttrName name{attrName.c_str()};
        if (name == L"bkcolor") {
            m_windowBkColor = ParseColor(value.c_str());
            return;
        }
        if (m_manager == nullptr) return;
        RECT rc;
        SIZE sz;
        if (name == L"size") {
            if (ParseSize(value.c_str(), sz)) m_manager->SetInitSize(sz.cx, sz.cy);
        } else if (name == L"caption") {
            if (ParseRect(value.c_str(), rc)) m_manager->SetCaptionRect(rc);
        } else if (name == L"roundcorner") {
            if (ParseSize(value.c_str(), sz)) m_manager->SetRoundCorner(sz.cx, sz.cy);
        } else if (name == L"sizebox") {
            if (ParseRect(value.c_str(), rc)) m_manager->SetSizeBox(rc);
        } else if (name == L"mininfo") {
            if (ParseSize(value.c_str(), sz)) m_manager->SetMinInfo(sz.cx, sz.cy);
        } else if (name == L"maxinfo") {
            if (ParseSize(value.c_str(), sz)) m_manager->SetMaxInfo(sz.cx, sz.cy);
        } else if (name == L"defaultfontcolor") {
            m_manager->SetDefaultFontColor(ParseColor(value.c_str()));
        } else if (name == L"disabledfontcolor") {
            m_manager->SetDefaultDisabledColor(ParseColor(value.c_str()));
        }
    }

    void AddFont(const XmlElement &font, int &nextId) {
        if (m_manager == nullptr) return;
        const uilib::SkinFontElement e = uilib::ReadSkinFont(font, nextId);
        const uilib::SkinFont &f = e.font;
        m_manager->AddFont(e.id, f.Face(), f.size, f.bold, f.underline, f.italic);
        if (e.isDefault) m_manager->SetDefaultFont(f.Face(), f.size, f.bold, f.underline, f.italic);
    }

    void ApplyAttributes(CControlUI &control, const XmlElement &e) {
        m_watch.Reset();
        const CDuiString key = uilib::LowerCase(e.name);
        auto it = m_defaults.find(key);
        if (it != m_defaults.end()) {
            control.ApplyAttributeList(it->second.c_str());
        } else if (m_manager != nullptr) {
            if (LPCTSTR list = m_manager->GetDefaultAttributeList(e.name.c_str())) control.ApplyAttributeList(list);
        }
        if (m_watch.Seen())
            Report(e.line, e.column, "bad value in the default attributes of <" + uilib::WideToUtf8(e.name) + ">");
        for (const XmlAttribute &a : e.attributes) {
            control.SetAttribute(a.name.c_str(), a.value.c_str());
            if (m_watch.Seen()) BadValue(a);
        }
    }

    void Report(int line, int column, const std::string &what) {
        PrintFault(m_source, "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what);
    }

    void BadValue(const XmlAttribute &a) {
        Report(a.line, a.column,
               "bad value \"" + uilib::WideToUtf8(a.value) + "\" for attribute \"" + uilib::WideToUtf8(a.name) + "\"");
    }

    IDialogBuilderCallback *m_callback;
    CPaintManagerUI *m_manager;
    std::string m_source;  // UTF-8, for reports
    std::map<CDuiString, CDuiString> m_defaults;
    uilib::BadValueWatch m_watch;
};

}  // namespace

CDialogBuilder::CDialogBuilder() = default;

const CDuiString &CDialogBuilder::GetLastErrorMessage() const { return m_sLastError; }

CControlUI *CDialogBuilder::Create(LPCTSTR xml, LPCTSTR /*type*/, IDialogBuilderCallback *pCallback,
                                   CPaintManagerUI *pManager, CControlUI *pParent) {
    uilib::StatsScope stats(uilib::kStatsSkinBuild);
    m_sLastError.clear();
    CDuiString source;
    XmlParseResult parsed;
    if (xml == nullptr || xml[0] == L'\0') {
        source = L"(none)";
        parsed.error = "no skin file named";
    } else if (xml[0] == L'<') {
        source = L"(inline skin)";
        std::string utf8 = uilib::WideToUtf8(xml);
        parsed = ParseXml(utf8.data(), utf8.size());
    } else {
        source = CPaintManagerUI::ResolveResourceFile(xml);
        if (!uilib::TakePrefetchedSkin(source, parsed)) parsed = ParseXmlFile(source);
    }

    CControlUI *result = nullptr;
    if (parsed.root) {
        Build build(pCallback, pManager, uilib::WideToUtf8(source));
        const XmlElement &root = *parsed.root;
        std::vector<CControlUI *> built;
        if (root.name == L"Window") {
            build.ApplyWindow(root);
            for (const auto &child : root.children) {
                if (build.IsWindowChild(*child)) continue;
                if (CControlUI *c = build.BuildNode(*child)) built.push_back(c);
            }
        } else if (CControlUI *c = build.BuildNode(root)) {
            built.push_back(c);
        }
        if (built.empty()) {
            parsed.error = "no control to build (the root holds no known control)";
        } else {
            result = built.front();
            if (build.m_windowBkColor != 0 && result->GetBkColor() == 0) result->SetBkColor(build.m_windowBkColor);
            // A window has one root: further top-level controls only go to a given parent.
            auto *parent =
                pParent != nullptr ? static_cast<IContainerUI *>(pParent->GetInterface(L"IContainer")) : nullptr;
            for (size_t i = 0; i < built.size(); ++i) {
                if (parent != nullptr) {
                    if (!parent->Add(built[i])) delete built[i];
                } else if (i > 0) {
                    delete built[i];
                }
            }
        }
    }
    if (result == nullptr) {
        m_sLastError = source + L": " + uilib::Utf8ToWide(parsed.error);
        PrintFault(uilib::WideToUtf8(source), parsed.error);
    }
    return result;
}
