// The drawing primitives, checked pixel by pixel against the frames and margins they were given.
#include "SkinDraw.h"

#include "Forms.h"
#include "StdCtrls.h"
#include "SkinTestHelpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Frames of 12 x 10 with margins left 2, top 3, right 4, bottom 1. Each part has its own colour
// (low byte); the centre's colour also tells its column; the green byte is the frame number.
constexpr int FW = 12, FH = 10;
const RECT Margins{2, 3, 4, 1};
enum : TColor {
    TL = 0x11,
    TR = 0x22,
    BL = 0x33,
    BR = 0x44,
    LE = 0x55,
    RE = 0x66,
    TE = 0x77,
    BE = 0x88,
    CE = 0x90
};

TColor Part(int x, int y) {
    bool l = x < 2, r = x >= FW - 4, t = y < 3, b = y >= FH - 1;
    if (t) return l ? TL : r ? TR : TE;
    if (b) return l ? BL : r ? BR : BE;
    return l ? LE : r ? RE : CE + TColor(x - 2);
}

void MakeStrip(TBitmap& bmp, int frames, bool stacked) {
    int w = stacked ? FW : FW * frames, h = stacked ? FH * frames : FH;
    std::vector<TColor> px;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int frame = stacked ? y / FH : x / FW;
            px.push_back(Part(x % FW, y % FH) | TColor(frame + 1) << 8);
        }
    FillBitmap(bmp, w, h, px);
}

// The part a destination pixel must come from when the margins are kept.
TColor ExpectedPart(int x, int y, int W, int H) {
    bool l = x < Margins.left, r = x >= W - Margins.right, t = y < Margins.top, b = y >= H - Margins.bottom;
    if (t) return l ? TL : r ? TR : TE;
    if (b) return l ? BL : r ? BR : BE;
    return l ? LE : r ? RE : CE;
}

TColor PartOf(TColor c) {
    TColor low = c & 0xFF;
    return low >= CE && low < CE + 6 ? CE : low;
}

void ExpectNineParts(TBitmap& bmp, int frame) {
    for (int y = 0; y < bmp.Height(); y++)
        for (int x = 0; x < bmp.Width(); x++) {
            TColor c = Px(bmp, x, y);
            ASSERT_EQ(PartOf(c), ExpectedPart(x, y, bmp.Width(), bmp.Height())) << x << "," << y;
            ASSERT_EQ(c >> 8 & 0xFF, TColor(frame)) << x << "," << y;
        }
}

bool Contains(HRGN rgn, int x, int y) {
    return PtInRegion(rgn, x, y) != 0;
}

} // namespace

TEST(SkinDraw, GetHMapCopiesMarginsOneToOneAndPicksTheFrame) {
    TBitmap strip;
    MakeStrip(strip, 2, false);
    auto map = GetHMap({5, 5, 35, 25}, strip, Margins, 1, 2, false, false);
    ASSERT_EQ(map->Width(), 30);
    ASSERT_EQ(map->Height(), 20);
    ExpectNineParts(*map, 1);

    // frame 2 of 2 starts at half the width
    map = GetHMap({0, 0, 30, 20}, strip, Margins, 2, 2, false, false);
    ExpectNineParts(*map, 2);

    // stacked frames split the height
    TBitmap stacked;
    MakeStrip(stacked, 3, true);
    map = GetHMap({0, 0, 17, 11}, stacked, Margins, 3, 3, false, true);
    ExpectNineParts(*map, 3);
}

TEST(SkinDraw, GetHMapDropsMarginsThatDoNotFit) {
    TBitmap strip;
    MakeStrip(strip, 1, false);
    // 5 < 2 + 4: the whole frame width is stretched; the vertical margins stay.
    auto map = GetHMap({0, 0, 5, 20}, strip, Margins, 1, 1, false, false);
    EXPECT_EQ(PartOf(Px(*map, 0, 0)), TColor(TL));
    EXPECT_EQ(PartOf(Px(*map, 4, 0)), TColor(TR));
    EXPECT_EQ(PartOf(Px(*map, 0, 10)), TColor(LE));
    EXPECT_EQ(PartOf(Px(*map, 4, 10)), TColor(RE));
    EXPECT_EQ(PartOf(Px(*map, 2, 2)), TColor(TE));
    EXPECT_EQ(PartOf(Px(*map, 2, 3)), TColor(CE));
    EXPECT_EQ(PartOf(Px(*map, 2, 19)), TColor(BE));
    // 2 < 3 + 1: likewise vertically; the rows come from the whole frame height.
    map = GetHMap({0, 0, 30, 2}, strip, Margins, 1, 1, false, false);
    EXPECT_EQ(PartOf(Px(*map, 0, 0)), TColor(TL));
    EXPECT_EQ(PartOf(Px(*map, 2, 0)), TColor(TE));
    EXPECT_EQ(PartOf(Px(*map, 26, 0)), TColor(TR));
    EXPECT_EQ(PartOf(Px(*map, 1, 1)), TColor(LE));
    EXPECT_EQ(PartOf(Px(*map, 26, 1)), TColor(RE));
}

TEST(SkinDraw, TiledCentreRepeatsAndNeverOverhangsTheRightOrBottomEdge) {
    TBitmap strip;
    MakeStrip(strip, 1, false);
    // centre 15 x 8: two and a half tiles of 6 across, one and a third of 6 down
    auto map = GetHMap({0, 0, 21, 12}, strip, Margins, 1, 1, true, false);
    ExpectNineParts(*map, 1);
    for (int x = 2; x < 17; x++)
        EXPECT_EQ(Px(*map, x, 5) & 0xFF, CE + TColor((x - 2) % 6)) << x;
}

TEST(SkinDraw, DegenerateFramesDrawWithoutFailing) {
    TBitmap strip;
    MakeStrip(strip, 1, false);
    auto map = GetHMap({0, 0, 8, 8}, strip, Margins, 1, 0, true, false); // a count of 0 means one frame
    EXPECT_EQ(PartOf(Px(*map, 0, 0)), TColor(TL));
    map = GetHMap({0, 0, 8, 8}, strip, Margins, 1, 50, true, true); // frames 0 pixels high
    EXPECT_EQ(map->Width(), 8);
    EXPECT_TRUE(GetHMap({0, 0, -3, 8}, strip, Margins, 1, 1, false, false)->Empty());

    TBitmap dest;
    SolidBitmap(dest, 20, 20, clWhite);
    DrawRectTile(dest.Canvas(), {0, 0, 20, 10}, strip, {6, 0, 6, 0}, 1, 1, false, false); // no middle
    DrawBGbmp(dest.Canvas(), {0, 0, 20, 20}, strip, {3, 3, 3, 9});                        // no tile
    DrawRect3(dest.MemoryDC(), {0, 0, 20, 20}, strip, 1, 20, true);                       // frames 0 wide
    EXPECT_EQ(Px(dest, 10, 15), clWhite);
}

TEST(SkinDraw, FrameIndexesOutsideTheStripPickTheNearestFrame) {
    TBitmap strip;
    MakeStrip(strip, 3, false);
    for (int frame : {0, -1, INT_MIN})
        ExpectNineParts(*GetHMap({0, 0, 30, 20}, strip, Margins, frame, 3, false, false), 1);
    for (int frame : {4, INT_MAX})
        ExpectNineParts(*GetHMap({0, 0, 30, 20}, strip, Margins, frame, 3, false, false), 3);
    TBitmap dest;
    SolidBitmap(dest, FW, FH, clWhite);
    DrawRect3(dest.MemoryDC(), {0, 0, FW, FH}, strip, 99, 3, false);
    EXPECT_EQ(Px(dest, 5, 5) >> 8 & 0xFF, 3u);
}

// Whatever the margins, every pixel drawn comes from the frame asked for, never from its neighbour.
TEST(SkinDraw, MarginsLargerThanTheFrameStayInsideIt) {
    TBitmap strip;
    MakeStrip(strip, 2, false);
    auto expectFrameOne = [](TBitmap& bmp, const char* what) {
        for (int y = 0; y < bmp.Height(); y++)
            for (int x = 0; x < bmp.Width(); x++)
                if (TColor c = Px(bmp, x, y); c != clWhite) {
                    ASSERT_EQ(c >> 8 & 0xFF, 1u) << what << x << "," << y;
                }
    };
    const RECT huge[] = {{20, 3, 20, 1},
                         {16384, 16384, 16384, 16384},
                         {LONG_MIN, 3, LONG_MAX, 1},
                         {LONG_MAX, LONG_MAX, LONG_MAX, LONG_MAX}};
    for (const RECT& m : huge) {
        for (bool tile : {false, true})
            expectFrameOne(*GetHMap({0, 0, 60, 30}, strip, m, 1, 2, tile, false), "GetHMap ");
        TBitmap dest;
        SolidBitmap(dest, 60, 10, clWhite);
        DrawRectH(dest.MemoryDC(), {0, 0, 60, 10}, strip, m, 1, 2, 0, false);
        expectFrameOne(dest, "DrawRectH ");
        SolidBitmap(dest, 60, 10, clWhite);
        DrawRectTile(dest.Canvas(), {0, 0, 60, 10}, strip, m, 1, 2, false, false);
        expectFrameOne(dest, "DrawRectTile ");
    }
    // cut down to the frame, the margins keep the whole frame at each corner
    auto map = GetHMap({0, 0, 60, 30}, strip, huge[1], 1, 2, false, false);
    EXPECT_EQ(PartOf(Px(*map, 0, 0)), TColor(TL));
    EXPECT_EQ(PartOf(Px(*map, FW - 1, FH - 1)), TColor(BR));
    EXPECT_EQ(PartOf(Px(*map, 59, 29)), TColor(BR));
}

TEST(SkinDraw, MagentaLeavesTheDestinationUntouched) {
    TBitmap img;
    SolidBitmap(img, 10, 10, 0x0000FF);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 5; x++)
            img.Canvas().SetPixel(x, y, clFuchsia);
    TBitmap dest;
    SolidBitmap(dest, 20, 20, clLime);
    DrawRect2(dest.MemoryDC(), {5, 5, 15, 15}, img, {0, 0, 0, 0}, 1, 1, true, false, false);
    EXPECT_EQ(Px(dest, 5, 5), clLime);
    EXPECT_EQ(Px(dest, 9, 14), clLime);
    EXPECT_EQ(Px(dest, 10, 5), 0x0000FFu);
    EXPECT_EQ(Px(dest, 14, 14), 0x0000FFu);
    EXPECT_EQ(Px(dest, 15, 15), clLime);

    SolidBitmap(dest, 20, 20, clLime);
    DrawRect2(dest.MemoryDC(), {5, 5, 15, 15}, img, {0, 0, 0, 0}, 1, 1, false, false, false);
    EXPECT_EQ(Px(dest, 5, 5), clFuchsia);

    SolidBitmap(dest, 20, 20, clLime);
    DrawTranmap(dest.MemoryDC(), {1, 1, 11, 11}, img, clFuchsia);
    EXPECT_EQ(Px(dest, 1, 1), clLime);
    EXPECT_EQ(Px(dest, 6, 1), 0x0000FFu);
    DrawTranmap(dest.MemoryDC(), {0, 0, -1, 5}, img, clFuchsia); // a negative width draws nothing
    EXPECT_EQ(Px(dest, 0, 0), clLime);
}

TEST(SkinDraw, StretchedCentredAndThreePartFrames) {
    TBitmap strip;
    MakeStrip(strip, 2, false);
    TBitmap dest;
    SolidBitmap(dest, 40, 20, clWhite);
    DrawRect1(dest.MemoryDC(), {0, 0, 24, 20}, strip, 2, 2, false); // whole frame 2, twice the size
    EXPECT_EQ(Px(dest, 0, 0), TL | 0x200u);
    EXPECT_EQ(Px(dest, 23, 19), BR | 0x200u);
    EXPECT_EQ(Px(dest, 24, 0), clWhite);

    SolidBitmap(dest, 40, 20, clWhite);
    DrawRect3(dest.MemoryDC(), {0, 0, 17, 13}, strip, 1, 2, false); // 12 x 10 at (2, 1)
    EXPECT_EQ(Px(dest, 1, 1), clWhite);
    EXPECT_EQ(Px(dest, 2, 1), TL | 0x100u);
    EXPECT_EQ(Px(dest, 13, 10), BR | 0x100u);
    EXPECT_EQ(Px(dest, 14, 10), clWhite);

    SolidBitmap(dest, 40, 20, clWhite);
    DrawRectH(dest.MemoryDC(), {0, 0, 30, 10}, strip, Margins, 1, 2, 0, false);
    EXPECT_EQ(PartOf(Px(dest, 1, 0)), TColor(TL));
    EXPECT_EQ(PartOf(Px(dest, 2, 0)), TColor(TE));
    EXPECT_EQ(PartOf(Px(dest, 25, 0)), TColor(TE));
    EXPECT_EQ(PartOf(Px(dest, 26, 0)), TColor(TR));

    SolidBitmap(dest, 40, 20, clWhite);
    DrawRectTile(dest.Canvas(), {0, 0, 21, 10}, strip, Margins, 1, 2, false, false);
    for (int x = 2; x < 17; x++)
        EXPECT_EQ(Px(dest, x, 5) & 0xFF, CE + TColor((x - 2) % 6)) << x;
    EXPECT_EQ(PartOf(Px(dest, 17, 5)), TColor(RE));
    EXPECT_EQ(Px(dest, 21, 5), clWhite);
}

TEST(SkinDraw, BitmapToRegionCoversEveryOpaquePixel) {
    TBitmap bmp;
    SolidBitmap(bmp, 6, 4, clFuchsia);
    auto rgn = BitmapToRegion(bmp, 0, 0, clFuchsia, 0, 0, 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);

    SolidBitmap(bmp, 6, 4, clGray);
    rgn = BitmapToRegion(bmp, 10, 20, clFuchsia, 0, 0, 0);
    TGdiHandle<HRGN> whole(CreateRectRgn(10, 20, 16, 24));
    EXPECT_TRUE(EqualRgn(rgn, whole));
    EXPECT_EQ(bmp.PixelFormat(), pf24bit); // the caller's bitmap keeps its format

    // tolerance: each channel within colour ... colour + tolerance is transparent
    FillBitmap(bmp, 4, 1, {RGB(250, 0, 250), RGB(255, 3, 255), RGB(249, 0, 250), RGB(255, 6, 255)});
    rgn = BitmapToRegion(bmp, 0, 0, RGB(250, 0, 250), 5, 5, 5);
    EXPECT_FALSE(Contains(rgn, 0, 0));
    EXPECT_FALSE(Contains(rgn, 1, 0));
    EXPECT_TRUE(Contains(rgn, 2, 0));
    EXPECT_TRUE(Contains(rgn, 3, 0));
}

TEST(SkinDraw, RegionOfMoreThan2000RectanglesIsWhole) {
    // every other pixel magenta: 40 runs per row, 60 rows = 2400 rectangles
    const int w = 80, h = 60;
    std::vector<TColor> px;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            px.push_back((x + y) % 2 ? clFuchsia : clNavy);
    TBitmap bmp;
    FillBitmap(bmp, w, h, px);
    auto rgn = BitmapToRegion(bmp, 3, -2, clFuchsia, 0, 0, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            ASSERT_EQ(Contains(rgn, x + 3, y - 2), (x + y) % 2 == 0) << x << "," << y;
}

TEST(SkinDraw, DrawParentImagePaintsTheParentUnderTheControlOnly) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 150);
    form->SetColor(clRed);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 50, 20);
    TBitmap bmp;
    SolidBitmap(bmp, 100, 100, clWhite);
    DrawParentImage(edit, bmp.MemoryDC(), true);
    EXPECT_EQ(Px(bmp, 0, 0), clRed);
    EXPECT_EQ(Px(bmp, 49, 19), clRed);
    EXPECT_EQ(Px(bmp, 50, 5), clWhite); // clipped to the control's bounds
    EXPECT_EQ(Px(bmp, 5, 20), clWhite);
    POINT origin;
    GetViewportOrgEx(bmp.MemoryDC(), &origin);
    EXPECT_EQ(origin.x, 0); // the DC is given back as it was

    DrawParentImage(form, bmp.MemoryDC(), true); // no parent: nothing
    form->Free();
}
