// Skin images as the library decodes them (its own PNG reader) against GDI+'s codec, and
// a file its reader leaves alone. If this fails, an image is drawn with other pixels than
// the system would give it, or not at all.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/support/SkinInput.h"
#include "uilib/UIlib.h"
#include "uilib/render/UIGdiplus.h"

namespace {

// Whether the library's DIB for path holds GDI+'s premultiplied pixels of the file.
void ExpectAsGdiplus(const std::wstring &path) {
    SCOPED_TRACE(testsupport::Narrow(path));
    Gdiplus::Bitmap reference(path.c_str());
    Gdiplus::Rect all(0, 0, static_cast<INT>(reference.GetWidth()), static_cast<INT>(reference.GetHeight()));
    Gdiplus::BitmapData data = {};
    ASSERT_EQ(reference.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data), Gdiplus::Ok);
    TImageInfo *image = CRenderEngine::LoadImage(path.c_str(), 96);
    ASSERT_NE(image, nullptr);
    DIBSECTION dib = {};
    ::GetObjectW(image->hBitmap, sizeof dib, &dib);
    EXPECT_EQ(image->nX, all.Width);
    EXPECT_EQ(image->nY, all.Height);
    for (int y = 0; y < all.Height && y < image->nY; ++y) {
        const BYTE *ours = static_cast<const BYTE *>(dib.dsBm.bmBits) + static_cast<size_t>(y) * image->nX * 4;
        const BYTE *theirs = static_cast<const BYTE *>(data.Scan0) + static_cast<INT_PTR>(y) * data.Stride;
        if (std::memcmp(ours, theirs, static_cast<size_t>(all.Width) * 4) == 0) continue;
        ADD_FAILURE() << "row " << y << " differs";
        break;
    }
    reference.UnlockBits(&data);
    CRenderEngine::FreeImage(image);
}

TEST(ImageDecode, EverySkinImageMatchesTheSystemCodec) {
    testsupport::UseInstalledSkins();
    uilib::EnsureGdiplus();
    int compared = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(CPaintManagerUI::GetResourcePath())) {
        if (entry.path().extension() != L".png") continue;
        ExpectAsGdiplus(entry.path().wstring());
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

TEST(ImageDecode, OtherFilesGoToTheSystemCodec) {
    const char kBlueBmp[] = "BM\x3A\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\1\0\0\0\1\0\0\0\1\0\x18\0\0\0\0\0\4\0\0\0"
                            "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xFF\0\0\0";  // 1 x 1, blue
    const std::filesystem::path path = std::filesystem::temp_directory_path() / L"uilib_blue.bmp";
    std::ofstream(path, std::ios::binary).write(kBlueBmp, sizeof kBlueBmp - 1);
    uilib::EnsureGdiplus();
    ExpectAsGdiplus(path.wstring());
    std::filesystem::remove(path);
}

}  // namespace
