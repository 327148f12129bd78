#include "SkinDraw.h"

#include "Controls.h"
#include "FaceCache.h"
#include "MaskCache.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Where frame `frame` of `count` lies in the image; a count below 1 means the whole image, and a
// frame outside 1 ... count the nearest one, so that a frame never lies outside the image.
struct TFrameRect {
    int X, Y, W, H;
};
TFrameRect FrameOf(const TBitmap& image, int frame, int count, bool stacked) {
    count = Max(count, 1);
    frame = std::clamp(frame, 1, count);
    if (stacked) {
        int h = image.Height() / count;
        return {0, h * (frame - 1), image.Width(), h};
    }
    int w = image.Width() / count;
    return {w * (frame - 1), 0, w, image.Height()};
}

// The margins as far as they fit the frame: each between 0 and the frame's side it cuts, so that
// every part is copied from inside the frame and no sum of margins can overflow.
struct TMargins {
    int L, T, R, B;
};
TMargins FitMargins(const RECT& m, const TFrameRect& f) {
    auto fit = [](LONG v, int side) { return int(std::clamp<LONG>(v, 0, side)); };
    return {fit(m.left, f.W), fit(m.top, f.H), fit(m.right, f.W), fit(m.bottom, f.H)};
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// A part with no area on either side draws nothing (StretchBlt would mirror a negative one).
void Stretch(HDC d, int dx, int dy, int dw, int dh, HDC s, int sx, int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    StretchBlt(d, dx, dy, dw, dh, s, sx, sy, sw, sh, SRCCOPY);
}

// A bitmap of R's size ready for COLORONCOLOR stretching; empty when R has no area.
std::unique_ptr<TBitmap> Scratch(int w, int h) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    if (!bmp->Empty()) SetStretchBltMode(bmp->MemoryDC(), COLORONCOLOR);
    return bmp;
}

// For bitmaps made for one draw: their mask is not worth keeping.
void Blit(HDC dc, const RECT& r, const TBitmap& bmp, bool transparent) {
    if (transparent)
        KeyedBlt(dc, r.left, r.top, Width(r), Height(r), KeyOut(CopyRows(bmp), ColorToRGB(clFuchsia)), 0, 0);
    else
        BitBlt(dc, r.left, r.top, Width(r), Height(r), bmp.SourceDC(), 0, 0, SRCCOPY);
}

// Rectangles of a region, handed to the system in batches.
class TRegionBuilder {
  public:
    void Add(const RECT& r) {
        FRects.push_back(r);
        if (FRects.size() == kBatch) Flush();
    }
    TGdiHandle<HRGN> Finish() {
        Flush();
        if (!FResult) FResult.reset(CreateRectRgn(0, 0, 0, 0));
        return std::move(FResult);
    }

  private:
    static constexpr size_t kBatch = 2000;
    void Flush() {
        std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + FRects.size() * sizeof(RECT));
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        data->rdh = {sizeof(RGNDATAHEADER),
                     RDH_RECTANGLES,
                     DWORD(FRects.size()),
                     DWORD(FRects.size() * sizeof(RECT)),
                     {MAXLONG, MAXLONG, 0, 0}};
        RECT& bound = data->rdh.rcBound;
        for (const RECT& r : FRects) {
            bound = {Min(bound.left, r.left), Min(bound.top, r.top), Max(bound.right, r.right),
                     Max(bound.bottom, r.bottom)};
        }
        if (!FRects.empty()) std::memcpy(data->Buffer, FRects.data(), FRects.size() * sizeof(RECT));
        TGdiHandle<HRGN> part(ExtCreateRegion(nullptr, DWORD(buffer.size()), data));
        FRects.clear();
        if (!FResult)
            FResult = std::move(part);
        else if (part)
            CombineRgn(FResult, FResult, part, RGN_OR);
    }
    std::vector<RECT> FRects;
    TGdiHandle<HRGN> FResult;
};

} // namespace

std::unique_ptr<TBitmap> GetHMap(const RECT& Dest, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                                 bool Tile, bool Stacked) {
    const int W = Width(Dest), H = Height(Dest);
    auto result = Scratch(W, H);
    const TFrameRect f = FrameOf(Image, Frame, Count, Stacked);
    if (result->Empty() || f.W <= 0 || f.H <= 0) return result;
    auto [L, T, R, B] = FitMargins(Margins, f);
    if (W < L + R) L = R = 0;
    if (H < T + B) T = B = 0;
    const int w = f.W, h = f.H;
    HDC d = result->MemoryDC(), s = Image.SourceDC();
    auto part = [&](const RECT& dr, const RECT& sr) {
        Stretch(d, dr.left, dr.top, Width(dr), Height(dr), s, f.X + sr.left, f.Y + sr.top, Width(sr),
                Height(sr));
    };
    // Order matters: the right and bottom parts come after the centre and cover its overhanging tiles.
    if (L > 0 && T > 0) part({0, 0, L, T}, {0, 0, L, T});
    if (L > 0 && B > 0) part({0, H - B, L, H}, {0, h - B, L, h});
    if (R > 0 && T > 0) part({W - R, 0, W, T}, {w - R, 0, w, T});
    if (L > 0) part({0, T, L, H - B}, {0, T, L, h - B});
    if (T > 0) part({L, 0, W - R, T}, {L, 0, w - R, T});
    if (Tile)
        DrawBGbmp(result->Canvas(), {L, T, W - R, H - B}, Image,
                  {f.X + L, f.Y + T, f.X + w - R, f.Y + h - B});
    else
        part({L, T, W - R, H - B}, {L, T, w - R, h - B});
    if (R > 0 && B > 0) part({W - R, H - B, W, H}, {w - R, h - B, w, h});
    if (R > 0) part({W - R, T, W, H - B}, {w - R, T, w, h - B});
    if (B > 0) part({L, H - B, W - R, H}, {L, h - B, w - R, h});
    return result;
}

void DrawRect2(HDC DC, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count,
               bool Transparent, bool Tile, bool Stacked) {
    if (Width(R) < 0 || Height(R) < 0) return;
    if (const TFace* face = CachedFace(R, Image, Margins, Frame, Count, Transparent, Tile, Stacked))
        return DrawFace(DC, R, *face);
    Blit(DC, R, *GetHMap(R, Image, Margins, Frame, Count, Tile, Stacked), Transparent);
}

void DrawRect1(HDC DC, const RECT& R, TBitmap& Image, int Frame, int Count, bool Transparent) {
    if (Width(R) < 0 || Height(R) < 0) return;
    const TFrameRect f = FrameOf(Image, Frame, Count, false);
    auto frame = Scratch(Width(R), Height(R));
    if (frame->Empty()) return;
    Stretch(frame->MemoryDC(), 0, 0, Width(R), Height(R), Image.SourceDC(), f.X, f.Y, f.W, f.H);
    Blit(DC, R, *frame, Transparent);
}

void DrawRect3(HDC DC, const RECT& R, TBitmap& Image, int Frame, int Count, bool Transparent) {
    const TFrameRect f = FrameOf(Image, Frame, Count, false);
    if (f.W <= 0 || f.H <= 0) return;
    int x = R.left + (Width(R) - f.W) / 2, y = R.top + (Height(R) - f.H) / 2;
    if (Transparent)
        KeyedBlt(DC, x, y, f.W, f.H, CachedKeyOut(Image, ColorToRGB(clFuchsia)), f.X, f.Y);
    else
        BitBlt(DC, x, y, f.W, f.H, Image.SourceDC(), f.X, f.Y, SRCCOPY);
}

void DrawRectH(HDC DC, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count, int,
               bool Stacked) {
    const TFrameRect f = FrameOf(Image, Frame, Count, Stacked);
    const TMargins m = FitMargins(Margins, f);
    const int W = Width(R), H = Height(R), L = m.L, Rm = m.R;
    HDC s = Image.SourceDC();
    int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
    if (W < f.W) {
        Stretch(DC, R.left, R.top, W, H, s, f.X, f.Y, f.W, f.H);
    } else {
        Stretch(DC, R.left, R.top, L, H, s, f.X, f.Y, L, f.H);
        Stretch(DC, R.left + L, R.top, W - L - Rm, H, s, f.X + L, f.Y, f.W - L - Rm, f.H);
        Stretch(DC, R.right - Rm, R.top, Rm, H, s, f.X + f.W - Rm, f.Y, Rm, f.H);
    }
    SetStretchBltMode(DC, oldMode);
}

void DrawRectTile(TCanvas& Canvas, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                  bool Transparent, bool Stacked) {
    const int W = Width(R), H = Height(R);
    auto strip = Scratch(W, H);
    if (strip->Empty()) return;
    const TFrameRect f = FrameOf(Image, Frame, Count, Stacked);
    const TMargins fit = FitMargins(Margins, f);
    const int L = fit.L, Rm = fit.R, m = f.W - L - Rm;
    HDC d = strip->MemoryDC(), s = Image.SourceDC();
    Stretch(d, 0, 0, L, H, s, f.X, f.Y, L, f.H);
    for (int x = L; m > 0 && x < W - Rm; x += m)
        Stretch(d, x, 0, m, H, s, f.X + L, f.Y, m, f.H);
    Stretch(d, W - Rm, 0, Rm, H, s, f.X + f.W - Rm, f.Y, Rm, f.H);
    if (Transparent) {
        strip->Transparent = true;
        strip->TransparentColor = clFuchsia;
        Canvas.Draw(R.left, R.top, *strip);
    } else {
        BitBlt(Canvas.DC(), R.left, R.top, W, H, d, 0, 0, SRCCOPY);
    }
}

void DrawBGbmp(TCanvas& Canvas, const RECT& Dest, TBitmap& Image, const RECT& Src) {
    const int tw = Width(Src), th = Height(Src);
    if (tw <= 0 || th <= 0) return;
    HDC d = Canvas.DC(), s = Image.SourceDC();
    // 64-bit steps: the last tile may start near the largest coordinate without overflowing.
    for (int64_t x = Dest.left; x < Dest.right; x += tw)
        for (int64_t y = Dest.top; y < Dest.bottom; y += th)
            BitBlt(d, int(x), int(y), tw, th, s, Src.left, Src.top, SRCCOPY);
}

void DrawTranmap(HDC DC, const RECT& R, const TBitmap& Bmp, TColor TransColor) {
    if (Width(R) < 0 || Height(R) < 0) return;
    KeyedBlt(DC, R.left, R.top, Width(R), Height(R), CachedKeyOut(Bmp, ColorToRGB(TransColor)), 0, 0);
}

TGdiHandle<HRGN> BitmapToRegion(TBitmap& Bmp, int X, int Y, TColor Color, uint8_t RedTol, uint8_t GreenTol,
                                uint8_t BlueTol) {
    const int lr = int(Color & 0xFF), lg = int(Color >> 8 & 0xFF), lb = int(Color >> 16 & 0xFF);
    const int hr = Min(lr + RedTol, 255), hg = Min(lg + GreenTol, 255), hb = Min(lb + BlueTol, 255);
    auto transparent = [&](const uint8_t* p) {
        return p[2] >= lr && p[2] <= hr && p[1] >= lg && p[1] <= hg && p[0] >= lb && p[0] <= hb;
    };
    // Pixels are read as they are stored; other formats through a 24-bit copy. The caller's
    // bitmap keeps its format.
    TBitmap copy;
    const TBitmap* src = &Bmp;
    if (Bmp.PixelFormat() != pf32bit && Bmp.PixelFormat() != pf24bit && !Bmp.Empty()) {
        copy.Assign(&Bmp);
        copy.SetPixelFormat(pf24bit);
        src = &copy;
    }
    const int bpp = src->PixelFormat() == pf32bit ? 4 : 3;
    TRegionBuilder region;
    const int w = src->Width();
    for (int yy = 0; yy < src->Height(); yy++) {
        auto* row = static_cast<const uint8_t*>(src->ScanLine(yy));
        for (int x = 0; x < w;) {
            while (x < w && transparent(row + bpp * x))
                x++;
            int x0 = x;
            while (x < w && !transparent(row + bpp * x))
                x++;
            if (x > x0) region.Add({x0 + X, yy + Y, x + X, yy + Y + 1});
        }
    }
    return region.Finish();
}

void DrawParentImage(TControl* Control, HDC DC, bool) {
    if (!Control || !Control->Parent()) return;
    TWinControl* parent = Control->Parent();
    TSaveDC saved(DC);
    POINT origin;
    GetViewportOrgEx(DC, &origin);
    SetViewportOrgEx(DC, origin.x - Control->Left(), origin.y - Control->Top(), nullptr);
    RECT bounds = Control->BoundsRect();
    IntersectClipRect(DC, bounds.left, bounds.top, bounds.right, bounds.bottom);
    try {
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    } catch (const Exception&) {
        if (!Control->IsDesigning()) throw;
    }
}
