// TBitmap: BMP reading and writing, scan lines, pixel formats, resizing, copies and masks.
#include "test_bitmaps.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr uint32_t kColors[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF00FF, 0x000000};

// 5 x 3: odd widths exercise row padding and partial bytes of 1- and 4-bit rows.
TBmpMaker Pattern(int bits, bool topDown) {
    TBmpMaker m;
    m.Width = 5;
    m.Height = 3;
    m.Bits = bits;
    m.TopDown = topDown;
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x)
            m.Pixels.push_back(bits == 1 ? ((x + 2 * y) % 2 ? 0xFFFFFF : 0) : kColors[(x + 2 * y) % 6]);
    m.Palette = bits == 1 ? std::vector<uint32_t>{0, 0xFFFFFF}
                          : std::vector<uint32_t>(std::begin(kColors), std::end(kColors));
    if (bits == 8) m.PaletteUsed = 6; // a short colour table
    return m;
}

void Load(TBitmap& bmp, const std::vector<uint8_t>& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    s.SetPosition(0);
    bmp.LoadFromStream(s);
}

std::vector<uint8_t> Save(const TBitmap& bmp) {
    TMemoryStream s;
    bmp.SaveToStream(s);
    return s.Bytes();
}

void ExpectPixels(TBitmap& bmp, const TBmpMaker& m) {
    ASSERT_EQ(bmp.Width(), m.Width);
    ASSERT_EQ(bmp.Height(), m.Height);
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x)
            EXPECT_EQ(ScanPixel(bmp, x, y), m.Pixels[size_t(y * m.Width + x)]) << "at " << x << "," << y;
}

} // namespace

TEST(Bitmap, ReadsEveryDepthInBothRowOrdersAndWritesItBack) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            TBmpMaker m = Pattern(bits, topDown);
            TBitmap bmp;
            Load(bmp, m.Make());
            EXPECT_EQ(bmp.PixelFormat(), bits == 32 ? pf32bit : pf24bit);
            ExpectPixels(bmp, m);
            EXPECT_EQ(Rgb(bmp.Canvas().Pixel(4, 2)), m.Pixels[14]); // GDI sees what the scan lines hold

            TBitmap back;
            Load(back, Save(bmp));
            EXPECT_EQ(back.PixelFormat(), bmp.PixelFormat());
            ExpectPixels(back, m);
            if (bits == 32) {
                EXPECT_EQ(static_cast<uint8_t*>(back.ScanLine(1))[3], 0x7F); // alpha kept
            }
        }
    }
}

TEST(Bitmap, ScanLinesRunTopToBottom) {
    TBitmap bmp;
    Load(bmp, Pattern(24, false).Make()); // stored bottom-up in the file
    EXPECT_EQ(bmp.RowBytes(), 16);
    EXPECT_EQ(static_cast<uint8_t*>(bmp.ScanLine(1)) - static_cast<uint8_t*>(bmp.ScanLine(0)), 16);
    EXPECT_EQ(ScanPixel(bmp, 0, 0), kColors[0]);
    EXPECT_EQ(ScanPixel(bmp, 0, 2), kColors[4]);
    EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);
    EXPECT_THROW(bmp.ScanLine(3), EInvalidGraphicOperation);

    // Written through a scan line, seen by GDI; drawn by GDI, seen in the scan line.
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(2));
    row[3] = 0x10, row[4] = 0x20, row[5] = 0x30;
    EXPECT_EQ(bmp.Canvas().Pixel(1, 2), RGB(0x30, 0x20, 0x10));
    bmp.Canvas().SetPixel(4, 0, RGB(1, 2, 3));
    EXPECT_EQ(ScanPixel(bmp, 4, 0), 0x010203u);
}

TEST(Bitmap, PixelFormatChangesKeepPixels) {
    TBmpMaker m = Pattern(24, true);
    TBitmap bmp;
    Load(bmp, m.Make());
    bmp.SetPixelFormat(pf32bit);
    EXPECT_EQ(bmp.PixelFormat(), pf32bit);
    EXPECT_EQ(bmp.RowBytes(), 20);
    ExpectPixels(bmp, m);
    bmp.SetPixelFormat(pf24bit);
    ExpectPixels(bmp, m);

    EXPECT_THROW(bmp.SetPixelFormat(pf8bit), EInvalidGraphicOperation);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    bmp.SetPixelFormat(pfDevice);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);

    bmp.SetPixelFormat(pf1bit); // light pixels (R+G+B >= 384) set, the rest clear
    EXPECT_EQ(bmp.RowBytes(), 4);
    EXPECT_EQ(ScanPixel(bmp, 0, 0), 0u);        // red
    EXPECT_EQ(ScanPixel(bmp, 3, 0), 0xFFFFFFu); // white
    EXPECT_EQ(ScanPixel(bmp, 4, 0), 0xFFFFFFu); // magenta
}

TEST(Bitmap, SetSizeKeepsTheTopLeftContent) {
    TBmpMaker m = Pattern(24, false);
    TBitmap bmp;
    Load(bmp, m.Make());
    TCanvas& canvas = bmp.Canvas(); // a canvas made before the resize follows the new image
    bmp.SetSize(3, 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(ScanPixel(bmp, x, y), m.Pixels[size_t(y * 5 + x)]);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(ScanPixel(bmp, x, 3), 0xFFFFFFu);
    canvas.SetPixel(2, 3, clRed);
    EXPECT_EQ(ScanPixel(bmp, 2, 3), 0xFF0000u);

    bmp.SetWidth(6);
    EXPECT_EQ(ScanPixel(bmp, 1, 1), m.Pixels[6]);
    EXPECT_EQ(ScanPixel(bmp, 5, 0), 0xFFFFFFu);

    bmp.SetSize(0, 5);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Handle(), nullptr);
    EXPECT_TRUE(Save(bmp).empty());
}

TEST(Bitmap, AssignCopiesDeeply) {
    TBitmap a;
    Load(a, Pattern(32, false).Make());
    a.Transparent = true;
    a.TransparentColor = clRed;
    TBitmap b;
    b.Assign(&a);
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.TransparentColor, clRed);
    EXPECT_EQ(ScanPixel(b, 2, 1), ScanPixel(a, 2, 1));

    b.Canvas().SetPixel(0, 0, clLime);
    EXPECT_EQ(ScanPixel(a, 0, 0), kColors[0]);
    EXPECT_EQ(ScanPixel(b, 0, 0), 0x00FF00u);

    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Bitmap, MaskIsWhiteExactlyAtTheColour) {
    TBitmap bmp;
    bmp.SetSize(4, 2);
    bmp.Canvas().SetPixel(0, 0, clFuchsia);
    bmp.Canvas().SetPixel(1, 0, RGB(0xFE, 0, 0xFF)); // near magenta is not magenta
    bmp.Canvas().SetPixel(2, 0, clRed);
    bmp.Canvas().SetPixel(0, 1, clFuchsia);
    TBitmap byDefault;
    byDefault.Assign(&bmp);

    bmp.Mask(clFuchsia);
    EXPECT_EQ(bmp.PixelFormat(), pf1bit);
    EXPECT_EQ(ScanPixel(bmp, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ScanPixel(bmp, 1, 0), 0u);
    EXPECT_EQ(ScanPixel(bmp, 2, 0), 0u);
    EXPECT_EQ(ScanPixel(bmp, 3, 0), 0u); // white is not the colour either
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), RGB(255, 255, 255));

    byDefault.Mask(clDefault); // the bottom-left pixel's colour: magenta again
    EXPECT_EQ(ScanPixel(byDefault, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ScanPixel(byDefault, 3, 1), 0u);

    std::vector<uint8_t> file = Save(bmp); // a mask writes a 1-bit file
    ASSERT_GT(file.size(), 30u);
    EXPECT_EQ(file[28], 1);
    TBitmap back;
    Load(back, file);
    EXPECT_EQ(ScanPixel(back, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ScanPixel(back, 1, 0), 0u);
}

TEST(Bitmap, CorruptBmpRaisesAndLeavesTheBitmapEmpty) {
    std::vector<uint8_t> good = Pattern(24, false).Make();
    std::vector<std::vector<uint8_t>> bad{
        {}, {good.begin(), good.end() - 20}, {good.begin(), good.begin() + 30}};
    bad.push_back(good);
    bad.back()[0] = 'X'; // signature
    bad.push_back(good);
    bad.back()[30] = 1; // RLE compression
    bad.push_back(good);
    bad.back()[22] = 0xFF, bad.back()[23] = 0xFF, bad.back()[24] = 0xFF, bad.back()[25] = 0x7F; // height
    const size_t forgedHeight = bad.size() - 1;
    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        TBitmap bmp;
        Load(bmp, good);
        try {
            Load(bmp, bad[i]);
            ADD_FAILURE() << "no exception";
        } catch (const EGraphicTooLarge& e) {
            EXPECT_EQ(i, forgedHeight);
            EXPECT_EQ(e.Message(), "Bitmap image of 5 x 2147483647 pixels is too large");
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(i, forgedHeight);
            EXPECT_EQ(e.Message(), "Bitmap image is not valid");
        }
        EXPECT_TRUE(bmp.Empty());
        EXPECT_EQ(bmp.Width(), 0);
    }
}

TEST(Bitmap, LoadsFilesAndBitmapResources) {
    TBitmap bmp;
    bmp.LoadFromResourceName(GetModuleHandleW(nullptr), u"STRIP"); // 4-bit, bottom-up, no file header
    ASSERT_EQ(bmp.Width(), 8);
    ASSERT_EQ(bmp.Height(), 4);
    EXPECT_EQ(ScanPixel(bmp, 0, 0), 0xFF00FFu);
    EXPECT_EQ(ScanPixel(bmp, 1, 0), 0xFF0000u);
    EXPECT_EQ(ScanPixel(bmp, 4, 3), 0x0000FFu);
    EXPECT_THROW(bmp.LoadFromResourceName(GetModuleHandleW(nullptr), u"NOSUCH"), EResNotFound);

    const std::string path = "graphics_test_roundtrip.bmp";
    bmp.SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(back.Width(), 8);
    EXPECT_EQ(ScanPixel(back, 1, 0), 0xFF0000u);
}
