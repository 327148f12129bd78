// Composed faces (GetHMap's nine-part fitting) kept per image content, frame and fitting, so that
// a control repainted in the same state costs little more than one blit. Faces are held as pixels,
// not GDI bitmaps: the cache costs no handles however full it is.
#pragma once

#include "MaskCache.h"
#include "PixelRows.h"

#include <windows.h>

// A face drawn opaque keeps its pixels, one drawn magenta transparent its keyed parts.
struct TFace {
    bool Transparent = false;
    TPixelRows Pixels;
    TKeyed Keyed;
};

// GetHMap's result for these arguments, composed at most once per Stamp of the image; valid until
// the next call. Null when the face is too large to keep.
const TFace* CachedFace(const RECT& Dest, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                        bool Transparent, bool Tile, bool Stacked);
// The face at R's top-left.
void DrawFace(HDC DC, const RECT& R, const TFace& Face);

struct TCacheUse {
    size_t Count, Bytes;
};
TCacheUse FaceCacheUse();
// Drops every kept face and keyed bitmap, and the drawing stages: when a skin goes, or to save memory.
void FlushFaceCache();
