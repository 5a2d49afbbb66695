// Private to the library: decoded images shared by every paint manager of the process,
// one per file and scale. An image is decoded the first time a control draws or measures
// it, not when a skin names it, so images of hidden pages and windows cost nothing until
// they show. Freed by CPaintManagerUI::Term. Beside them, stretched copies: a control
// draws its image at the same size paint after paint, and stretching in every AlphaBlend
// costs several times the blend itself.
#pragma once

#include "uilib/core/UIDefine.h"

struct TImageInfo;

namespace uilib {

// The image at path (a full file name) for a window at dpi, decoded now when it is the
// first request; null when it cannot be loaded (asked again on the next request).
const TImageInfo *SharedImage(const CDuiString &path, int dpi);
// The file an image string names ("file='...' ..." or a bare name); empty when none.
CDuiString ImageFileName(LPCTSTR imageString);
void FreeSharedImages();

// Part src of image stretched to width x height as AlphaBlend stretches it, made on first
// use and kept until ForgetStretched(image's bitmap); null when it cannot be made or would
// be too large to keep.
const TImageInfo *StretchedImage(const TImageInfo &image, const RECT &src, int width, int height);
void ForgetStretched(HBITMAP bitmap);

}  // namespace uilib
