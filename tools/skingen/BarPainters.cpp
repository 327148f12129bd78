// Progress bar, tabs and their pane, status-bar panels, column headers and track-bar thumbs.
#include "Painters.h"
#include "Theme.h"

namespace {

constexpr uint32_t kTabBorder = Grey(188);
constexpr uint32_t kTabIdle = Grey(224); // tabs behind the current one recede a little

// A tab: rounded top corners, square foot. `open` leaves the foot without its line so that the
// current tab runs into the pane.
void PaintTabFace(TPainter p, uint32_t fill, uint32_t border, uint32_t topLine, bool open) {
    p.Fill(Theme::Face);
    p.RoundRect(0, 0, p.W, p.H + 3, 3, fill, border); // the bottom corners fall outside the frame
    if (topLine != fill) {
        p.HLine(2, p.W - 3, 0, topLine);
        p.HLine(1, p.W - 2, 1, topLine);
    }
    p.HLine(0, p.W - 1, p.H - 1, open ? fill : kTabBorder);
    if (open) p.Pixel(0, p.H - 1, border), p.Pixel(p.W - 1, p.H - 1, border);
}

// Status-bar panel: 1 lowered, 2 raised, 3 flat.
void PaintPanel(TPainter p, int bevel) {
    p.Fill(Theme::Face);
    if (bevel == 3) return;
    uint32_t fill = bevel == 1 ? Grey(228) : Grey(241);
    p.RoundRect(0, 1, p.W - 2, p.H - 2, 2, fill, bevel == 1 ? Grey(196) : Grey(206));
    if (bevel == 2) p.HLine(2, p.W - 5, 2, Theme::White);
}

void PaintHeaderItem(TPainter p, uint32_t top, uint32_t bottom, uint32_t foot) {
    p.VGradient(0, 0, p.W, p.H, top, bottom);
    p.VLine(p.W - 1, 3, p.H - 5, Grey(214));
    p.HLine(0, p.W - 1, p.H - 1, foot);
}

// Track-bar thumbs: frame 2 is the one the skinner draws, so it carries the resting look.
struct TThumbLook {
    uint32_t Top, Bottom, Border;
};
const TThumbLook kThumbLooks[] = {
    {Theme::AccentLight, Rgb(64, 124, 192), Theme::Accent}, // 1 hot
    {Rgb(70, 128, 194), Theme::Accent, Theme::AccentDark},  // 2 normal
    {Theme::Accent, Theme::AccentDark, Theme::AccentDark},  // 3 pressed
    {Grey(206), Grey(192), Grey(176)},                      // 4 disabled
    {Rgb(70, 128, 194), Theme::Accent, Rgb(20, 52, 94)},    // 5 focused
};

} // namespace

TBmpImage PaintProgress() {
    TStrip s(9, 19, 1);
    s.Frame(1).RoundRect(0, 0, 9, 19, 2, Grey(226), Grey(190));
    return s.Image;
}

TBmpImage PaintProgressChunk() {
    TStrip s(10, 12, 1);
    TPainter p = s.Frame(1);
    p.VGradient(0, 0, 10, 12, Theme::AccentLight, Theme::Accent);
    p.HLine(0, 9, 0, Rgb(132, 176, 226));
    return s.Image;
}

TBmpImage PaintTab() {
    TStrip s(18, 18, 5);
    PaintTabFace(s.Frame(1), kTabIdle, kTabBorder, kTabIdle, false);
    PaintTabFace(s.Frame(2), Theme::Face, kTabBorder, Theme::Accent, true);
    PaintTabFace(s.Frame(3), Grey(238), kTabBorder, Grey(238), false);            // hot
    PaintTabFace(s.Frame(4), Grey(229), Theme::DisabledBorder, Grey(229), false); // disabled
    PaintTabFace(s.Frame(5), Theme::Face, kTabBorder, Theme::AccentLight, true);  // current, hot
    return s.Image;
}

TBmpImage PaintTabSheet() {
    TStrip s(48, 48, 1);
    TPainter p = s.Frame(1);
    p.Fill(Theme::Face);
    p.Box(0, 0, 48, 48, kTabBorder);
    p.HLine(1, 46, 1, Grey(242));
    return s.Image;
}

TBmpImage PaintStatusBar() {
    TStrip s(68, 21, 3);
    for (int bevel = 1; bevel <= 3; ++bevel)
        PaintPanel(s.Frame(bevel), bevel);
    return s.Image;
}

TBmpImage PaintHeader() {
    TStrip s(18, 18, 4);
    PaintHeaderItem(s.Frame(1), Theme::White, Grey(246), Grey(208));
    PaintHeaderItem(s.Frame(2), Rgb(240, 246, 253), Theme::AccentTint, Theme::AccentEdge);
    PaintHeaderItem(s.Frame(3), Theme::AccentTintPressed, Theme::AccentTintPressed, Theme::AccentLight);
    PaintHeaderItem(s.Frame(4), Theme::White, Grey(246), Theme::Accent); // sorted column
    return s.Image;
}

TBmpImage PaintTrackThumbH() {
    TStrip s(11, 21, 5);
    for (int f = 1; f <= 5; ++f) {
        const TThumbLook& l = kThumbLooks[f - 1];
        s.Frame(f).RoundRectGradient(0, 0, 11, 21, 3, l.Top, l.Bottom, l.Border);
    }
    return s.Image;
}

TBmpImage PaintTrackBot() {
    TStrip s(11, 21, 5);
    for (int f = 1; f <= 5; ++f) {
        const TThumbLook& l = kThumbLooks[f - 1];
        TPainter p = s.Frame(f);
        p.RoundRectGradient(0, 0, 11, 24, 3, l.Top, l.Bottom, l.Border);
        for (int y = 15; y < 21; ++y) { // the point, narrowing to one pixel
            int r = y - 15;
            p.HLine(0, 10, y, kMagenta);
            p.HLine(r, 10 - r, y, l.Bottom);
            p.Pixel(r, y, l.Border);
            p.Pixel(10 - r, y, l.Border);
        }
    }
    return s.Image;
}
