#include "ImgUtil.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

int Red(COLORREF c) {
    return int(c & 0xFF);
}
int Green(COLORREF c) {
    return int(c >> 8 & 0xFF);
}
int Blue(COLORREF c) {
    return int(c >> 16 & 0xFF);
}
COLORREF Rgb(int r, int g, int b) {
    return COLORREF(r & 0xFF) | COLORREF(g & 0xFF) << 8 | COLORREF(b & 0xFF) << 16;
}

// ---- Gradient ramps -------------------------------------------------------------------------------

struct TRamp {
    COLORREF From = 0, To = 0;
    std::vector<COLORREF> Colors;
};

// The 16 most recent ramps, filled round robin; they live as long as the program.
struct TRampCache {
    std::array<TRamp, 16> Slots;
    size_t Next = 0;
};
TRampCache& RampCache() {
    static TRampCache cache;
    return cache;
}

int RampStep(int from, int to, int i, int d) {
    return from + (d == 0 ? (to - from) / 2 : (d / 2 + i * (to - from)) / d);
}

std::vector<COLORREF> MakeRamp(COLORREF c1, COLORREF c2, int n) {
    std::vector<COLORREF> ramp(static_cast<size_t>(n));
    int d = n - 1;
    for (int i = 0; i < n; i++)
        ramp[size_t(i)] = Rgb(RampStep(Red(c1), Red(c2), i, d), RampStep(Green(c1), Green(c2), i, d),
                              RampStep(Blue(c1), Blue(c2), i, d));
    return ramp;
}

// Keyed by both end colours and the length, so that two ramps that merely end alike are not confused.
const std::vector<COLORREF>& CachedRamp(COLORREF c1, COLORREF c2, int n) {
    TRampCache& cache = RampCache();
    for (size_t i = cache.Slots.size(); i-- > 0;) {
        const TRamp& r = cache.Slots[i];
        if (r.Colors.size() == size_t(n) && r.From == c1 && r.To == c2) return r.Colors;
    }
    TRamp& slot = cache.Slots[cache.Next];
    cache.Next = (cache.Next + 1) % cache.Slots.size();
    slot = {c1, c2, MakeRamp(c1, c2, n)};
    return slot.Colors;
}

// ---- Pixels ---------------------------------------------------------------------------------------

int BytesPerPixel(const TBitmap& bmp) {
    switch (bmp.PixelFormat()) {
    case pf24bit:
        return 3;
    case pf32bit:
        return 4;
    default:
        return 0;
    }
}

// All pixels as 0x00RRGGBB, rows top to bottom; empty for formats without whole-byte pixels.
std::vector<uint32_t> ReadPixels(TBitmap& bmp) {
    int bpp = BytesPerPixel(bmp);
    std::vector<uint32_t> out;
    if (bpp == 0 || bmp.Empty()) return out;
    out.reserve(size_t(bmp.Width()) * size_t(bmp.Height()));
    for (int y = 0; y < bmp.Height(); y++) {
        auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); x++, p += bpp)
            out.push_back(uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
    }
    return out;
}

// Makes the bitmap 24-bit of the given size and fills it from 0x00RRGGBB pixels.
void WritePixels(TBitmap& bmp, int width, int height, const std::vector<uint32_t>& pixels) {
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(width, height);
    for (int y = 0; y < bmp.Height(); y++) {
        auto* p = static_cast<uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); x++, p += 3) {
            uint32_t c = pixels[size_t(y) * size_t(width) + size_t(x)];
            p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
        }
    }
}

// Writes every pixel anew: (x, y) of the result comes from source index map(x, y).
template <class Map> void Remap(TBitmap& bmp, int newWidth, int newHeight, Map map) {
    std::vector<uint32_t> src = ReadPixels(bmp);
    if (src.empty()) return;
    std::vector<uint32_t> dst(src.size());
    for (int y = 0; y < newHeight; y++)
        for (int x = 0; x < newWidth; x++)
            dst[size_t(y) * size_t(newWidth) + size_t(x)] = src[map(x, y)];
    WritePixels(bmp, newWidth, newHeight, dst);
}

// Mirroring and the half turn keep the pixel format: rows and pixels are moved in place.
void ReverseRow(uint8_t* row, int width, int bpp) {
    for (int a = 0, b = width - 1; a < b; a++, b--)
        std::swap_ranges(row + a * bpp, row + (a + 1) * bpp, row + b * bpp);
}

void ReverseRows(TBitmap& bmp) {
    int bytes = bmp.RowBytes();
    std::vector<uint8_t> tmp(static_cast<size_t>(bytes));
    for (int a = 0, b = bmp.Height() - 1; a < b; a++, b--) {
        auto* ra = static_cast<uint8_t*>(bmp.ScanLine(a));
        auto* rb = static_cast<uint8_t*>(bmp.ScanLine(b));
        std::memcpy(tmp.data(), ra, size_t(bytes));
        std::memcpy(ra, rb, size_t(bytes));
        std::memcpy(rb, tmp.data(), size_t(bytes));
    }
}

// Applies f to every 24-bit pixel (B, G, R bytes) after making the bitmap 24-bit.
template <class F> void ForEachPixel24(TBitmap& bmp, F f) {
    bmp.SetPixelFormat(pf24bit);
    for (int y = 0; y < bmp.Height(); y++) {
        auto* p = static_cast<uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < bmp.Width(); x++, p += 3)
            f(p);
    }
}

} // namespace

TColor Blend(TColor A, TColor B, int W) {
    COLORREF a = ColorToRGB(A), b = ColorToRGB(B);
    int D = W < 100 ? 100 : 1000;
    auto mix = [&](int ca, int cb) { return (ca * W + cb * (D - W) + D / 2) / D; };
    return Rgb(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

void GradFill(HDC DC, const RECT& R, TColor C1, TColor C2, int Direction) {
    if (!RectVisible(DC, &R)) return;
    COLORREF c1 = ColorToRGB(C1), c2 = ColorToRGB(C2);
    bool vertical = Direction == 1;
    int n = int(vertical ? R.bottom - R.top : R.right - R.left);
    if (n <= 0) return;
    RECT clip;
    GetClipBox(DC, &clip);
    int first = std::max<int>(0, vertical ? clip.top - R.top : clip.left - R.left);
    int last = n - 1 - std::max<int>(0, vertical ? R.bottom - clip.bottom : R.right - clip.right);
    const std::vector<COLORREF>& ramp = CachedRamp(c1, c2, n);
    for (int i = first; i <= last; i++) {
        RECT band = vertical ? RECT{R.left, R.top + i, R.right, R.top + i + 1}
                             : RECT{R.left + i, R.top, R.left + i + 1, R.bottom};
        TGdiHandle<HBRUSH> brush(CreateSolidBrush(ramp[size_t(i)]));
        FillRect(DC, &band, brush);
    }
}

int GetHSV(TColor K) {
    int r = int(K & 0xFF), g = int(K >> 8 & 0xFF), b = int(K >> 16 & 0xFF);
    if (r < 160 && g < 160 && b < 160) return 200;
    int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    // 255 * (max - min) / max, rounded to the nearest integer, halves to even
    int num = 255 * (mx - mn), q = num / mx, rem = num % mx;
    if (2 * rem > mx || (2 * rem == mx && (q & 1))) q++;
    return q;
}

void ChangeTrans(TBitmap& Bmp, TColor Color) {
    uint8_t r = uint8_t(Color), g = uint8_t(Color >> 8), b = uint8_t(Color >> 16);
    ForEachPixel24(Bmp, [&](uint8_t* p) {
        if (p[0] == 255 && p[1] == 0 && p[2] == 255) p[0] = b, p[1] = g, p[2] = r;
    });
}

void ConvertBitmapToGrayscale(TBitmap& Bmp) {
    ForEachPixel24(Bmp, [](uint8_t* p) { p[0] = p[1] = p[2] = uint8_t((p[0] + p[1] + p[2]) / 3); });
}

void SpiegelnHorizontal(TBitmap& Bmp) {
    int bpp = BytesPerPixel(Bmp);
    if (bpp == 0) return;
    for (int y = 0; y < Bmp.Height(); y++)
        ReverseRow(static_cast<uint8_t*>(Bmp.ScanLine(y)), Bmp.Width(), bpp);
}

void SpiegelnVertikal(TBitmap& Bmp) {
    if (BytesPerPixel(Bmp) != 0) ReverseRows(Bmp);
}

void Drehen180Grad(TBitmap& Bmp) {
    SpiegelnHorizontal(Bmp);
    SpiegelnVertikal(Bmp);
}

void Drehen90Grad(TBitmap& Bmp) {
    int w = Bmp.Width(), h = Bmp.Height();
    // new (x, y) = (h - 1 - oldY, oldX)
    Remap(Bmp, h, w, [&](int x, int y) { return size_t(h - 1 - x) * size_t(w) + size_t(y); });
}

void Drehen270Grad(TBitmap& Bmp) {
    int w = Bmp.Width(), h = Bmp.Height();
    // new (x, y) = (oldY, w - 1 - oldX)
    Remap(Bmp, h, w, [&](int x, int y) { return size_t(x) * size_t(w) + size_t(w - 1 - y); });
}

std::unique_ptr<TBitmap> Rotate90(TBitmap& Bmp) {
    if (Bmp.PixelFormat() != pf24bit) return nullptr;
    auto turned = std::make_unique<TBitmap>();
    turned->Assign(&Bmp);
    Drehen270Grad(*turned);
    return turned;
}
