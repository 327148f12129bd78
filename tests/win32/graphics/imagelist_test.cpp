// TImageList: masked images drawn enabled and greyed; strips from resources.
#include "ImgList.h"
#include "test_bitmaps.h"

#include <gtest/gtest.h>

namespace {

// Two 4 x 4 images: red with magenta corners, then blue.
void MakeStrip(TBitmap& strip) {
    strip.SetSize(8, 4);
    TCanvas& c = strip.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(RECT{0, 0, 4, 4});
    c.Brush().SetColor(clBlue);
    c.FillRect(RECT{4, 0, 8, 4});
    for (POINT p : {POINT{0, 0}, POINT{3, 0}, POINT{0, 3}, POINT{3, 3}})
        c.SetPixel(p.x, p.y, clFuchsia);
}

int Count(TBitmap& bmp, uint32_t rgb) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += ScanPixel(bmp, x, y) == rgb;
    return n;
}

} // namespace

TEST(ImageList, DrawsEnabledImagesMaskedAndDisabledOnesGreyed) {
    TBitmap strip;
    MakeStrip(strip);
    TImageList list(nullptr);
    list.Width = 4;
    list.Height = 4;
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(ScanPixel(strip, 0, 0), 0xFF00FFu); // the caller's strip is left alone

    TBitmap enabled, disabled;
    enabled.SetSize(5, 5);
    disabled.SetSize(5, 5);
    list.Draw(enabled.Canvas(), 0, 0, 0, true);
    list.Draw(disabled.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(ScanPixel(enabled, 0, 0), 0xFFFFFFu); // masked corner
    EXPECT_EQ(ScanPixel(enabled, 1, 1), 0xFF0000u);
    EXPECT_EQ(Count(enabled, 0xFF0000), 12);

    EXPECT_EQ(Count(disabled, 0xFF0000), 0);
    EXPECT_EQ(ScanPixel(disabled, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ScanPixel(disabled, 1, 1), Rgb(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(ScanPixel(disabled, 4, 2), Rgb(GetSysColor(COLOR_BTNHIGHLIGHT))); // the shape moved by (1, 1)

    TBitmap untouched;
    untouched.SetSize(5, 5);
    list.Draw(untouched.Canvas(), 0, 0, 2);
    list.Draw(untouched.Canvas(), 0, 0, -1);
    EXPECT_EQ(Count(untouched, 0xFFFFFF), 25);

    list.Width = 2; // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, LoadsAStripResourceWithTheBottomLeftColourAsMask) {
    TImageList list(nullptr);
    list.Width = 4;
    list.Height = 4;
    ASSERT_TRUE(list.LoadFromResourceName(GetModuleHandleW(nullptr), u"STRIP", clDefault));
    EXPECT_EQ(list.Count(), 2);
    TBitmap bmp;
    bmp.SetSize(8, 4);
    list.Draw(bmp.Canvas(), 0, 0, 0);
    list.Draw(bmp.Canvas(), 4, 0, 1);
    EXPECT_EQ(ScanPixel(bmp, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ScanPixel(bmp, 1, 0), 0xFF0000u);
    EXPECT_EQ(ScanPixel(bmp, 7, 3), 0x0000FFu);

    EXPECT_FALSE(list.LoadFromResourceName(GetModuleHandleW(nullptr), u"NOSUCH", clDefault));
    EXPECT_EQ(list.Count(), 2);

    RegisterGraphicsClasses();
    const TClassInfo* cls = FindClass("TImageList");
    ASSERT_TRUE(cls && cls->Create);
    TComponent owner(nullptr);
    TComponent* made = cls->Create(&owner);
    EXPECT_EQ(made->ClassName(), "TImageList");
    EXPECT_EQ(GetIntProperty(made, "Width"), 16);
}
