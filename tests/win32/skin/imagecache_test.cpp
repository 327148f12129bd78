// Kept faces and masks: a cached draw equals a fresh one, any change of the image shows at once, and
// the caches stay bounded without holding GDI objects.
#include "FaceCache.h"
#include "LruCache.h"
#include "SkinDraw.h"

#include "FrameworkTest.h"
#include "SkinTestHelpers.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr TColor kGround = clLime;

// Five 16 x 12 frames side by side, every pixel its own colour; a magenta diagonal in each frame
// and a magenta corner, so that keyed draws have holes in margins and centre alike.
void MakeFaces(TBitmap& bmp, int seed = 0) {
    std::vector<TColor> px;
    for (int y = 0; y < 12; y++)
        for (int x = 0; x < 80; x++) {
            bool hole = x % 16 == y || (x % 16 == 0 && y == 0);
            px.push_back(hole ? clFuchsia
                              : TColor(x * 3 + seed) | TColor(y * 20) << 8 | TColor(x / 16) << 16);
        }
    FillBitmap(bmp, 80, 12, px);
}

struct TDraw {
    RECT R;
    RECT Margins;
    int Frame, Count;
    bool Transparent, Tile, Stacked;
};

// What DrawRect2 must put on a ground of kGround: GetHMap's pixels, the ground where they are magenta.
void ExpectDrawn(TBitmap& dest, TBitmap& image, const TDraw& d, const char* what) {
    auto map = GetHMap(d.R, image, d.Margins, d.Frame, d.Count, d.Tile, d.Stacked);
    for (int y = 0; y < map->Height(); y++)
        for (int x = 0; x < map->Width(); x++) {
            TColor want = Px(*map, x, y);
            if (d.Transparent && want == clFuchsia) want = kGround;
            ASSERT_EQ(Px(dest, d.R.left + x, d.R.top + y), want) << what << " at " << x << "," << y;
        }
}

// 24-bit canvases are read back and merged in memory, others get one copy per opaque rectangle.
void Draw(TBitmap& dest, TBitmap& image, const TDraw& d, TPixelFormat pf = pf24bit) {
    dest.SetPixelFormat(pf);
    SolidBitmap(dest, 120, 40, kGround);
    DrawRect2(dest.MemoryDC(), d.R, image, d.Margins, d.Frame, d.Count, d.Transparent, d.Tile, d.Stacked);
}

const TDraw kButton{{3, 2, 92, 27}, {3, 2, 4, 3}, 2, 5, true, false, false};

} // namespace

TEST(ImageCache, KeptFacesDrawExactlyWhatComposingAnewDraws) {
    TBitmap image, dest;
    MakeFaces(image);
    const TDraw draws[] = {
        kButton,
        {{0, 0, 89, 25}, {3, 2, 4, 3}, 4, 5, false, false, false},
        {{1, 1, 60, 30}, {5, 4, 5, 4}, 1, 5, true, true, false},
        {{0, 0, 10, 8}, {6, 6, 6, 6}, 5, 5, true, false, false}, // margins dropped
        {{2, 3, 50, 20}, {2, 2, 2, 2}, 2, 2, true, false, true}, // stacked halves
    };
    for (TPixelFormat pf : {pf24bit, pf32bit})
        for (const TDraw& d : draws)
            for (const char* pass : {"composed", "kept"}) {
                Draw(dest, image, d, pf);
                ExpectDrawn(dest, image, d, pass);
            }
}

TEST(ImageCache, FacesTooLargeToKeepDrawTheSame) {
    TBitmap image, dest;
    MakeFaces(image);
    const TDraw huge{{-2000, -1500, 60, 30}, {3, 2, 4, 3}, 3, 5, true, false, false}; // 9.5 MB of face
    SolidBitmap(dest, 120, 40, kGround);
    size_t before = FaceCacheUse().Count;
    DrawRect2(dest.MemoryDC(), huge.R, image, huge.Margins, 3, 5, true, false, false);
    EXPECT_EQ(FaceCacheUse().Count, before);
    auto map = GetHMap(huge.R, image, huge.Margins, 3, 5, false, false);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 60; x++) {
            TColor want = Px(*map, x + 2000, y + 1500);
            ASSERT_EQ(Px(dest, x, y), want == clFuchsia ? kGround : want) << x << "," << y;
        }
}

TEST(ImageCache, EveryChangeOfTheImageShowsAtOnce) {
    TBitmap image, dest;
    MakeFaces(image);
    Draw(dest, image, kButton);
    auto changed = [&](const char* how) {
        Draw(dest, image, kButton);
        ExpectDrawn(dest, image, kButton, how);
    };
    static_cast<uint8_t*>(image.ScanLine(5))[16 * 3 + 30] ^= 0xFF; // frame 2, left margin
    changed("scan line");
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(clFuchsia));
    RECT centre{20, 4, 28, 8};
    FillRect(image.MemoryDC(), &centre, brush); // new holes in the centre
    changed("memory DC");
    image.Canvas().SetPixel(17, 1, clFuchsia);
    changed("canvas");
    TBitmap other;
    MakeFaces(other, 7);
    image.Assign(&other);
    changed("assigned");
    image.SetPixelFormat(pf32bit);
    changed("32-bit");
}

TEST(ImageCache, ABitmapBornWhereAnotherDiedIsNotMistakenForIt) {
    TBitmap dest;
    std::optional<TBitmap> image;
    image.emplace();
    MakeFaces(*image);
    Draw(dest, *image, kButton);
    image.reset();
    image.emplace();
    MakeFaces(*image, 11);
    Draw(dest, *image, kButton);
    ExpectDrawn(dest, *image, kButton, "successor");
}

TEST(ImageCache, KeyedMasksFollowTheBitmapAndTheColour) {
    TBitmap image, dest;
    SolidBitmap(image, 10, 10, clRed);
    image.Canvas().SetPixel(2, 2, clFuchsia);
    image.Canvas().SetPixel(3, 3, clBlue);
    auto draw = [&](TColor key) {
        SolidBitmap(dest, 10, 10, kGround);
        DrawTranmap(dest.MemoryDC(), {0, 0, 10, 10}, image, key);
    };
    draw(clFuchsia);
    EXPECT_EQ(Px(dest, 2, 2), kGround);
    draw(clBlue); // the same content with another key
    EXPECT_EQ(Px(dest, 2, 2), clFuchsia);
    EXPECT_EQ(Px(dest, 3, 3), kGround);
    image.Canvas().SetPixel(5, 5, clFuchsia);
    draw(clFuchsia);
    EXPECT_EQ(Px(dest, 5, 5), kGround);
    EXPECT_EQ(Px(dest, 3, 3), clBlue);

    TBitmap strip; // a centred frame keyed through the whole strip's parts
    MakeFaces(strip);
    for (TPixelFormat pf : {pf24bit, pf32bit}) {
        dest.SetPixelFormat(pf);
        SolidBitmap(dest, 40, 20, kGround);
        DrawRect3(dest.MemoryDC(), {0, 0, 36, 20}, strip, 3, 5, true); // 16 x 12 at (10, 4)
        EXPECT_EQ(Px(dest, 10, 4), kGround);
        EXPECT_EQ(Px(dest, 11, 4), Px(strip, 33, 0));
        EXPECT_EQ(Px(dest, 11, 5), kGround);
        EXPECT_EQ(Px(dest, 12, 5), Px(strip, 34, 1));
        EXPECT_EQ(Px(dest, 9, 4), kGround);
        EXPECT_EQ(Px(dest, 26, 4), kGround);
    }
}

TEST(ImageCache, ReadingTheImageKeepsItsFacesAndNewSizesAddOne) {
    TBitmap image, dest;
    MakeFaces(image);
    FlushFaceCache();
    const uint64_t stamp = image.Stamp();
    for (int i = 0; i < 10; i++)
        Draw(dest, image, kButton);
    DrawRect1(dest.MemoryDC(), {0, 0, 30, 30}, image, 1, 5, true);
    DrawTranmap(dest.MemoryDC(), {0, 0, 80, 12}, image, clFuchsia);
    BitmapToRegion(image, 0, 0, clFuchsia, 0, 0, 0);
    EXPECT_EQ(image.Stamp(), stamp);
    EXPECT_EQ(FaceCacheUse().Count, 1u);
    Draw(dest, image, {{0, 0, 90, 25}, kButton.Margins, 2, 5, true, false, false});
    EXPECT_EQ(FaceCacheUse().Count, 2u);
    FlushFaceCache();
    EXPECT_EQ(FaceCacheUse().Count, 0u);
    EXPECT_EQ(FaceCacheUse().Bytes, 0u);
}

TEST(ImageCache, StaysBoundedAndHoldsNoGdiObjects) {
    TBitmap image;
    MakeFaces(image);
    TBitmap dest;
    SolidBitmap(dest, 400, 300, kGround);
    int size = 0;
    // Every round a face of a new size, and a new bitmap to key: nothing is ever found again.
    ExpectNoLeaks(
        [&] {
            size = size % 350 + 1;
            DrawRect2(dest.MemoryDC(), {0, 0, 40 + size, 10 + size % 280}, image, kButton.Margins, 1, 5, true,
                      false, false);
            TBitmap once;
            once.Assign(&image);
            DrawTranmap(dest.MemoryDC(), {0, 0, 80, 12}, once, clFuchsia);
        },
        600);
    EXPECT_LE(FaceCacheUse().Count, 128u);
    EXPECT_LE(FaceCacheUse().Bytes, size_t(8) << 20);
}

TEST(ImageCache, LruDropsTheLeastRecentlyUsedFirst) {
    TLruCache<int, int> cache(3, 100);
    cache.Insert(1, 10, 10);
    cache.Insert(2, 20, 10);
    cache.Insert(3, 30, 10);
    ASSERT_NE(cache.Find(1), nullptr); // 1 is now the most recent
    cache.Insert(4, 40, 10);           // drops 2
    EXPECT_EQ(cache.Find(2), nullptr);
    EXPECT_EQ(*cache.Find(1), 10);
    cache.Insert(5, 50, 75); // the count bound drops 3: 5, 1, 4 remain
    EXPECT_EQ(cache.Find(3), nullptr);
    cache.Insert(6, 60, 20); // 4 for the count, then 1 for the byte budget
    EXPECT_EQ(cache.Find(4), nullptr);
    EXPECT_EQ(cache.Find(1), nullptr);
    EXPECT_EQ(cache.Bytes(), 95u);
    EXPECT_EQ(cache.Insert(6, 60, 101), nullptr); // larger than the whole budget: not kept
    EXPECT_EQ(cache.Count(), 2u);
}
