// Pop-up menu background and items, and the buttons of a maximized MDI child in the menu bar.
#include "Glyphs.h"
#include "Painters.h"
#include "Theme.h"

namespace {

// Menu items are drawn with magenta transparent over the menu background.
void PaintSeparator(TPainter p) {
    // Three rows so that a squeezed separator item still keeps one of them.
    p.HLine(2, p.W - 3, 7, Grey(236));
    p.HLine(2, p.W - 3, 8, Grey(212));
    p.HLine(2, p.W - 3, 9, Grey(236));
}

void PaintMdiGroup(TStrip& s, int first, const TGlyph& glyph) {
    for (int state = 0; state < 4; ++state) { // normal, pressed, disabled, hot
        TPainter p = s.Frame(first + state);
        if (state == 1) p.RoundRect(0, 0, 13, 13, 2, Theme::AccentTintPressed, Theme::AccentLight);
        if (state == 3) p.RoundRect(0, 0, 13, 13, 2, Theme::AccentTint, Theme::AccentEdge);
        uint32_t ink = state == 2 ? Theme::DisabledGlyph : state == 0 ? Theme::Glyph : Theme::AccentDark;
        p.Glyph(3, 3, glyph, ink);
    }
}

} // namespace

TBmpImage PaintMenuBackground() {
    TStrip s(20, 20, 1, false, 32);
    TPainter p = s.Frame(1);
    p.Fill(Theme::MenuSurface);
    p.Box(0, 0, 20, 20, Theme::MenuBorder);
    return s.Image;
}

TBmpImage PaintMenuItem() {
    TStrip s(20, 18, 5, false, 32);
    PaintSeparator(s.Frame(2));
    s.Frame(3).RoundRect(0, 0, 20, 18, 2, Grey(238), Grey(226));                         // selected, disabled
    s.Frame(4).RoundRect(0, 0, 20, 18, 2, Rgb(221, 234, 249), Rgb(164, 196, 233));       // selected
    s.Frame(5).RoundRect(0, 0, 20, 18, 2, Theme::AccentTintPressed, Theme::AccentLight); // pressed
    return s.Image;
}

TBmpImage PaintMdibutton() {
    TStrip s(13, 13, 12);
    PaintMdiGroup(s, 1, Glyphs::SmallMin);
    PaintMdiGroup(s, 5, Glyphs::SmallRestore);
    PaintMdiGroup(s, 9, Glyphs::SmallClose);
    return s.Image;
}
