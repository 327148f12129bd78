// The skinned frame's strips as the screen shows them, against the skin's border bitmaps.
#pragma once

#include "FormTestHelpers.h"

#include <set>
#include <vector>

// Checks one window pixel against the image pixel it comes from: magenta lies outside the region,
// every other colour is on screen unchanged.
struct TFrameCheck {
    HWND Wnd;
    TWindowPixels& Screen;
    int Failures = 0;

    void Same(int x, int y, TColor expected);
    void OneOf(int x, int y, const std::set<TColor>& allowed);
};

// A vertical strip: top and bottom margins 1:1, the rows between them stretched.
void CheckVerticalStrip(TFrameCheck& c, TDataSkinBorder& b, int frame, int left, int height);
// A horizontal strip at (left, top) `width` wide: left and right margins 1:1, the middle stretched.
// Pixels inside `skip` are not looked at.
void CheckHorizontalStrip(TFrameCheck& c, TDataSkinBorder& b, int frame, POINT at, int width,
                          const std::vector<RECT>& skip = {});
// The left, right and bottom strips, each a failure of its own.
void ExpectSideStrips(TFrameCheck& c, TWinSkinForm& skin, TSkinData& data, int frame);
