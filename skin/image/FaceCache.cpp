#include "FaceCache.h"

#include "LruCache.h"
#include "SkinDraw.h"

#include <cstdint>
#include <utility>

namespace {

struct TFaceKey {
    const TBitmap* Image;
    uint64_t Stamp;
    int W, H, L, T, R, B, Frame, Count;
    bool Transparent, Tile, Stacked;
    bool operator==(const TFaceKey&) const = default;
};

// A main window's worth of controls in all their states fits many times over.
TLruCache<TFaceKey, TFace>& Faces() {
    static TLruCache<TFaceKey, TFace> cache(128, 8u << 20);
    return cache;
}

TStage& FaceStage() {
    static TStage stage(pf24bit);
    return stage;
}

TFace Compose(const RECT& Dest, TBitmap& Image, const RECT& Margins, int Frame, int Count, bool Transparent,
              bool Tile, bool Stacked) {
    TFace face{Transparent, CopyRows(*GetHMap(Dest, Image, Margins, Frame, Count, Tile, Stacked)), {}};
    if (Transparent) face.Keyed = KeyOut(std::exchange(face.Pixels, {}), ColorToRGB(clFuchsia));
    return face;
}

} // namespace

const TFace* CachedFace(const RECT& Dest, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                        bool Transparent, bool Tile, bool Stacked) {
    const int W = Dest.right - Dest.left, H = Dest.bottom - Dest.top;
    const TFaceKey key{&Image,
                       Image.Stamp(),
                       W,
                       H,
                       int(Margins.left),
                       int(Margins.top),
                       int(Margins.right),
                       int(Margins.bottom),
                       Frame,
                       Count,
                       Transparent,
                       Tile,
                       Stacked};
    if (const TFace* kept = Faces().Find(key)) return kept;
    const size_t pixels = size_t(W > 0 ? W : 0) * size_t(H > 0 ? H : 0);
    if (!Faces().Fits(pixels * 3)) return nullptr;
    TFace face = Compose(Dest, Image, Margins, Frame, Count, Transparent, Tile, Stacked);
    const size_t bytes = face.Pixels.Bits.size() + face.Keyed.Bytes();
    return Faces().Insert(key, std::move(face), bytes);
}

void DrawFace(HDC DC, const RECT& R, const TFace& Face) {
    if (Face.Transparent)
        return KeyedBlt(DC, R.left, R.top, Face.Keyed.Pixels.Width, Face.Keyed.Pixels.Height, Face.Keyed, 0,
                        0);
    const TPixelRows& px = Face.Pixels;
    if (px.Width > 0 && px.Height > 0)
        BitBlt(DC, R.left, R.top, px.Width, px.Height, FaceStage().Show(px).SourceDC(), 0, 0, SRCCOPY);
}

TCacheUse FaceCacheUse() {
    return {Faces().Count(), Faces().Bytes()};
}

void FlushFaceCache() {
    Faces().Clear();
    FaceStage().Free();
    FlushMaskCache();
}
