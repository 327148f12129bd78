#include "Paint.h"

#include <cstdlib>
#include <utility>

uint32_t Mix(uint32_t a, uint32_t b, int t) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int ca = int(a >> shift & 0xFF), cb = int(b >> shift & 0xFF);
        out |= uint32_t((ca * (256 - t) + cb * t + 128) >> 8) << shift;
    }
    return out;
}

TPainter::TPainter(TBmpImage& img, int x0, int y0, int w, int h) : W(w), H(h), Img(img), X0(x0), Y0(y0) {}

void TPainter::Pixel(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < W && y < H) Img.At(X0 + x, Y0 + y) = c;
}

uint32_t TPainter::Get(int x, int y) const {
    return x >= 0 && y >= 0 && x < W && y < H ? Img.At(X0 + x, Y0 + y) : kMagenta;
}

void TPainter::FillRect(int x, int y, int w, int h, uint32_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Pixel(i, j, c);
}

void TPainter::HLine(int x0, int x1, int y, uint32_t c) {
    if (x0 > x1) std::swap(x0, x1);
    FillRect(x0, y, x1 - x0 + 1, 1, c);
}

void TPainter::VLine(int x, int y0, int y1, uint32_t c) {
    if (y0 > y1) std::swap(y0, y1);
    FillRect(x, y0, 1, y1 - y0 + 1, c);
}

void TPainter::Line(int x0, int y0, int x1, int y1, uint32_t c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        Pixel(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void TPainter::Box(int x, int y, int w, int h, uint32_t c) {
    HLine(x, x + w - 1, y, c);
    HLine(x, x + w - 1, y + h - 1, c);
    VLine(x, y, y + h - 1, c);
    VLine(x + w - 1, y, y + h - 1, c);
}

void TPainter::VGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
    for (int j = 0; j < h; ++j)
        HLine(x, x + w - 1, y + j, Mix(top, bottom, h > 1 ? j * 256 / (h - 1) : 0));
}

void TPainter::HGradient(int x, int y, int w, int h, uint32_t left, uint32_t right) {
    for (int i = 0; i < w; ++i)
        VLine(x + i, y, y + h - 1, Mix(left, right, w > 1 ? i * 256 / (w - 1) : 0));
}

// Pixel centres tested against a circle of radius r - 1/2 in each corner: small radii then cut
// 1 / 2,1 / 3,1,1 pixels per row, which reads as round at this scale.
bool TPainter::InRoundRect(int px, int py, int x, int y, int w, int h, int r) const {
    if (px < x || py < y || px >= x + w || py >= y + h) return false;
    int i = px - x, j = py - y;
    int ci = i < r ? r - i : (i >= w - r ? i - (w - r) + 1 : 0);
    int cj = j < r ? r - j : (j >= h - r ? j - (h - r) + 1 : 0);
    if (ci == 0 || cj == 0) return true;
    int a = 2 * ci - 1, b = 2 * cj - 1;
    return a * a + b * b <= (2 * r - 1) * (2 * r - 1);
}

void TPainter::RoundRectGradient(int x, int y, int w, int h, int r, uint32_t top, uint32_t bottom,
                                 uint32_t border) {
    for (int j = y; j < y + h; ++j) {
        uint32_t fill = Mix(top, bottom, h > 1 ? (j - y) * 256 / (h - 1) : 0);
        for (int i = x; i < x + w; ++i) {
            if (!InRoundRect(i, j, x, y, w, h, r)) continue;
            bool edge = !InRoundRect(i - 1, j, x, y, w, h, r) || !InRoundRect(i + 1, j, x, y, w, h, r) ||
                        !InRoundRect(i, j - 1, x, y, w, h, r) || !InRoundRect(i, j + 1, x, y, w, h, r);
            Pixel(i, j, edge ? border : fill);
        }
    }
}

void TPainter::RoundRect(int x, int y, int w, int h, int r, uint32_t fill, uint32_t border) {
    RoundRectGradient(x, y, w, h, r, fill, fill, border);
}

void TPainter::Disc(int cx8, int cy8, int r8, uint32_t c, uint32_t backdrop) {
    for (int py = 0; py < H; ++py) {
        for (int px = 0; px < W; ++px) {
            int n = 0;
            for (int k = 0; k < 4; ++k)
                for (int l = 0; l < 4; ++l) {
                    int dx = 8 * px + 1 + 2 * k - cx8, dy = 8 * py + 1 + 2 * l - cy8;
                    n += dx * dx + dy * dy <= r8 * r8;
                }
            if (n == 0) continue;
            uint32_t base = Get(px, py) == kMagenta ? backdrop : Get(px, py);
            Pixel(px, py, Mix(base, c, n * 16));
        }
    }
}

void TPainter::Glyph(int x, int y, const TGlyph& g, uint32_t c) {
    GlyphTurned(x, y, g, 0, c);
}

void TPainter::GlyphTurned(int x, int y, const TGlyph& g, int quarterTurns, uint32_t c) {
    for (int gy = 0; gy < g.Height; ++gy) {
        for (int gx = 0; gx < g.Width; ++gx) {
            if (!(g.Rows[gy] >> (g.Width - 1 - gx) & 1)) continue;
            int ox = gx, oy = gy;
            for (int t = 0; t < quarterTurns % 4; ++t) { // clockwise: (x, y) -> (h - 1 - y, x)
                int h = t % 2 ? g.Width : g.Height;
                int nx = h - 1 - oy;
                oy = ox, ox = nx;
            }
            Pixel(x + ox, y + oy, c);
        }
    }
}

void TPainter::Replace(uint32_t from, uint32_t to) {
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (Get(x, y) == from) Pixel(x, y, to);
}

void Blit(TBmpImage& dst, int dx, int dy, const TBmpImage& src, int sx, int sy, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dst.At(dx + x, dy + y) = src.At(sx + x, sy + y);
}

TStrip::TStrip(int frameW, int frameH, int frames, bool stacked, int bitCount)
    : Image(stacked ? frameW : frameW * frames, stacked ? frameH * frames : frameH, kMagenta, bitCount),
      FrameW(frameW), FrameH(frameH), Stacked(stacked) {}

TPainter TStrip::Frame(int index) {
    int i = index - 1;
    return TPainter(Image, Stacked ? 0 : i * FrameW, Stacked ? i * FrameH : 0, FrameW, FrameH);
}
