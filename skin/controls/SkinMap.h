// The skin frames a control skinner draws. Every face and glyph goes through these two, so a cache of
// fitted frames can sit behind them.
#pragma once

#include "WinSkinData.h"

// Frame `Frame` of `Count` of the object's strip fitted into R with its margins (centre tiled when
// its Tile is set), magenta transparent when its Trans is 1. Nothing for an inverted R.
void DrawSkinMap(HDC DC, const RECT& R, TDataSkinObject& Object, int Frame, int Count);
// Frame `Frame` of `Count` of a plain strip stretched whole into R, magenta transparent.
void DrawSkinMap2(HDC DC, const RECT& R, TBitmap& Strip, int Frame, int Count);
