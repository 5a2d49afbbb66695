#include "uilib/skin/SkinPrefetch.h"

#include <windows.h>

#include <map>

#include "uilib/core/UIManager.h"
#include "uilib/render/UIImageCache.h"

namespace uilib {
namespace {

std::map<std::wstring, XmlParseResult> gParsed;  // by resolved path

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
    if (first != gParsed.end() && first->second.root) DecodeRestingImages(*first->second.root, dpi);
}

bool TakePrefetchedSkin(const std::wstring &path, XmlParseResult &parsed) {
    const auto it = gParsed.find(path);
    if (it == gParsed.end()) return false;
    parsed = std::move(it->second);
    gParsed.erase(it);
    return true;
}

}  // namespace uilib
