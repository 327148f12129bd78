#include "StripCache.h"

#include "SkinDraw.h"

TBitmap* TStripCache::Get(TDataSkinBorder& border, bool stacked, SIZE size, int frame) {
    if (border.Image.Empty() || size.cx <= 0 || size.cy <= 0) return nullptr;
    if (FBitmap && FBorder == &border && FSize.cx == size.cx && FSize.cy == size.cy && FFrame == frame)
        return FBitmap.get();
    FBitmap = GetHMap({0, 0, size.cx, size.cy}, border.Image, border.Margins, frame, border.Frame,
                      border.Tile != 1, stacked);
    FBorder = &border;
    FSize = size;
    FFrame = frame;
    ++FCompositions;
    return FBitmap.get();
}
