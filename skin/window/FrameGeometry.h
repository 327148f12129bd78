// Where the parts of a skinned frame lie in a window of a given size (window coordinates, origin at
// the window's top-left). Top is the title bar's height; the menu bar strip lies below it.
#pragma once

#include "WinSkinData.h"

#include <windows.h>

struct TFrameGeometry {
    int Left = 0, Top = 0, Right = 0, Bottom = 0, MenuBar = 0;
};

// The widths of the skin's four border strips (one frame each); all zero without a border.
TFrameGeometry FrameGeometryOf(const TSkinModel& skin, bool noBorder);

RECT LeftStripRect(SIZE window, const TFrameGeometry& g);
RECT RightStripRect(SIZE window, const TFrameGeometry& g);
RECT BottomStripRect(SIZE window, const TFrameGeometry& g);
RECT TopStripRect(SIZE window, const TFrameGeometry& g); // between the left and right strips
RECT TitleBarRect(SIZE window, const TFrameGeometry& g); // the whole width, corners included
RECT MenuStripRect(SIZE window, const TFrameGeometry& g);
// The client area inside a window rectangle (any origin).
RECT ClientAreaOf(const RECT& window, const TFrameGeometry& g);
// The window size that gives a client area of that size.
SIZE OuterSizeOf(SIZE client, const TFrameGeometry& g);

// A dialog box whose caption needs more room than its width is widened to that room, and its
// controls move right by half of what was added.
struct TCaptionFit {
    int Width = 0, Shift = 0;
};
TCaptionFit FitCaption(int width, int captionWidth);

// A border strip's frame: 1 while active, 2 inactive, 1 for a single-frame strip.
int BorderFrameIndex(bool active, int frameCount);

inline SIZE SizeOf(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}
inline bool IsNegative(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}
