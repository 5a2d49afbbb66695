// Skin work done ahead of the windows that need it. At start-up the UI thread waits for
// the display (under Wine its driver takes tens of milliseconds to start); reading skins
// needs neither a window nor the display, so it is done in that wait: every skin file of
// the resource folder is parsed and kept until the dialog builder asks for it, and the
// images that the first window's skin names for its controls' resting state are decoded
// into the shared image cache. UI thread only, but for RenderSkinGlyphs.
#pragma once

#include <string>
#include <vector>

#include "uilib/skin/SkinFont.h"
#include "uilib/skin/XmlReader.h"

namespace uilib {

// firstSkin is a file name in the resource folder; dpi the scale its window will have.
void PrefetchSkins(const std::wstring &firstSkin, int dpi);

// The prefetched parse of the skin file at path (as resolved in the resource folder),
// handed over once; false when there is none.
bool TakePrefetchedSkin(const std::wstring &path, XmlParseResult &parsed);

// The characters that the first window shows in one font: the texts of its skin and of its
// pages, and for lists the digits, capitals and punctuation of the rows, in the item font.
struct SkinGlyphs {
    SkinFont font;
    std::wstring chars;  // each once
};
std::vector<SkinGlyphs> TakeSkinGlyphs();

// Draws the glyphs off screen once, so that the first paint finds them rendered. Any
// thread: start-up runs it beside the UI thread while that builds the windows.
void RenderSkinGlyphs(const std::vector<SkinGlyphs> &glyphs, int dpi);

}  // namespace uilib
