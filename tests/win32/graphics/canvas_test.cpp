// TCanvas and the drawing tools: stretching, transparent drawing, text, colours, DC hygiene.
#include "test_bitmaps.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TBitmap> Row(std::initializer_list<TColor> colours) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(int(colours.size()), 1);
    int x = 0;
    for (TColor c : colours)
        bmp->Canvas().SetPixel(x++, 0, c);
    return bmp;
}

void Fill(TBitmap& bmp, TColor colour) {
    bmp.Canvas().Brush().SetColor(colour);
    bmp.Canvas().FillRect(RECT{0, 0, bmp.Width(), bmp.Height()});
}

int CountNot(TBitmap& bmp, uint32_t rgb) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += ScanPixel(bmp, x, y) != rgb;
    return n;
}

} // namespace

TEST(Canvas, CopyRectStretchesWithoutBlending) {
    auto src = Row({clRed, clBlue});
    TBitmap dst;
    dst.SetSize(4, 1);
    SetStretchBltMode(dst.Canvas().Handle(), HALFTONE); // whatever the DC had, the copy never blends
    dst.Canvas().CopyRect(RECT{0, 0, 4, 1}, src->Canvas(), RECT{0, 0, 2, 1});
    EXPECT_EQ(ScanPixel(dst, 0, 0), 0xFF0000u);
    EXPECT_EQ(ScanPixel(dst, 1, 0), 0xFF0000u);
    EXPECT_EQ(ScanPixel(dst, 2, 0), 0x0000FFu);
    EXPECT_EQ(ScanPixel(dst, 3, 0), 0x0000FFu);

    auto four = Row({clRed, clLime, clBlue, clWhite});
    TBitmap half;
    half.SetSize(2, 1);
    half.Canvas().CopyRect(RECT{0, 0, 2, 1}, four->Canvas(), RECT{0, 0, 4, 1});
    for (int x = 0; x < 2; ++x) {
        uint32_t p = ScanPixel(half, x, 0);
        EXPECT_TRUE(p == 0xFF0000 || p == 0x00FF00 || p == 0x0000FF || p == 0xFFFFFF) << std::hex << p;
    }

    dst.Canvas().CopyMode = NOTSRCCOPY;
    dst.Canvas().CopyRect(RECT{0, 0, 1, 1}, src->Canvas(), RECT{0, 0, 1, 1});
    EXPECT_EQ(ScanPixel(dst, 0, 0), 0x00FFFFu);
}

TEST(Canvas, TransparentDrawLeavesTheDestinationUnderKeyPixels) {
    TBitmap dst;
    dst.SetSize(3, 2);
    Fill(dst, clLime);
    auto sprite = Row({clFuchsia, clRed, clFuchsia});
    sprite->Transparent = true; // key: the bottom-left pixel, magenta
    dst.Canvas().Draw(0, 0, *sprite);
    EXPECT_EQ(ScanPixel(dst, 0, 0), 0x00FF00u);
    EXPECT_EQ(ScanPixel(dst, 1, 0), 0xFF0000u);
    EXPECT_EQ(ScanPixel(dst, 2, 0), 0x00FF00u);

    sprite->Transparent = false;
    dst.Canvas().Draw(0, 1, *sprite);
    EXPECT_EQ(ScanPixel(dst, 0, 1), 0xFF00FFu);

    Fill(dst, clLime);
    sprite->Transparent = true;
    sprite->TransparentColor = clRed;
    dst.Canvas().Draw(0, 0, *sprite);
    EXPECT_EQ(ScanPixel(dst, 0, 0), 0xFF00FFu);
    EXPECT_EQ(ScanPixel(dst, 1, 0), 0x00FF00u);
}

TEST(Canvas, TransparentStretchDrawKeepsTheKeyAndDuplicatesPixels) {
    TBitmap dst;
    dst.SetSize(4, 2);
    Fill(dst, clLime);
    auto sprite = Row({clFuchsia, clRed});
    sprite->Transparent = true;
    dst.Canvas().StretchDraw(RECT{0, 0, 4, 2}, *sprite);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(ScanPixel(dst, 0, y), 0x00FF00u);
        EXPECT_EQ(ScanPixel(dst, 1, y), 0x00FF00u);
        EXPECT_EQ(ScanPixel(dst, 2, y), 0xFF0000u);
        EXPECT_EQ(ScanPixel(dst, 3, y), 0xFF0000u);
    }
}

TEST(Canvas, DrawTextRendersChineseGlyphs) {
    // SimSun: a face with CJK glyphs in every test prefix (MS Sans Serif shows boxes under Wine).
    auto render = [](const std::u16string& text) {
        auto bmp = std::make_unique<TBitmap>();
        bmp->SetSize(60, 24);
        bmp->Canvas().Font().SetName("SimSun");
        bmp->Canvas().Font().SetColor(clBlack);
        bmp->Canvas().Brush().SetStyle(bsClear);
        RECT r{0, 0, 60, 24};
        EXPECT_GT(bmp->Canvas().DrawText(text, r, DT_SINGLELINE | DT_NOPREFIX), 0);
        return bmp;
    };
    auto du = render(u"读"), qu = render(u"取"), both = render(u"读取(Read)");
    EXPECT_GT(CountNot(*du, 0xFFFFFF), 10);
    EXPECT_GT(CountNot(*both, 0xFFFFFF), CountNot(*du, 0xFFFFFF));
    // A missing glyph draws the same box for every character.
    bool differ = false;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x)
            differ |= ScanPixel(*du, x, y) != ScanPixel(*qu, x, y);
    EXPECT_TRUE(differ);

    TBitmap bmp;
    bmp.SetSize(40, 20);
    EXPECT_GT(bmp.Canvas().TextWidth(u"读取"), 0);
    EXPECT_GT(bmp.Canvas().TextHeight(u"读取"), 0);
    bmp.Canvas().Font().SetColor(clBlack);
    bmp.Canvas().TextRect(RECT{0, 0, 10, 20}, 0, 0, u"WWWWWWWW"); // clipped at x = 10; opaque brush
    EXPECT_GT(CountNot(bmp, 0xFFFFFF), 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 40; ++x)
            ASSERT_EQ(ScanPixel(bmp, x, y), 0xFFFFFFu) << x << "," << y;
}

TEST(Canvas, SystemColoursResolve) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(clInfoBk), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu); // never a palette reference

    TBitmap bmp;
    bmp.SetSize(2, 2);
    Fill(bmp, clHighlight);
    EXPECT_EQ(bmp.Canvas().Pixel(1, 1), GetSysColor(COLOR_HIGHLIGHT));
    bmp.Canvas().SetPixel(0, 0, clBtnShadow);
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetTextColor(bmp.Canvas().Handle()), GetSysColor(COLOR_WINDOWTEXT)); // the font's default
}

TEST(Canvas, ToolsLeaveTheDCWhenChangedOrReleased) {
    TMemoryDC dc;
    HGDIOBJ font0 = GetCurrentObject(dc, OBJ_FONT), brush0 = GetCurrentObject(dc, OBJ_BRUSH),
            pen0 = GetCurrentObject(dc, OBJ_PEN);
    {
        TCanvas canvas(dc);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0); // nothing selected before first use
        canvas.Handle();
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font().Handle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas.Brush().Handle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas.Pen().Handle());

        canvas.Font().SetHeight(-20); // the old font is deleted: it must be out of the DC
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        canvas.Handle();
        LOGFONTW lf{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, -20);

        canvas.Brush().SetStyle(bsClear);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
        EXPECT_EQ(GetBkMode(canvas.Handle()), TRANSPARENT);

        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
        canvas.SetHandle(dc);
        canvas.MoveTo(0, 0);
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen0);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);

    TCanvas none;
    EXPECT_THROW(none.Handle(), EInvalidGraphicOperation);
}

TEST(Graphics, ToolsHaveTheirDefaultsAndPublishTheirProperties) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    int changes = 0;
    font.OnChange.Code = [&](TObject*) { ++changes; };
    SetProperty(&font, "Name", "Tahoma");
    SetProperty(&font, "Size", "12");
    SetProperty(&font, "Size", "12");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(GetIntProperty(&font, "Height"), -16);
    const TPropInfo* style = GetPropInfo(&font, "Style");
    ASSERT_TRUE(style && style->Kind == tkSet);
    style->SetOrd(font, (1 << fsBold) | (1 << fsUnderline));
    EXPECT_EQ(SetToString(*style->Names, font.Style()), "[fsBold, fsUnderline]");
    LOGFONTW lf{};
    GetObjectW(font.Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(lf.lfFaceName)), u"Tahoma");

    TBrush brush;
    TPen pen;
    EXPECT_EQ(GetEnumProperty(&brush, "Style"), "bsSolid");
    EXPECT_EQ(GetIntProperty(&brush, "Color"), int32_t(clWhite));
    EXPECT_EQ(GetIntProperty(&pen, "Color"), int32_t(clBlack));
    EXPECT_EQ(GetIntProperty(&pen, "Width"), 1);
    SetProperty(&pen, "Style", "psDash");
    EXPECT_EQ(pen.Style(), psDash);

    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Name(), "Tahoma");
    EXPECT_EQ(copy.Style(), font.Style());
    EXPECT_NE(copy.Handle(), font.Handle());
}
