#include "AllocationProbe.h"
#include "BmpCodec.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {

// A BMP file put together field by field, so that the decoder meets layouts our encoder never writes.
struct TFileSpec {
    int Width = 0, Height = 0, Bits = 24;
    uint32_t Compression = 0, InfoSize = 40;
    std::vector<uint32_t> Palette;
    std::vector<uint32_t> Masks;            // written after a 40-byte header, or inside a longer one
    std::vector<std::vector<uint8_t>> Rows; // top to bottom, unpadded
    bool TopDown = false;
};

void Put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}

std::vector<uint8_t> MakeFile(const TFileSpec& s) {
    std::vector<uint8_t> info;
    Put(info, s.InfoSize, 4);
    Put(info, uint32_t(s.Width), 4);
    Put(info, uint32_t(s.TopDown ? -s.Height : s.Height), 4);
    Put(info, 1, 2);
    Put(info, uint32_t(s.Bits), 2);
    Put(info, s.Compression, 4);
    info.resize(info.size() + 12, 0); // size image, resolution
    Put(info, uint32_t(s.Palette.size()), 4);
    Put(info, 0, 4);
    for (uint32_t m : s.Masks)
        Put(info, m, 4);
    info.resize(std::max<size_t>(info.size(), s.InfoSize), 0);
    for (uint32_t c : s.Palette)
        Put(info, c, 4);
    size_t stride = (size_t(s.Width) * s.Bits + 31) / 32 * 4;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < s.Height; ++i) {
        std::vector<uint8_t> row = s.Rows[s.TopDown ? i : s.Height - 1 - i];
        row.resize(stride, 0);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> file = {'B', 'M'};
    Put(file, uint32_t(14 + info.size() + pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, uint32_t(14 + info.size()), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

TBmpImage Decode(const std::vector<uint8_t>& file) {
    TBmpImage img;
    TBmpError error;
    EXPECT_TRUE(DecodeBmp(file.data(), file.size(), img, &error)) << error.Text;
    return img;
}

TBmpError Refusal(const std::vector<uint8_t>& file) {
    TBmpImage img;
    TBmpError error;
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), img, &error));
    EXPECT_FALSE(error.Text.empty());
    return error;
}

// A one-bit file with every pixel row present, so that only the size limits can refuse it.
std::vector<uint8_t> OneBitFile(int w, int h) {
    return MakeFile({w, h, 1, 0, 40, {0, 0xFFFFFF}, {}, std::vector<std::vector<uint8_t>>(size_t(h)), false});
}

TBmpImage Pattern(int w, int h, bool alpha) {
    TBmpImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = (alpha ? uint32_t(x * 40 + y) << 24 : 0xFF000000u) | uint32_t(x * 37 % 256) << 16 |
                           uint32_t(y * 91 % 256) << 8 | uint32_t((x ^ y) * 13 % 256);
    return img;
}

TEST(BmpCodec, RoundTripsTrueColourAtEveryWidthPadding) {
    for (int bits : {24, 32}) {
        for (int w : {1, 2, 3, 4, 5, 17}) {
            TBmpImage src = Pattern(w, 3, bits == 32);
            std::vector<uint8_t> file = EncodeBmp(src, bits);
            size_t stride = (size_t(w) * bits / 8 + 3) / 4 * 4;
            ASSERT_EQ(file.size(), 54 + stride * 3) << bits << " bits, width " << w;
            EXPECT_EQ(file[10], 54);
            TBmpImage back = Decode(file);
            EXPECT_EQ(back.BitCount, bits);
            EXPECT_EQ(back.Width, w);
            EXPECT_EQ(back.Pixels, src.Pixels) << bits << " bits, width " << w;
        }
    }
}

TEST(BmpCodec, WritesOneBitBlackAndWhite) {
    TBmpImage src(10, 2, 0xFFFFFFFF);
    src.At(0, 0) = 0xFF000000;
    src.At(9, 1) = 0xFF404040; // dark: black
    src.At(5, 0) = 0xFFC0C0C0; // light: white
    std::vector<uint8_t> file = EncodeBmp(src, 1);
    ASSERT_EQ(file.size(), 54u + 8 + 4 * 2);
    EXPECT_EQ(file[10], 62);
    TBmpImage back = Decode(file);
    EXPECT_EQ(back.BitCount, 1);
    EXPECT_EQ(back.At(0, 0), 0xFF000000u);
    EXPECT_EQ(back.At(9, 1), 0xFF000000u);
    EXPECT_EQ(back.At(5, 0), 0xFFFFFFFFu);
    EXPECT_EQ(back.At(1, 0), 0xFFFFFFFFu);
    EXPECT_THROW(EncodeBmp(src, 8), Exception);
    src.Pixels.pop_back();
    EXPECT_THROW(EncodeBmp(src, 24), Exception);
}

TEST(BmpCodec, DecodesPalettedDepthsInBothRowOrders) {
    const std::vector<uint32_t> pal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    struct Case {
        int Bits;
        std::vector<uint8_t> Row0, Row1;          // 3 pixels each: indices {1,2,3} then {3,0,1}
    } cases[] = {{1, {0b10100000}, {0b01000000}}, // 1 bit: indices 1,0,1 / 0,1,0
                 {4, {0x12, 0x30}, {0x30, 0x10}},
                 {8, {1, 2, 3}, {3, 0, 1}}};
    for (const Case& c : cases) {
        for (bool topDown : {false, true}) {
            TFileSpec s{3, 2, c.Bits, 0, 40, pal, {}, {c.Row0, c.Row1}, topDown};
            TBmpImage img = Decode(MakeFile(s));
            ASSERT_EQ(img.Pixels.size(), 6u);
            auto px = [&](int i) { return 0xFF000000u | pal[size_t(i)]; };
            if (c.Bits == 1) {
                EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{px(1), px(0), px(1), px(0), px(1), px(0)}));
            } else {
                EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{px(1), px(2), px(3), px(3), px(0), px(1)}))
                    << c.Bits << " bits, top-down " << topDown;
            }
        }
    }
}

TEST(BmpCodec, ShortPaletteAndFullPaletteDefault) {
    // ClrUsed 0 means the full palette must be present; an index beyond a short palette is black.
    TFileSpec s{2, 1, 8, 0, 40, {0x123456, 0xABCDEF}, {}, {{1, 200}}, false};
    TBmpImage img = Decode(MakeFile(s));
    EXPECT_EQ(img.At(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(img.At(1, 0), 0xFF000000u);
}

TEST(BmpCodec, DecodesSixteenBitLayouts) {
    // 555: white, pure red; 565 bit fields: pure green, pure blue.
    TFileSpec s555{2, 1, 16, 0, 40, {}, {}, {{0xFF, 0x7F, 0x00, 0x7C}}, false};
    TBmpImage a = Decode(MakeFile(s555));
    EXPECT_EQ(a.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(a.At(1, 0), 0xFFFF0000u);
    TFileSpec s565{
        2, 2, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F}, {{0xE0, 0x07, 0x1F, 0x00}, {0x00, 0x80, 0, 0}}, true};
    TBmpImage b = Decode(MakeFile(s565));
    EXPECT_EQ(b.At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(b.At(1, 0), 0xFF0000FFu);
    EXPECT_EQ(b.At(0, 1), 0xFF830000u); // 10000b of 11111b red scales to 131
}

TEST(BmpCodec, DecodesThirtyTwoBitFieldsInOldAndNewHeaders) {
    std::vector<uint8_t> px = {0x11, 0x22, 0x33, 0x44};
    // Masks after a 40-byte header, swapped channels: no alpha mask, so alpha is opaque.
    TFileSpec old{1, 1, 32, 3, 40, {}, {0x000000FF, 0x0000FF00, 0x00FF0000}, {px}, false};
    EXPECT_EQ(Decode(MakeFile(old)).At(0, 0), 0xFF112233u);
    // A 124-byte header carries four masks, alpha included.
    TFileSpec v5{1, 1, 32, 3, 124, {}, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {px}, false};
    EXPECT_EQ(Decode(MakeFile(v5)).At(0, 0), 0x44332211u);
    // Plain 32-bit keeps the stored alpha byte.
    TFileSpec plain{1, 1, 32, 0, 108, {}, {}, {px}, false};
    EXPECT_EQ(Decode(MakeFile(plain)).At(0, 0), 0x44332211u);
}

TEST(BmpCodec, AcceptsAMissingPadAfterTheLastRow) {
    std::vector<uint8_t> file = EncodeBmp(Pattern(3, 2, false), 24);
    file.resize(file.size() - 3); // the 3 pad bytes of the top row, stored last
    EXPECT_EQ(Decode(file).Width, 3);
    file.pop_back();
    Refusal(file);
}

TEST(BmpCodec, RefusesEveryTruncationOfAValidFile) {
    for (int bits : {1, 24}) {
        std::vector<uint8_t> file = EncodeBmp(Pattern(5, 4, false), bits);
        size_t minimum = file.size() - (bits == 24 ? 1 : 3); // the last row's pad may go
        for (size_t n = 0; n < minimum; ++n) {
            TBmpImage img;
            EXPECT_FALSE(DecodeBmp(file.data(), n, img)) << bits << " bits, " << n << " bytes";
        }
    }
    TBmpImage img;
    EXPECT_FALSE(DecodeBmp(nullptr, 0, img));
}

TEST(BmpCodec, RefusesCorruptHeaders) {
    TFileSpec good{2, 2, 24, 0, 40, {}, {}, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}}, false};
    Decode(MakeFile(good));
    auto with = [&](auto change) {
        std::vector<uint8_t> f = MakeFile(good);
        change(f);
        return Refusal(f);
    };
    auto set32 = [](std::vector<uint8_t>& f, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = uint8_t(v >> (8 * i));
    };
    with([](std::vector<uint8_t>& f) { f[1] = 'A'; });
    with([&](std::vector<uint8_t>& f) { set32(f, 14, 12); });         // OS/2 core header
    with([&](std::vector<uint8_t>& f) { set32(f, 14, 0x7FFFFFFF); }); // header longer than the file
    with([&](std::vector<uint8_t>& f) { set32(f, 18, 0); });          // zero width
    with([&](std::vector<uint8_t>& f) { set32(f, 18, 0x80000000); }); // negative width
    with([&](std::vector<uint8_t>& f) { f[28] = 2; });                // 2 bits per pixel
    with([&](std::vector<uint8_t>& f) { set32(f, 30, 1); });          // RLE8
    with([&](std::vector<uint8_t>& f) { set32(f, 30, 3); });          // bit fields on 24 bits
    with([&](std::vector<uint8_t>& f) { set32(f, 10, 0xFFFFFFF0); }); // pixels beyond the end
    // Huge declared sizes are refused as such, whatever the file length.
    TBmpError huge = with([&](std::vector<uint8_t>& f) {
        set32(f, 18, 30000);
        set32(f, 22, 30000);
    });
    EXPECT_TRUE(huge.TooLarge);
    EXPECT_EQ(huge.Text, "image of 30000 x 30000 pixels is too large");
    EXPECT_FALSE(with([&](std::vector<uint8_t>& f) { set32(f, 22, 9000); }).TooLarge); // rows missing
}

TEST(BmpCodec, SizeLimitsRefuseBeforeThePixelsAreAllocated) {
    const int atPixelLimit = int(kBmpMaxPixels / kBmpMaxSide);
    struct Case {
        int W, H;
        bool Fits;
    } cases[] = {{kBmpMaxSide, 1, true},
                 {kBmpMaxSide + 1, 1, false},
                 {1, kBmpMaxSide + 1, false},
                 {kBmpMaxSide, atPixelLimit, true},
                 {kBmpMaxSide, atPixelLimit + 1, false},
                 {4097, 4096, false}};
    for (const Case& c : cases) {
        std::vector<uint8_t> file = OneBitFile(c.W, c.H);
        TBmpImage img;
        TBmpError error;
        TLargestAllocation watch;
        bool decoded = DecodeBmp(file.data(), file.size(), img, &error);
        size_t largest = watch.Bytes();
        EXPECT_EQ(decoded, c.Fits) << c.W << " x " << c.H;
        EXPECT_EQ(error.TooLarge, !c.Fits) << c.W << " x " << c.H;
        if (c.Fits)
            EXPECT_EQ(img.Pixels.size(), size_t(c.W) * size_t(c.H));
        else
            EXPECT_LT(largest, 1024u) << c.W << " x " << c.H << ": allocated before refusing";
    }
}

TEST(BmpCodec, RefusesBadPalettesAndMasks) {
    TFileSpec pal{2, 1, 8, 0, 40, {0x112233, 0x445566}, {}, {{0, 1}}, false};
    std::vector<uint8_t> f = MakeFile(pal);
    f[46] = 200; // ClrUsed 200: the palette would run past the pixels and the end of the file
    f.resize(54 + 4 * 2 + 2);
    Refusal(f);
    TFileSpec noMasks{1, 1, 32, 3, 40, {}, {0, 0, 0}, {{1, 2, 3, 4}}, false};
    Refusal(MakeFile(noMasks));
    TFileSpec cutMasks{1, 1, 16, 3, 40, {}, {}, {{1, 2}}, false}; // masks announced, not written
    std::vector<uint8_t> g = MakeFile(cutMasks);
    Refusal(g);
}

} // namespace
