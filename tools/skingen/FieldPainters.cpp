// The drop-down button of combo boxes, the spare combo arrows and size grip, and up-down buttons.
#include "Glyphs.h"
#include "Painters.h"
#include "Theme.h"

namespace {

// Glyph colours and button fills in the order normal, pressed, disabled, hot.
const uint32_t kGlyphInk[] = {Theme::Glyph, Theme::AccentDark, Theme::DisabledGlyph, Theme::Accent};
const uint32_t kSpinFill[] = {Grey(236), Theme::AccentTintPressed, Grey(243), Theme::AccentTint};

// Combo-button states in frame order: 1 normal, 2 pressed, 3 disabled, 4 hot.
void PaintDropButton(TPainter p, int state) {
    if (state == 1) p.RoundRect(0, 0, p.W, p.H, 2, Theme::AccentTintPressed, Theme::AccentTintPressed);
    if (state == 3) p.RoundRect(0, 0, p.W, p.H, 2, Theme::AccentTint, Theme::AccentTint);
    p.Glyph((p.W - 9) / 2, (p.H - 5) / 2, Glyphs::Chevron, kGlyphInk[state]);
}

// Dots of the size grip, in a triangle against the bottom-right corner.
void PaintSizeGrip(TPainter p) {
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col <= row; ++col) {
            int x = p.W - 4 - 4 * col, y = p.H - 12 + 4 * row;
            p.FillRect(x + 1, y + 1, 2, 2, Theme::White);
            p.FillRect(x, y, 2, 2, Grey(150));
        }
    }
}

// An up-down half: a flat face that survives any stretch; `divider` names the edge shared with the
// other half (0 none, 1 bottom, 2 right).
void PaintSpinFace(TPainter p, int state, int divider) {
    p.Fill(kSpinFill[state]);
    if (divider == 1) p.FillRect(0, p.H - 2, p.W, 2, Theme::Divider);
    if (divider == 2) p.FillRect(p.W - 2, 0, 2, p.H, Theme::Divider);
}

TBmpImage PaintSpinFaces(int firstDivider) {
    TStrip s(15, 16, 8);
    for (int state = 0; state < 4; ++state) {
        PaintSpinFace(s.Frame(1 + state), state, firstDivider);
        PaintSpinFace(s.Frame(5 + state), state, 0);
    }
    return s.Image;
}

// Arrow glyphs: frames 1-4 point along `firstTurn`, 5-8 the opposite way.
TBmpImage PaintSpinGlyphs(int frameW, int frameH, int firstTurn) {
    TStrip s(frameW, frameH, 8);
    bool upright = firstTurn % 2 == 0;
    int gx = upright ? 0 : 1, gy = upright ? 1 : 0;
    for (int state = 0; state < 4; ++state) {
        s.Frame(1 + state).GlyphTurned(gx, gy, Glyphs::Triangle, firstTurn, kGlyphInk[state]);
        s.Frame(5 + state).GlyphTurned(gx, gy, Glyphs::Triangle, firstTurn + 2, kGlyphInk[state]);
    }
    return s.Image;
}

} // namespace

TBmpImage PaintComboboxBtn() {
    TStrip s(15, 16, 4);
    // Frame order normal, pressed, disabled, hot matches the ink table.
    for (int f = 1; f <= 4; ++f)
        PaintDropButton(s.Frame(f), f - 1);
    return s.Image;
}

TBmpImage PaintExtraImages() {
    TStrip s(16, 17, 5);
    for (int f = 1; f <= 4; ++f)
        s.Frame(f).Glyph(3, 6, Glyphs::Chevron, kGlyphInk[f - 1]);
    PaintSizeGrip(s.Frame(5));
    return s.Image;
}

TBmpImage PaintSpin() {
    return PaintSpinFaces(1);
}
TBmpImage PaintSpinh() {
    return PaintSpinFaces(2);
}
TBmpImage PaintSpinArrow() {
    return PaintSpinGlyphs(7, 6, 0);
}
TBmpImage PaintSpinhArrow() {
    return PaintSpinGlyphs(6, 7, 3);
}
