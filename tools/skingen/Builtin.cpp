#include "Builtin.h"

#include "Paint.h"

namespace {

// Restore, maximize, minimize, close: one 16-bit mask per row, leftmost pixel in the top bit.
const uint16_t kMenuGlyphs[4][16] = {
    {0x0000, 0x0000, 0x0000, 0x0000, 0x07F8, 0x07F8, 0x0408, 0x1FE8, 0x1FE8, 0x1038, 0x1020, 0x1020, 0x1FE0,
     0x0000, 0x0000, 0x0000},
    {0x0000, 0x0000, 0x0000, 0x1FF8, 0x1FF8, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1FF8,
     0x0000, 0x0000, 0x0000},
    {0, 0, 0, 0, 0, 0, 0, 0x07F0, 0x07F0, 0, 0, 0, 0, 0, 0, 0},
    {0x0000, 0x0000, 0x0000, 0x0000, 0x1830, 0x1C70, 0x0EE0, 0x07C0, 0x0380, 0x07C0, 0x0EE0, 0x1C70, 0x1830,
     0x0000, 0x0000, 0x0000},
};

constexpr uint32_t S = Grey(0xC0), G = Grey(0x80), W = Grey(0xFF);

// Rows of a small image spelled out pixel by pixel.
TBmpImage FromRows(int w, int h, const uint32_t* pixels) {
    TBmpImage img(w, h);
    img.Pixels.assign(pixels, pixels + w * h);
    return img;
}

} // namespace

TBmpImage BuiltinMenuGlyphs() {
    TBmpImage img(64, 16, Grey(0xFF), 1);
    TPainter p(img, 0, 0, 64, 16);
    for (int g = 0; g < 4; ++g)
        p.Glyph(16 * g, 0, TGlyph{16, 16, kMenuGlyphs[g]}, Grey(0));
    return img;
}

TBmpImage BuiltinTrack() {
    const uint32_t px[4][16] = {
        {S, S, G, G, G, G, G, G, G, G, G, G, G, G, W, W},
        {S, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W},
        {G, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W},
        {S, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W},
    };
    return FromRows(16, 4, &px[0][0]);
}

TBmpImage BuiltinTrackVert() {
    uint32_t px[16][4];
    const uint32_t top[2][4] = {{S, S, G, S}, {S, S, S, S}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 4; ++x)
            px[y][x] = y < 2 ? top[y][x] : y < 14 ? (x == 0 ? G : W) : W;
    return FromRows(4, 16, &px[0][0]);
}
