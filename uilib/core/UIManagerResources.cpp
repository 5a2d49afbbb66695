// CPaintManagerUI resources: module instance and resource path, fonts, the images it drew,
// default attribute lists.
#include <cstdio>
#include <mutex>
#include <set>

#include "uilib/core/UIManagerImpl.h"
#include "uilib/core/UIScale.h"
#include "uilib/render/UIImageCache.h"
#include "uilib/render/UIRender.h"

namespace {

HINSTANCE gInstance = nullptr;
CDuiString gResourcePath;

const wchar_t kDefaultFontName[] = L"Microsoft YaHei";
const int kDefaultFontSize = 12;

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// size is in skin pixels; the font is made at dpi.
TFontInfo MakeFont(LPCTSTR face, int size, bool bold, bool underline, bool italic, int dpi) {
    TFontInfo info;
    info.sFontName = face != nullptr ? face : kDefaultFontName;
    info.iSize = size > 0 ? size : kDefaultFontSize;
    info.bBold = bold;
    info.bUnderline = underline;
    info.bItalic = italic;
    info.hFont = uilib::CreateSkinFont(info.sFontName.c_str(), info.iSize, bold, underline, italic, dpi);
    return info;
}

// The metrics are read when first asked for: reading them realises the font, which a
// hidden window's fonts need not be until it shows.
const TFontInfo *WithMetrics(TFontInfo &info) {
    if (info.hFont != nullptr && info.tm.tmHeight == 0) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, info.hFont);
        ::GetTextMetricsW(dc, &info.tm);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    return &info;
}

// Each missing image is reported once per process, however many controls name it.
void ReportMissingImage(const CDuiString &path) {
    static std::mutex lock;
    static std::set<CDuiString> reported;
    std::lock_guard<std::mutex> guard(lock);
    if (!reported.insert(path).second) return;
    fprintf(stderr, "uilib: image \"%s\" could not be loaded (missing or not an image)\n",
            uilib::WideToUtf8(path).c_str());
    fflush(stderr);
}

}  // namespace

HFONT uilib::CreateSkinFont(LPCTSTR face, int size, bool bold, bool underline, bool italic, int dpi) {
    if (face == nullptr) face = kDefaultFontName;
    if (size <= 0) size = kDefaultFontSize;
    return ::CreateFontW(-uilib::ScaleValue(size, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE,
                         underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HINSTANCE CPaintManagerUI::GetInstance() { return gInstance != nullptr ? gInstance : ::GetModuleHandleW(nullptr); }

void CPaintManagerUI::SetInstance(HINSTANCE hInst) { gInstance = hInst; }

CDuiString CPaintManagerUI::GetInstancePath() {
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = ::GetModuleFileNameW(GetInstance(), path, static_cast<DWORD>(sizeof(path) / sizeof(path[0])));
    CDuiString full(path, n);
    size_t slash = full.find_last_of(L"\\/");
    return slash == CDuiString::npos ? CDuiString() : full.substr(0, slash + 1);
}

CDuiString CPaintManagerUI::GetResourcePath() {
    if (gResourcePath.empty()) return GetInstancePath();
    return gResourcePath;
}

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath) {
    gResourcePath = pStrPath != nullptr ? pStrPath : L"";
    if (!gResourcePath.empty() && !IsSeparator(gResourcePath.back())) gResourcePath += L'\\';
}

CDuiString CPaintManagerUI::ResolveResourceFile(LPCTSTR pstrName) {
    if (pstrName == nullptr) return CDuiString();
    CDuiString name = pstrName;
    // Absolute paths ("C:\...", "\\server\...") stand as they are.
    if ((name.size() > 2 && name[1] == L':' && IsSeparator(name[2])) ||
        (name.size() > 1 && name[0] == L'\\' && name[1] == L'\\'))
        return name;
    CDuiString clean;
    for (wchar_t c : name) {
        if (IsSeparator(c)) {
            if (clean.empty() || clean.back() == L'\\') continue;  // leading or repeated
            clean += L'\\';
        } else {
            clean += c;
        }
    }
    return GetResourcePath() + clean;
}

DWORD CPaintManagerUI::GetDefaultDisabledColor() const { return m_impl->defaultDisabledColor; }
void CPaintManagerUI::SetDefaultDisabledColor(DWORD dwColor) { m_impl->defaultDisabledColor = dwColor; }
DWORD CPaintManagerUI::GetDefaultFontColor() const { return m_impl->defaultFontColor; }
void CPaintManagerUI::SetDefaultFontColor(DWORD dwColor) { m_impl->defaultFontColor = dwColor; }

void CPaintManagerUI::SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    TFontInfo font = MakeFont(pStrFontName, nSize, bBold, bUnderline, bItalic, m_impl->dpi);
    if (font.hFont == nullptr) return;
    if (m_impl->defaultFont.hFont != nullptr) ::DeleteObject(m_impl->defaultFont.hFont);
    m_impl->defaultFont = font;
    if (m_impl->root != nullptr) {
        m_impl->updateNeeded = true;
        Invalidate();
    }
}

HFONT CPaintManagerUI::AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    TFontInfo font = MakeFont(pStrFontName, nSize, bBold, bUnderline, bItalic, m_impl->dpi);
    if (font.hFont == nullptr) return nullptr;
    auto it = m_impl->fonts.find(id);
    if (it != m_impl->fonts.end() && it->second.hFont != nullptr) ::DeleteObject(it->second.hFont);
    m_impl->fonts[id] = font;
    return font.hFont;
}

HFONT CPaintManagerUI::GetFont(int id) const {
    auto it = m_impl->fonts.find(id);
    if (id >= 0 && it != m_impl->fonts.end()) return it->second.hFont;
    return GetFontInfo(id)->hFont;
}

const TFontInfo *CPaintManagerUI::GetFontInfo(int id) const {
    auto it = m_impl->fonts.find(id);
    if (id >= 0 && it != m_impl->fonts.end()) return WithMetrics(it->second);
    if (m_impl->defaultFont.hFont == nullptr)
        m_impl->defaultFont = MakeFont(kDefaultFontName, kDefaultFontSize, false, false, false, m_impl->dpi);
    return WithMetrics(m_impl->defaultFont);
}

const TImageInfo *CPaintManagerUI::GetImage(LPCTSTR bitmap) {
    if (bitmap == nullptr || bitmap[0] == L'\0') return nullptr;
    auto it = m_impl->images.find(bitmap);
    if (it != m_impl->images.end()) return it->second;
    CDuiString path = ResolveResourceFile(bitmap);
    const TImageInfo *image = uilib::SharedImage(path, m_impl->dpi);
    if (image == nullptr) ReportMissingImage(path);
    m_impl->images[bitmap] = image;
    return image;
}

void CPaintManagerUI::RemoveAllImages() { m_impl->images.clear(); }

void CPaintManagerUI::Impl::RescaleFonts() {
    auto remake = [this](TFontInfo &font) {
        if (font.hFont == nullptr) return;
        TFontInfo made = MakeFont(font.sFontName.c_str(), font.iSize, font.bBold, font.bUnderline, font.bItalic, dpi);
        if (made.hFont == nullptr) return;
        ::DeleteObject(font.hFont);
        font = made;
    };
    for (auto &f : fonts) remake(f.second);
    remake(defaultFont);
}

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList) {
    if (pStrControlName == nullptr || pStrControlAttrList == nullptr) return;
    m_impl->defaultAttributes[uilib::LowerCase(pStrControlName)] = pStrControlAttrList;
}

LPCTSTR CPaintManagerUI::GetDefaultAttributeList(LPCTSTR pStrControlName) const {
    if (pStrControlName == nullptr) return nullptr;
    auto it = m_impl->defaultAttributes.find(uilib::LowerCase(pStrControlName));
    return it == m_impl->defaultAttributes.end() ? nullptr : it->second.c_str();
}
