#include "uilib/skin/SkinFont.h"

#include "uilib/core/UIAttr.h"

namespace uilib {

bool SkinFlag(const XmlElement &e, const wchar_t *name) {
    const std::wstring *v = e.Attribute(name);
    bool b = false;
    return v != nullptr && ParseBool(v->c_str(), b) && b;
}

SkinFontElement ReadSkinFont(const XmlElement &e, int &nextId) {
    SkinFontElement out = {nextId, SkinFlag(e, L"default"), SkinFont()};
    if (const std::wstring *v = e.Attribute(L"id")) ParseInt(v->c_str(), out.id);
    nextId = out.id + 1;
    SkinFont &font = out.font;
    if (const std::wstring *face = e.Attribute(L"name")) {
        font.named = true;
        font.face = *face;
    }
    if (const std::wstring *v = e.Attribute(L"size")) ParseInt(v->c_str(), font.size);
    font.bold = SkinFlag(e, L"bold");
    font.underline = SkinFlag(e, L"underline");
    font.italic = SkinFlag(e, L"italic");
    return out;
}

}  // namespace uilib
