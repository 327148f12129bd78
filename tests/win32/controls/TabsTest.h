// Helpers of the tab and header skinner tests: where a fitted skin frame shows in a window, upright or
// flipped and turned the way tabs on each side show it, compared pixel by pixel with the skin's bitmap.
#pragma once

#include "SkinTab.h"
#include "SkinnedFormTest.h"

// The window pixel that shows (x, y) of an upright face of D's size drawn for tabs at P: as is at
// the top, upside down at the bottom, turned left on the left side and right on the right side.
POINT UprightToWindow(const RECT& D, TSkinTabPosition P, int x, int y);
// The upright face's size: D's, width and height swapped on a side.
SIZE UprightSize(const RECT& D, TSkinTabPosition P);

// Counts the pixels of the margin corners of frame `Frame` of `Count` fitted into D that differ from
// the strip (magenta pixels of the strip are not compared). `OuterOnly`: only the two top corners.
int FittedCornerMismatches(const TCapture& C, const RECT& D, TSkinTabPosition P, TBitmap& Strip, int Frame,
                           int Count, const RECT& Margins, bool OuterOnly = false);

POINT Centre(const RECT& R);
LPARAM At(POINT P);
// A left click at a client point, sent straight to the window.
void ClickAt(HWND Wnd, POINT P);
