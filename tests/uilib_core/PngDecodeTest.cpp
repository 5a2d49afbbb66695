// The skins' PNG reader, in the native tier.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "uilib/render/PngDecode.h"

namespace {

using uilib::PngRead;

std::string Chunk(const char *type, const std::string &body) {
    const uint32_t n = static_cast<uint32_t>(body.size());
    const char length[4] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return std::string(length, 4) + type + body + std::string(4, '\0');  // the CRC is not read
}

// A 3 x 5 image: depth and colour type in its header, extra chunks before its data.
std::string Png(const std::string &zlib, int colourType, const std::string &extra = "", char depth = 8,
                char interlace = 0) {
    const std::string header = std::string("\0\0\0\3\0\0\0\5", 8) + depth + char(colourType) + '\0' + '\0' + interlace;
    return "\x89PNG\r\n\x1A\n" + Chunk("IHDR", header) + extra + Chunk("IDAT", zlib) + Chunk("IEND", "");
}

// Rows filtered none, sub, up, average, Paeth in turn; a stored block (RGBA), a fixed-code
// block (RGB). Pixel (x, y) channel c (R, G, B, A) is x*37 + y*71 + c*13 + 5, modulo 256.
const std::string kStoredRgba(
    "\x78\x01\x01\x41\x00\xBE\xFF\x00\x05\x12\x1F\x2C\x2A\x37\x44\x51\x4F\x5C\x69\x76\x01\x4C\x59\x66\x73\x25\x25\x25"
    "\x25\x25\x25\x25\x25\x02\x47\x47\x47\x47\x47\x47\x47\x47\x47\x47\x47\x47\x03\x91\x97\x9E\xA4\x36\x36\x36\xB6\x36"
    "\xB6\xB6\x36\x04\x47\x47\x47\x47\x25\x47\x47\x25\x47\x25\x25\x25\x0E\x76\x11\x2B",
    76);
const std::string kFixedRgb(
    "\x78\xDA\x63\x60\x15\x92\xD7\x32\x77\xF1\x8F\xC9\x64\xF4\x89\x4C\x53\x05\x03\x26\x77\x18\x60\x9E\x38\x7D\x9E\x19"
    "\x10\x6C\xDB\xC6\x02\xE4\xA9\x82\xB0\x2A\x00\x1F\xDE\x0C\x85",
    43);

PngRead Read(const std::string &file, uilib::PngPixels &out) {
    return uilib::DecodePng(reinterpret_cast<const uint8_t *>(file.data()), file.size(), out);
}

TEST(PngDecode, EveryFilterAndBlockKindGivesThePixels) {
    for (const auto &c : {std::make_pair(kStoredRgba, 6), std::make_pair(kFixedRgb, 2)}) {
        uilib::PngPixels out;
        ASSERT_EQ(Read(Png(c.first, c.second), out), PngRead::kDecoded);
        ASSERT_EQ(out.width, 3);
        ASSERT_EQ(out.height, 5);
        for (int i = 0; i < 15; ++i) {
            auto channel = [&](int ch) { return static_cast<uint8_t>((i % 3) * 37 + (i / 3) * 71 + ch * 13 + 5); };
            const uint8_t expected[4] = {channel(2), channel(1), channel(0), c.second == 6 ? channel(3) : uint8_t(255)};
            for (int ch = 0; ch < 4; ++ch)
                EXPECT_EQ(out.bgra[i * 4 + ch], expected[ch]) << "pixel " << i << " byte " << ch;
        }
    }
}

TEST(PngDecode, WhatItDoesNotReadIsLeftToTheSystem) {
    const struct {
        const char *what;
        std::string file;
        PngRead expected;
    } cases[] = {
        {"a GIF", "GIF89a\3\0\5\0", PngRead::kNotHandled},
        {"16 bits a channel", Png(kFixedRgb, 2, "", 16), PngRead::kNotHandled},
        {"a palette", Png(kFixedRgb, 3), PngRead::kNotHandled},
        {"grey", Png(kFixedRgb, 0), PngRead::kNotHandled},
        {"interlaced", Png(kFixedRgb, 2, "", 8, 1), PngRead::kNotHandled},
        {"a gamma", Png(kFixedRgb, 2, Chunk("gAMA", std::string("\0\0\xB1\x8F", 4))), PngRead::kNotHandled},
        {"a colour key", Png(kFixedRgb, 2, Chunk("tRNS", std::string(6, '\0'))), PngRead::kNotHandled},
        {"text and a suggested palette", Png(kFixedRgb, 2, Chunk("tEXt", "a\0b") + Chunk("PLTE", "abc")),
         PngRead::kDecoded},
        {"data for an RGBA image", Png(kFixedRgb, 6), PngRead::kDamaged},
        {"no IEND", Png(kFixedRgb, 2).substr(0, Png(kFixedRgb, 2).size() - 12), PngRead::kDamaged},
    };
    for (const auto &c : cases) {
        uilib::PngPixels out;
        EXPECT_EQ(Read(c.file, out), c.expected) << c.what;
    }
}

// Every shortened file is refused; every byte changed is refused or gives the same pixels
// (the bits after the last code are padding).
TEST(PngDecode, DamageIsNeverDrawn) {
    const std::string file = Png(kStoredRgba, 6);
    uilib::PngPixels whole;
    ASSERT_EQ(Read(file, whole), PngRead::kDecoded);
    for (size_t n = 0; n < file.size(); ++n) {
        uilib::PngPixels out;
        EXPECT_NE(Read(file.substr(0, n), out), PngRead::kDecoded) << "cut at " << n;
    }
    for (const std::string &good : {file, Png(kFixedRgb, 2)}) {
        uilib::PngPixels expected;
        ASSERT_EQ(Read(good, expected), PngRead::kDecoded);
        for (size_t at = 8; at < good.size(); ++at) {
            std::string bad = good;
            bad[at] = static_cast<char>(bad[at] ^ 0x10);
            uilib::PngPixels out;
            if (Read(bad, out) == PngRead::kDecoded) EXPECT_EQ(out.bgra, expected.bgra) << "byte " << at;
        }
    }
}

TEST(PngDecode, EverySkinImageIsReadHere) {
    int read = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(SKIN_DIR)) {
        if (entry.path().extension() != ".png") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        uilib::PngPixels out;
        EXPECT_EQ(Read(bytes, out), PngRead::kDecoded) << entry.path();
        EXPECT_EQ(out.width, int(uint8_t(bytes[18]) << 8 | uint8_t(bytes[19]))) << entry.path();
        ++read;
    }
    EXPECT_GT(read, 20);
}

}  // namespace
