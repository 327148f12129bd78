#include "GalleryImages.h"

#include <initializer_list>

namespace {

constexpr int Size = 16;

// A glyph is a few filled and outlined rectangles; magenta is the transparent background.
struct TGlyphPart {
    RECT Box;
    TColor Fill, Edge;
};

constexpr TColor Accent = 0xD07020, Paper = 0xF4F4F4, Dark = 0x404040, Folder = 0x40B8E8, Stop = 0x3030D0;

const std::initializer_list<TGlyphPart> Glyphs[giCount] = {
    {{{1, 4, 15, 14}, Folder, Dark}, {{1, 2, 7, 5}, Folder, Dark}}, // open
    {{{2, 2, 14, 14}, Paper, Dark},
     {{7, 4, 9, 9}, Accent, Accent},
     {{7, 7, 12, 9}, Accent, Accent}},                             // recent
    {{{3, 1, 12, 15}, Paper, Dark}, {{6, 6, 15, 10}, Stop, Stop}}, // exit
    {{{1, 1, 8, 8}, Accent, Dark},
     {{8, 1, 15, 8}, Paper, Dark},
     {{1, 8, 8, 15}, Paper, Dark},
     {{8, 8, 15, 15}, Accent, Dark}}, // pages
    {{{1, 1, 11, 10}, Paper, Dark},
     {{1, 1, 11, 3}, Accent, Accent},
     {{5, 6, 15, 15}, Paper, Dark},
     {{5, 6, 15, 8}, Accent, Accent}}, // windows
};

void DrawGlyph(TCanvas& canvas, int left, const std::initializer_list<TGlyphPart>& parts) {
    for (const TGlyphPart& p : parts) {
        RECT r{left + p.Box.left, p.Box.top, left + p.Box.right, p.Box.bottom};
        canvas.Brush().SetColor(p.Fill);
        canvas.FillRect(r);
        canvas.Brush().SetColor(p.Edge);
        canvas.FrameRect(r);
    }
}

} // namespace

void LoadGalleryImages(TImageList& list) {
    TBitmap strip;
    strip.SetSize(Size * giCount, Size);
    TCanvas& canvas = strip.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect({0, 0, Size * giCount, Size});
    for (int i = 0; i < giCount; ++i)
        DrawGlyph(canvas, i * Size, Glyphs[i]);
    list.Clear();
    list.Width = Size;
    list.Height = Size;
    list.AddMasked(strip, clFuchsia);
}
