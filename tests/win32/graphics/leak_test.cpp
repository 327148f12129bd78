// Every GDI object the graphics layer makes is given back: the process's GDI count is unchanged
// after many rounds of making, using and dropping bitmaps, canvases, tools and image lists.
#include "ImgList.h"
#include "test_bitmaps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void OneRound() {
    TBitmap bmp;
    bmp.SetSize(16, 16);
    TCanvas& c = bmp.Canvas();
    c.Font().SetHeight(-12);
    c.TextOut(0, 0, u"Ab读");
    c.Font().SetStyle(1 << fsBold); // re-made while selected
    RECT r{0, 0, 16, 16};
    c.DrawText(u"取", r, DT_SINGLELINE);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    c.Pen().SetColor(clRed);
    c.LineTo(10, 10);
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(20, 18); // image replaced under a live canvas
    c.SetPixel(1, 1, clFuchsia);

    TBitmap copy;
    copy.Assign(&bmp);
    copy.Transparent = true;
    c.Draw(2, 2, copy);
    c.StretchDraw(RECT{0, 0, 40, 9}, copy);
    c.CopyRect(RECT{0, 0, 8, 8}, copy.Canvas(), RECT{0, 0, 4, 4});
    copy.Mask(clFuchsia);

    TMemoryDC dc;
    TCanvas onDC(dc);
    onDC.Handle();
    onDC.Font().SetName("Tahoma");
    onDC.Handle();

    TImageList list(nullptr);
    list.Width = list.Height = 4;
    list.AddMasked(bmp, clDefault);
    list.Draw(c, 0, 0, 1, true);
    list.Draw(c, 0, 0, 1, false);
    list.LoadFromResourceName(GetModuleHandleW(nullptr), u"STRIP", clFuchsia);

    TFont font;
    font.Handle();
    font.SetSize(10);
    font.Handle();
    TBrush brush;
    brush.Handle();
    TPen pen;
    pen.Handle();
}

// A figure that grows by one with every GDI object in use. GetGuiResources where it works; Wine 8 has
// only a stub (0, ERROR_CALL_NOT_IMPLEMENTED), so there the free slots of the process's GDI handle
// table are counted by filling it with brushes once, and negated.
long GdiUsage() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return long(n);
    std::vector<HBRUSH> brushes;
    while (brushes.size() < 1000000) {
        HBRUSH b = CreateSolidBrush(0);
        if (!b) break;
        brushes.push_back(b);
    }
    for (HBRUSH b : brushes)
        DeleteObject(b);
    return -long(brushes.size());
}

} // namespace

TEST(GdiLeaks, FiveHundredRoundsGiveBackEveryObject) {
    OneRound(); // the system may keep caches (fonts, stock objects) after first use
    long before = GdiUsage();
    {
        TGdiHandle<HBRUSH> probe(CreateSolidBrush(0)); // the measure sees a single object
        EXPECT_EQ(GdiUsage(), before + 1);
    }
    for (int i = 0; i < 500; ++i)
        OneRound();
    EXPECT_EQ(GdiUsage(), before);
}
