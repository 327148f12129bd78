// Pixel drawing on one frame of a skin strip: every call clips to the frame, coordinates are frame-local.
#pragma once

#include "BmpCodec.h"

#include <cstdint>
#include <initializer_list>

constexpr uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}
constexpr uint32_t Grey(int v) {
    return Rgb(v, v, v);
}
constexpr uint32_t kMagenta = Rgb(255, 0, 255);

// `t` 256ths of the way from a to b, per channel.
uint32_t Mix(uint32_t a, uint32_t b, int t);

// A small glyph drawn from bit rows: bit (Width - 1 - x) of row y is pixel (x, y).
struct TGlyph {
    int Width, Height;
    const uint16_t* Rows;
};

class TPainter {
  public:
    TPainter(TBmpImage& img, int x0, int y0, int w, int h);
    const int W, H;

    void Pixel(int x, int y, uint32_t c);
    uint32_t Get(int x, int y) const;
    void Fill(uint32_t c) { FillRect(0, 0, W, H, c); }
    void FillRect(int x, int y, int w, int h, uint32_t c);
    void HLine(int x0, int x1, int y, uint32_t c); // inclusive ends
    void VLine(int x, int y0, int y1, uint32_t c);
    void Line(int x0, int y0, int x1, int y1, uint32_t c); // any direction, 1 pixel wide
    void Box(int x, int y, int w, int h, uint32_t c);      // 1-pixel outline
    void VGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom);
    void HGradient(int x, int y, int w, int h, uint32_t left, uint32_t right);
    // A rectangle with corners of radius r cut away; `border` is its 1-pixel edge.
    void RoundRect(int x, int y, int w, int h, int r, uint32_t fill, uint32_t border);
    // Same shape, top to bottom gradient inside the border.
    void RoundRectGradient(int x, int y, int w, int h, int r, uint32_t top, uint32_t bottom, uint32_t border);
    // Anti-aliased disc; centre and radius in eighths of a pixel. Edge pixels blend into what is there,
    // or into `backdrop` where the frame is still magenta.
    void Disc(int cx8, int cy8, int r8, uint32_t c, uint32_t backdrop);
    void Glyph(int x, int y, const TGlyph& g, uint32_t c);
    // The same glyph turned by quarter turns clockwise (1, 2, 3) before drawing.
    void GlyphTurned(int x, int y, const TGlyph& g, int quarterTurns, uint32_t c);
    // Every pixel of colour `from` becomes `to`.
    void Replace(uint32_t from, uint32_t to);

  private:
    TBmpImage& Img;
    const int X0, Y0;
    bool InRoundRect(int px, int py, int x, int y, int w, int h, int r) const;
};

// Copies a w x h block of `src` at (sx, sy) to (dx, dy) of `dst`; both must contain it.
void Blit(TBmpImage& dst, int dx, int dy, const TBmpImage& src, int sx, int sy, int w, int h);

// A strip of equal frames, side by side or stacked, filled with magenta to start with.
class TStrip {
  public:
    TStrip(int frameW, int frameH, int frames, bool stacked = false, int bitCount = 24);
    TPainter Frame(int index); // 1-based
    TBmpImage Image;

  private:
    int FrameW, FrameH;
    bool Stacked;
};
