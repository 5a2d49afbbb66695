// Skin images as the library decodes them (its own PNG reader) against GDI+'s codec. If
// this fails, an image is drawn with other pixels than the system would give it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/SkinInput.h"
#include "uilib/UIlib.h"
#include "uilib/render/UIGdiplus.h"

namespace {

void CollectPngs(const std::wstring &folder, std::vector<std::wstring> &out) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectPngs(folder + name + L"\\", out);
        } else if (name.size() > 4 && name.compare(name.size() - 4, 4, L".png") == 0) {
            out.push_back(folder + name);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// The file's premultiplied pixels through GDI+, top-down rows.
std::vector<BYTE> ThroughGdiplus(const std::wstring &path, UINT &width, UINT &height) {
    Gdiplus::Bitmap bitmap(path.c_str());
    width = bitmap.GetWidth();
    height = bitmap.GetHeight();
    std::vector<BYTE> out(static_cast<size_t>(width) * height * 4);
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 4);
    data.Scan0 = out.data();
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    const auto mode =
        static_cast<Gdiplus::ImageLockMode>(Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf);
    if (bitmap.LockBits(&all, mode, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) return {};
    bitmap.UnlockBits(&data);
    return out;
}

TEST(ImageDecode, EverySkinImageMatchesTheSystemCodec) {
    testsupport::UseInstalledSkins();
    uilib::EnsureGdiplus();
    std::vector<std::wstring> files;
    CollectPngs(std::wstring(CPaintManagerUI::GetResourcePath().c_str()) + L"\\", files);
    ASSERT_GT(files.size(), 20u);
    for (const std::wstring &path : files) {
        SCOPED_TRACE(testsupport::Narrow(path));
        UINT width = 0, height = 0;
        const std::vector<BYTE> expected = ThroughGdiplus(path, width, height);
        ASSERT_FALSE(expected.empty());
        TImageInfo *image = CRenderEngine::LoadImage(path.c_str(), 96);
        ASSERT_NE(image, nullptr);
        DIBSECTION dib = {};
        ASSERT_EQ(::GetObjectW(image->hBitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(image->nX, static_cast<int>(width));
        EXPECT_EQ(image->nY, static_cast<int>(height));
        const BYTE *bits = static_cast<const BYTE *>(dib.dsBm.bmBits);
        size_t differ = expected.size();
        for (size_t i = 0; i < expected.size() && differ == expected.size(); ++i)
            if (bits[i] != expected[i]) differ = i;
        EXPECT_EQ(differ, expected.size()) << "first differing byte; ours " << int(bits[differ % expected.size()])
                                           << ", GDI+ " << int(expected[differ % expected.size()]);
        CRenderEngine::FreeImage(image);
    }
}

// A file the library's reader leaves alone (a 1 x 1 BMP, blue) still loads, through GDI+.
TEST(ImageDecode, OtherFilesGoToTheSystemCodec) {
    const char kBlueBmp[] = "BM\x3A\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\1\0\0\0\1\0\0\0\1\0\x18\0\0\0\0\0\4\0\0\0"
                            "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xFF\0\0\0";
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"uilib_blue.bmp";
    FILE *file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    fwrite(kBlueBmp, 1, sizeof kBlueBmp - 1, file);
    fclose(file);
    uilib::EnsureGdiplus();
    TImageInfo *image = CRenderEngine::LoadImage(path.c_str(), 96);
    ASSERT_NE(image, nullptr);
    DIBSECTION dib = {};
    ::GetObjectW(image->hBitmap, sizeof dib, &dib);
    EXPECT_EQ(*static_cast<const DWORD *>(dib.dsBm.bmBits), 0xFF0000FFu);
    CRenderEngine::FreeImage(image);
    ::DeleteFileW(path.c_str());
}

}  // namespace
