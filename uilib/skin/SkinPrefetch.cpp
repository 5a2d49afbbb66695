#include "uilib/skin/SkinPrefetch.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/core/UIScale.h"
#include "uilib/render/UIImageCache.h"
#include "uilib/render/UIShapeCache.h"

namespace uilib {
namespace {

std::map<std::wstring, XmlParseResult> gParsed;  // by resolved path

std::map<SkinFont, std::wstring> gGlyphs;

const wchar_t kRowChars[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.:/";

struct FontTable {
    std::map<int, SkinFont> byId;
    SkinFont fallback;  // the paint manager's default font when the skin names none
};

// The <Font> elements of a window's skin, numbered as the dialog builder numbers them.
FontTable ReadFonts(const XmlElement &root) {
    FontTable table;
    int next = 0;
    for (const auto &child : root.children) {
        if (child->name != L"Font") continue;
        const SkinFontElement e = ReadSkinFont(*child, next);
        table.byId[e.id] = e.font;
        if (e.isDefault) table.fallback = e.font;
    }
    return table;
}

const SkinFont &FontOf(const FontTable &fonts, const XmlElement &e, const wchar_t *attribute) {
    int id = -1;
    const std::wstring *v = e.Attribute(attribute);
    if (v == nullptr || !ParseInt(v->c_str(), id)) return fonts.fallback;
    const auto it = fonts.byId.find(id);
    return it != fonts.byId.end() ? it->second : fonts.fallback;
}

void CollectGlyphs(const XmlElement &e, const FontTable &fonts) {
    if (const std::wstring *text = e.Attribute(L"text")) gGlyphs[FontOf(fonts, e, L"font")] += *text;
    if (e.Attribute(L"itemfont") != nullptr) gGlyphs[FontOf(fonts, e, L"itemfont")] += kRowChars;
    for (const auto &child : e.children) CollectGlyphs(*child, fonts);
}

bool StartsWith(const std::wstring &text, const wchar_t *prefix) { return text.rfind(prefix, 0) == 0; }

// An image shown before any interaction: hover, press, focus and disabled states are not.
bool IsRestingImage(std::wstring name) {
    for (wchar_t &c : name) c = static_cast<wchar_t>(towlower(c));
    if (name.size() < 5 || name.compare(name.size() - 5, 5, L"image") != 0) return false;
    return !StartsWith(name, L"hot") && !StartsWith(name, L"pushed") && !StartsWith(name, L"focused") &&
           !StartsWith(name, L"disabled");
}

void DecodeRestingImages(const XmlElement &element, int dpi) {
    for (const XmlAttribute &a : element.attributes) {
        if (!IsRestingImage(a.name)) continue;
        const CDuiString file = ImageFileName(a.value.c_str());
        if (!file.empty()) SharedImage(CPaintManagerUI::ResolveResourceFile(file.c_str()), dpi);
    }
    for (const auto &child : element.children) DecodeRestingImages(*child, dpi);
}

}  // namespace

void PrefetchSkins(const std::wstring &firstSkin, int dpi) {
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(CPaintManagerUI::ResolveResourceFile(L"*.xml").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = CPaintManagerUI::ResolveResourceFile(found.cFileName);
        gParsed[path] = ParseXmlFile(path);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    const auto first = gParsed.find(CPaintManagerUI::ResolveResourceFile(firstSkin.c_str()));
    if (first == gParsed.end() || !first->second.root) return;
    DecodeRestingImages(*first->second.root, dpi);
    // The first window's glyphs: its skin's and its pages' (skins without fonts of their
    // own, built into it); other windows have their own fonts and show later.
    const FontTable fonts = ReadFonts(*first->second.root);
    for (const auto &skin : gParsed) {
        if (skin.second.root && (&skin == &*first || ReadFonts(*skin.second.root).byId.empty()))
            CollectGlyphs(*skin.second.root, fonts);
    }
}

bool TakePrefetchedSkin(const std::wstring &path, XmlParseResult &parsed) {
    const auto it = gParsed.find(path);
    if (it == gParsed.end()) return false;
    parsed = std::move(it->second);
    gParsed.erase(it);
    return true;
}

std::vector<SkinGlyphs> TakeSkinGlyphs() {
    std::vector<SkinGlyphs> out;
    for (auto &entry : gGlyphs) {
        SkinGlyphs g = {entry.first, std::move(entry.second)};
        std::sort(g.chars.begin(), g.chars.end());
        g.chars.erase(std::unique(g.chars.begin(), g.chars.end()), g.chars.end());
        out.push_back(std::move(g));
    }
    gGlyphs.clear();
    return out;
}

void RenderSkinGlyphs(const std::vector<SkinGlyphs> &glyphs, int dpi) {
    const int kCharsPerLine = 16;
    DWORD *bits = nullptr;
    const HBITMAP bitmap = CreateDib32(kCharsPerLine * ScaleValue(40, dpi), ScaleValue(40, dpi), &bits);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    if (bitmap == nullptr || dc == nullptr) {
        if (bitmap != nullptr) ::DeleteObject(bitmap);
        if (dc != nullptr) ::DeleteDC(dc);
        return;
    }
    const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    ::SetBkMode(dc, TRANSPARENT);
    for (const SkinGlyphs &g : glyphs) {
        const SkinFont &f = g.font;
        const HFONT font = CreateSkinFont(f.Face(), f.size, f.bold, f.underline, f.italic, dpi);
        const HGDIOBJ oldFont = ::SelectObject(dc, font);
        for (size_t at = 0; at < g.chars.size(); at += kCharsPerLine) {
            const std::wstring line = g.chars.substr(at, kCharsPerLine);
            RECT rc = {0, 0, kCharsPerLine * ScaleValue(40, dpi), ScaleValue(40, dpi)};
            ::DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &rc, DT_SINGLELINE | DT_NOPREFIX);
        }
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
    }
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

}  // namespace uilib
