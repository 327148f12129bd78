#include "FrameGeometry.h"

namespace {
int FrameWidth(const TDataSkinBorder& b) {
    return b.Image.Width() / b.Frame;
}
int FrameHeight(const TDataSkinBorder& b) {
    return b.Image.Height() / b.Frame;
}
} // namespace

TFrameGeometry FrameGeometryOf(const TSkinModel& skin, bool noBorder) {
    if (noBorder) return {};
    return {FrameWidth(*skin.Borders[bdLeft]), FrameHeight(*skin.Borders[bdTop]),
            FrameWidth(*skin.Borders[bdRight]), FrameHeight(*skin.Borders[bdBottom]), 0};
}

RECT LeftStripRect(SIZE w, const TFrameGeometry& g) {
    return {0, 0, g.Left, w.cy};
}
RECT RightStripRect(SIZE w, const TFrameGeometry& g) {
    return {w.cx - g.Right, 0, w.cx, w.cy};
}
RECT BottomStripRect(SIZE w, const TFrameGeometry& g) {
    return {g.Left, w.cy - g.Bottom, w.cx - g.Right, w.cy};
}
RECT TopStripRect(SIZE w, const TFrameGeometry& g) {
    return {g.Left, 0, w.cx - g.Right, g.Top};
}
RECT TitleBarRect(SIZE w, const TFrameGeometry& g) {
    return {0, 0, w.cx, g.Top};
}
RECT MenuStripRect(SIZE w, const TFrameGeometry& g) {
    return {g.Left, g.Top, w.cx - g.Right, g.Top + g.MenuBar};
}

RECT ClientAreaOf(const RECT& r, const TFrameGeometry& g) {
    return {r.left + g.Left, r.top + g.Top + g.MenuBar, r.right - g.Right, r.bottom - g.Bottom};
}

SIZE OuterSizeOf(SIZE client, const TFrameGeometry& g) {
    return {client.cx + g.Left + g.Right, client.cy + g.Top + g.Bottom + g.MenuBar};
}

TCaptionFit FitCaption(int width, int captionWidth) {
    if (width >= captionWidth) return {width, 0};
    return {captionWidth, (captionWidth - width) / 2};
}

int BorderFrameIndex(bool active, int frameCount) {
    return active || frameCount == 1 ? 1 : 2;
}
