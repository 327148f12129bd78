// The skinned menus' rules on their own: where the menu bar's items stand, which bar item the
// arrow keys reach, which separators of a drop-down show, and which MenuItem frame an item draws.
#pragma once

#include <windows.h>

#include <vector>

// Where the first bar item starts: 6 without a bar image; with one, past its left margin (its right
// margin for a right-to-left bar), but at 12 when that leaves the strip.
int BarStartX(int stripWidth, bool hasImage, int leftMargin, int rightMargin, bool rightToLeft);

// The item rectangles of a bar in `strip` (window coordinates). widths[i] is the caption's width,
// -1 for an invisible item (it gets an empty rectangle). Items are 10 wider than their caption
// (an empty caption takes no room) and one pixel lower than the strip; no gaps between them.
std::vector<RECT> BarItemRects(const std::vector<int>& widths, const RECT& strip, int startX,
                               bool rightToLeft);

// The bar item `step` (+1 or -1) from `index`, wrapping around at both ends.
int WrapBarIndex(int index, int count, int step);

struct TMenuEntry {
    bool Separator = false, Visible = true;
};
// Which entries show after tidying: no separator before the first or after the last item, and of
// separators in a row only the last one.
std::vector<bool> TidySeparators(const std::vector<TMenuEntry>& entries);

// The MenuItem frame: 2 for a separator, 4 for a selected item, 1 otherwise.
int MenuItemFrame(bool separator, bool selected);
