// Colour maths and the pixel functions, checked on real DIB pixels.
#include "ImgUtil.h"
#include "SkinTestHelpers.h"

#include <gtest/gtest.h>

namespace {

// The hand-checked 3 x 2 bitmap: row 0 is A B C, row 1 is D E F.
constexpr TColor A = 0x000001, B = 0x000002, C = 0x000003, D = 0x010000, E = 0x020000, F = 0x030000;

void Make3x2(TBitmap& bmp) {
    FillBitmap(bmp, 3, 2, {A, B, C, D, E, F});
}

std::vector<TColor> Pixels(TBitmap& bmp) {
    std::vector<TColor> out;
    for (int y = 0; y < bmp.Height(); y++)
        for (int x = 0; x < bmp.Width(); x++)
            out.push_back(Px(bmp, x, y));
    return out;
}

} // namespace

TEST(ImgUtil, BlendWeightsArePercentBelow100AndPerMilleFrom100) {
    EXPECT_EQ(Blend(0x808080, clWhite, 150), 0xECECECu);
    EXPECT_EQ(Blend(0xAAAAAA, clBlack, 99), 0xA8A8A8u);
    EXPECT_EQ(Blend(0xAAAAAA, clBlack, 100), 0x111111u);
    EXPECT_EQ(Blend(0x0000FF, 0xFF0000, 50), 0x800080u);
    // system colours are resolved first
    EXPECT_EQ(Blend(clBtnFace, clBtnFace, 30), GetSysColor(COLOR_BTNFACE));
}

TEST(ImgUtil, GetHsvIsSaturationButTwoHundredForDarkColours) {
    EXPECT_EQ(GetHSV(0x0000FF), 255); // red
    EXPECT_EQ(GetHSV(0x808080), 200); // every channel below 160
    EXPECT_EQ(GetHSV(0x101080), 200);
    EXPECT_EQ(GetHSV(0xC0C0C0), 0);  // silver
    EXPECT_EQ(GetHSV(0xE0C0A0), 73); // (224 - 160) / 224 * 255 = 72.86
    EXPECT_EQ(GetHSV(0xFFFFFF), 0);
}

TEST(ImgUtil, GradFillPaintsOneBandPerRowWithinTheClipBox) {
    TBitmap bmp;
    bmp.SetSize(10, 40);
    const TColor c1 = 0x102030, c2 = 0x405060;
    GradFill(bmp.MemoryDC(), {0, 0, 10, 40}, c1, c2, 1);
    EXPECT_EQ(Px(bmp, 0, 0), c1);
    EXPECT_EQ(Px(bmp, 9, 0), c1);
    EXPECT_EQ(Px(bmp, 5, 39), c2);
    for (int y = 1; y < 40; y++) {
        EXPECT_GE(Px(bmp, 3, y) & 0xFF, Px(bmp, 3, y - 1) & 0xFF) << "row " << y;
        EXPECT_EQ(Px(bmp, 0, y), Px(bmp, 9, y));
    }

    // Only what the clip box shows is painted.
    TBitmap clipped;
    SolidBitmap(clipped, 10, 40, clWhite);
    HDC dc = clipped.MemoryDC();
    IntersectClipRect(dc, 0, 10, 10, 20);
    GradFill(dc, {0, 0, 10, 40}, c1, c2, 1);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(Px(clipped, 0, 9), clWhite);
    EXPECT_EQ(Px(clipped, 0, 20), clWhite);
    EXPECT_EQ(Px(clipped, 0, 10), Px(bmp, 0, 10));
    EXPECT_EQ(Px(clipped, 0, 19), Px(bmp, 0, 19));

    // Horizontal, and the same ramp again from the cache.
    TBitmap wide;
    for (int pass = 0; pass < 2; pass++) {
        SolidBitmap(wide, 40, 3, clWhite);
        GradFill(wide.MemoryDC(), {0, 0, 40, 3}, c1, c2, 0);
        EXPECT_EQ(Px(wide, 0, 1), c1);
        EXPECT_EQ(Px(wide, 39, 2), c2);
        EXPECT_EQ(Px(wide, 20, 0), Px(bmp, 0, 20));
    }
}

TEST(ImgUtil, GradFillDrawsNothingForAnEmptyRectangle) {
    TBitmap bmp;
    SolidBitmap(bmp, 4, 4, clWhite);
    GradFill(bmp.MemoryDC(), {0, 2, 4, 2}, clBlack, clBlack, 1);
    GradFill(bmp.MemoryDC(), {3, 0, 1, 4}, clBlack, clBlack, 0);
    for (TColor c : Pixels(bmp))
        EXPECT_EQ(c, clWhite);
}

TEST(ImgUtil, ChangeTransReplacesExactMagentaOnly) {
    TBitmap bmp;
    FillBitmap(bmp, 3, 1, {clFuchsia, 0xFF00FE, 0x123456});
    bmp.SetPixelFormat(pf32bit);
    ChangeTrans(bmp, 0xE9E9E9);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{0xE9E9E9, 0xFF00FE, 0x123456}));
}

TEST(ImgUtil, GrayscaleAveragesTheThreeChannels) {
    TBitmap bmp;
    FillBitmap(bmp, 2, 1, {0x5A3C1E, 0xFFFFFF});
    ConvertBitmapToGrayscale(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{0x3C3C3C, 0xFFFFFF}));
}

TEST(ImgUtil, MirrorsMoveEveryPixelAndTwiceGiveTheOriginal) {
    TBitmap bmp;
    Make3x2(bmp);
    SpiegelnHorizontal(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{C, B, A, F, E, D}));
    SpiegelnHorizontal(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{A, B, C, D, E, F}));
    SpiegelnVertikal(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{D, E, F, A, B, C}));
    SpiegelnVertikal(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{A, B, C, D, E, F}));
}

TEST(ImgUtil, RotationsOfTheThreeByTwoBitmap) {
    TBitmap bmp;
    Make3x2(bmp);
    Drehen90Grad(bmp); // clockwise
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 3);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{D, A, E, B, F, C}));

    Make3x2(bmp);
    Drehen270Grad(bmp); // counter-clockwise
    ASSERT_EQ(bmp.Width(), 2);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{C, F, B, E, A, D}));

    Make3x2(bmp);
    Drehen180Grad(bmp);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{F, E, D, C, B, A}));

    Make3x2(bmp);
    bmp.SetPixelFormat(pf32bit);
    Drehen90Grad(bmp);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{D, A, E, B, F, C}));
}

TEST(ImgUtil, Rotate90MakesANewCounterClockwiseBitmapOf24BitOnly) {
    TBitmap bmp;
    Make3x2(bmp);
    auto turned = Rotate90(bmp);
    ASSERT_TRUE(turned);
    EXPECT_EQ(Pixels(*turned), (std::vector<TColor>{C, F, B, E, A, D}));
    EXPECT_EQ(Pixels(bmp), (std::vector<TColor>{A, B, C, D, E, F})); // the argument is unchanged

    bmp.SetPixelFormat(pf32bit);
    EXPECT_FALSE(Rotate90(bmp));
}
