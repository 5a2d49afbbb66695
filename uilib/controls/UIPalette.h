// The library's palette: the colours its controls draw with where a skin sets none.
#pragma once

#include <windows.h>

namespace uilib {

const DWORD kPaletteBrand = 0xFF4877E7;          // focus borders, selections, value bars
const DWORD kPaletteBorder = 0xFFDDE3F0;         // field and popup borders, separators
const DWORD kPaletteText = 0xFF1F2A44;           // primary text
const DWORD kPaletteTextSecondary = 0xFF6B7694;  // secondary text and glyphs
const DWORD kPalettePage = 0xFFF3F5FA;           // page background; disabled fields

}  // namespace uilib
