// Scroll-bar arrows, thumb grips, thumbs and tracks. Every piece carries the same 1-pixel edge on the
// side that faces the scrolled content, so the bar reads as one band whatever covers it.
#include "Glyphs.h"
#include "Painters.h"
#include "Theme.h"

namespace {

constexpr int kCell = 17;
constexpr uint32_t kEdge = Grey(226);

// Arrow states in frame order within each group: normal, pressed, disabled, hot.
void PaintArrow(TPainter p, int turn, int state) {
    bool horizontalBar = turn % 2 == 1;
    p.Fill(Theme::Track);
    if (state == 1) p.RoundRect(1, 1, kCell - 2, kCell - 2, 2, Grey(150), Grey(150));
    if (state == 3) p.RoundRect(1, 1, kCell - 2, kCell - 2, 2, Grey(220), Grey(220));
    if (horizontalBar)
        p.HLine(0, kCell - 1, 0, kEdge);
    else
        p.VLine(0, 0, kCell - 1, kEdge);
    static const int kAt[4][2] = {{5, 6}, {7, 5}, {5, 7}, {6, 5}}; // up, right, down, left
    const uint32_t ink[] = {Grey(96), Theme::White, Grey(200), Grey(48)};
    p.GlyphTurned(kAt[turn][0], kAt[turn][1], Glyphs::Triangle, turn, ink[state]);
}

// Three short ridges across the thumb, lighter than the thumb under them.
void PaintGrip(TPainter p, bool ridgesVertical, uint32_t ink) {
    for (int k = 0; k < 3; ++k) {
        if (ridgesVertical)
            p.VLine(6 + 2 * k, 6, 10, ink);
        else
            p.HLine(6, 10, 6 + 2 * k, ink);
    }
}

// Thumbs in frame order: normal, dragged, hot, disabled.
const uint32_t kThumbFill[] = {Theme::Thumb, Theme::ThumbDragged, Theme::ThumbHot, Theme::ThumbDisabled};

TBmpImage PaintThumb(bool vertical) {
    int along = 22, across = 15;
    TStrip s(vertical ? across : along, vertical ? along : across, 4);
    for (int f = 1; f <= 4; ++f) {
        TPainter p = s.Frame(f);
        p.Fill(Theme::Track);
        if (vertical) {
            p.VLine(0, 0, along - 1, kEdge);
            p.RoundRect(3, 1, 9, along - 2, 3, kThumbFill[f - 1], kThumbFill[f - 1]);
        } else {
            p.HLine(0, along - 1, 0, kEdge);
            p.RoundRect(1, 3, along - 2, 9, 3, kThumbFill[f - 1], kThumbFill[f - 1]);
        }
    }
    return s.Image;
}

// Tracks in frame order: normal, pressed, disabled, hot.
TBmpImage PaintTrack(bool vertical) {
    const uint32_t fill[] = {Theme::Track, Grey(228), Grey(246), Grey(236)};
    TStrip s(kCell, kCell, 4);
    for (int f = 1; f <= 4; ++f) {
        TPainter p = s.Frame(f);
        p.Fill(fill[f - 1]);
        if (vertical)
            p.VLine(0, 0, kCell - 1, kEdge);
        else
            p.HLine(0, kCell - 1, 0, kEdge);
    }
    return s.Image;
}

} // namespace

TBmpImage PaintScrollbarArrow() {
    TStrip s(kCell, kCell, 23, false, 32);
    const int groupTurn[] = {3, 1, 0, 2}; // left, right, up, down
    for (int group = 0; group < 4; ++group)
        for (int state = 0; state < 4; ++state)
            PaintArrow(s.Frame(1 + 4 * group + state), groupTurn[group], state);
    // Grips: normal, pressed, hot, each a little lighter than the thumb it sits on.
    const uint32_t gripInk[] = {Grey(226), Grey(180), Grey(204)};
    for (int k = 0; k < 3; ++k) {
        PaintGrip(s.Frame(17 + k), true, gripInk[k]);
        PaintGrip(s.Frame(20 + k), false, gripInk[k]);
    }
    s.Frame(23).Fill(Theme::Track); // the square where two bars meet
    return s.Image;
}

TBmpImage PaintScrollbarHThumb() {
    return PaintThumb(false);
}
TBmpImage PaintScrollbarVThumb() {
    return PaintThumb(true);
}
TBmpImage PaintScrollbarHBar() {
    return PaintTrack(false);
}
TBmpImage PaintScrollbarVBar() {
    return PaintTrack(true);
}
