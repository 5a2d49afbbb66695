// A skin's <Font> element, read one way for the dialog builder and the start-up glyph
// warm-up, so that both make the same fonts.
#pragma once

#include <string>
#include <tuple>

#include "uilib/skin/XmlReader.h"

namespace uilib {

struct SkinFont {
    bool named = false;  // without a name, the library's default face
    std::wstring face;
    int size = 12;
    bool bold = false, underline = false, italic = false;

    const wchar_t *Face() const { return named ? face.c_str() : nullptr; }
    bool operator<(const SkinFont &o) const {
        return std::tie(named, face, size, bold, underline, italic) <
               std::tie(o.named, o.face, o.size, o.bold, o.underline, o.italic);
    }
};

struct SkinFontElement {
    int id;
    bool isDefault;
    SkinFont font;
};

// The font of element e; its id is its "id" attribute, else nextId. nextId moves past it.
SkinFontElement ReadSkinFont(const XmlElement &e, int &nextId);

// Whether attribute name of e is there and reads true.
bool SkinFlag(const XmlElement &e, const wchar_t *name);

}  // namespace uilib
