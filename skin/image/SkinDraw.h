// The skin image drawing primitives every skinned surface uses: cutting a frame out of a strip,
// nine-part fitting with unscaled margins, magenta-keyed blits, tiling, and window regions cut from
// a bitmap. Frames are numbered from 1; stretching is always COLORONCOLOR.
#pragma once

#include "GdiHandles.h"
#include "Graphics.h"

#include <windows.h>

#include <memory>

class TControl;

// A new bitmap, on every call, of the destination's size holding frame `Frame` of `Count` fitted with
// `Margins` (left, top, right, bottom kept 1:1; the centre stretched, or tiled when `Tile`). `Stacked` frames
// split the height instead of the width. A margin pair wider than the destination is dropped.
std::unique_ptr<TBitmap> GetHMap(const RECT& Dest, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                                 bool Tile, bool Stacked);
// GetHMap's bitmap drawn at R, magenta transparent when `Transparent`. The composed face is kept
// (FaceCache.h): repainting the same face does not compose it again.
void DrawRect2(HDC DC, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count,
               bool Transparent, bool Tile, bool Stacked);
// The whole frame stretched to R.
void DrawRect1(HDC DC, const RECT& R, TBitmap& Image, int Frame, int Count, bool Transparent);
// The frame at its own size, centred in R.
void DrawRect3(HDC DC, const RECT& R, TBitmap& Image, int Frame, int Count, bool Transparent);
// Left and right margins kept, the middle stretched; the whole frame stretched when R is narrower
// than the frame. Top and bottom margins are not used.
void DrawRectH(HDC DC, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count, int Unused,
               bool Stacked);
// Left and right margins kept, the middle repeated at its own width.
void DrawRectTile(TCanvas& Canvas, const RECT& R, TBitmap& Image, const RECT& Margins, int Frame, int Count,
                  bool Transparent, bool Stacked);
// Tiles the Src part of the image over Dest, starting at its top-left; tiles are not clipped to Dest.
void DrawBGbmp(TCanvas& Canvas, const RECT& Dest, TBitmap& Image, const RECT& Src);
// Draws the bitmap at R's top-left, R's size, leaving pixels of TransColor untouched. The mask is
// kept for the bitmap's content (its Stamp), so repeated draws do not scan it again.
void DrawTranmap(HDC DC, const RECT& R, const TBitmap& Bmp, TColor TransColor);
// A region of every pixel that is not Color (each channel within Color ... Color + tolerance), moved
// by (X, Y). The bitmap is left as it was.
TGdiHandle<HRGN> BitmapToRegion(TBitmap& Bmp, int X, int Y, TColor Color, uint8_t RedTol, uint8_t GreenTol,
                                uint8_t BlueTol);
// Paints the control's parent (background, then content) into the control's device context.
void DrawParentImage(TControl* Control, HDC DC, bool WholeControl);

inline int Min(int a, int b) {
    return a < b ? a : b;
}
inline int Max(int a, int b) {
    return a > b ? a : b;
}
