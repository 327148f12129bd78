#include "MenuRules.h"

int BarStartX(int stripWidth, bool hasImage, int leftMargin, int rightMargin, bool rightToLeft) {
    if (!hasImage) return 6;
    int x = rightToLeft ? rightMargin + 8 : leftMargin + 4;
    return x > stripWidth ? 12 : x;
}

namespace {
int ItemWidth(int captionWidth) {
    return captionWidth > 0 ? captionWidth + 10 : 0;
}
} // namespace

std::vector<RECT> BarItemRects(const std::vector<int>& widths, const RECT& strip, int startX,
                               bool rightToLeft) {
    std::vector<RECT> rects;
    int top = strip.top, bottom = strip.bottom - 1;
    int x = rightToLeft ? strip.right - startX : strip.left + startX;
    for (int w : widths) {
        if (w < 0) {
            rects.push_back({});
            continue;
        }
        int width = ItemWidth(w);
        if (rightToLeft) {
            rects.push_back({x - width, top, x, bottom});
            x -= width;
        } else {
            rects.push_back({x, top, x + width, bottom});
            x += width;
        }
    }
    return rects;
}

int WrapBarIndex(int index, int count, int step) {
    if (count <= 0) return -1;
    return ((index + step) % count + count) % count;
}

std::vector<bool> TidySeparators(const std::vector<TMenuEntry>& entries) {
    std::vector<bool> shown;
    for (const TMenuEntry& e : entries)
        shown.push_back(e.Visible);
    bool itemBefore = false;
    int pending = -1; // the last separator since the last item
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].Visible) continue;
        if (!entries[i].Separator) {
            itemBefore = true;
            pending = -1;
            continue;
        }
        if (!itemBefore) {
            shown[i] = false;
            continue;
        }
        if (pending >= 0) shown[size_t(pending)] = false;
        pending = int(i);
    }
    if (pending >= 0) shown[size_t(pending)] = false;
    return shown;
}

int MenuItemFrame(bool separator, bool selected) {
    if (separator) return 2;
    return selected ? 4 : 1;
}
