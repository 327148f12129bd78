// Push-button faces and the check-box and radio-button glyphs.
#include "Glyphs.h"
#include "Painters.h"
#include "Theme.h"

namespace {

struct TFaceLook {
    uint32_t Top, Bottom, Border;
};

// Buttons.bmp frames: normal, pressed, disabled, hot, focused.
const TFaceLook kButtonLooks[] = {
    {Theme::ControlTop, Theme::ControlBottom, Theme::ControlBorder},
    {Theme::AccentTintPressed, Theme::AccentTintPressed, Theme::AccentLight},
    {Theme::DisabledFace, Theme::DisabledFace, Theme::DisabledBorder},
    {Rgb(240, 246, 253), Theme::AccentTint, Theme::AccentEdge},
    {Theme::ControlTop, Theme::ControlBottom, Theme::Accent},
};

// Box fill and outline per state (normal, hot, pressed, disabled) for the unchecked and checked looks.
struct TBoxLook {
    uint32_t Fill, Border, Mark;
};
const TBoxLook kUnchecked[] = {{Theme::White, Theme::BoxBorder, Theme::Accent},
                               {Theme::AccentTint, Theme::Accent, Theme::Accent},
                               {Theme::AccentTintPressed, Theme::AccentDark, Theme::AccentDark},
                               {Theme::DisabledFace, Theme::DisabledBorder, Theme::DisabledGlyph}};
const TBoxLook kChecked[] = {{Theme::Accent, Theme::Accent, Theme::White},
                             {Theme::AccentLight, Theme::AccentLight, Theme::White},
                             {Theme::AccentDark, Theme::AccentDark, Theme::White},
                             {Theme::DisabledGlyph, Theme::DisabledGlyph, Theme::DisabledFace}};

void PaintButtonFace(TPainter p, const TFaceLook& look, bool focused) {
    p.RoundRectGradient(0, 0, p.W, p.H, 3, look.Top, look.Bottom, look.Border);
    if (focused) p.RoundRect(1, 1, p.W - 2, p.H - 2, 2, look.Top, Theme::AccentEdge);
    if (focused) p.VGradient(2, 2, p.W - 4, p.H - 4, look.Top, look.Bottom);
}

} // namespace

TBmpImage PaintButtons() {
    TStrip s(20, 23, 5);
    for (int f = 1; f <= 5; ++f)
        PaintButtonFace(s.Frame(f), kButtonLooks[f - 1], f == 5);
    return s.Image;
}

TBmpImage PaintCheckbox() {
    TStrip s(13, 13, 12);
    for (int state = 0; state < 4; ++state) {
        const TBoxLook& off = kUnchecked[state];
        s.Frame(1 + state).RoundRect(0, 0, 13, 13, 2, off.Fill, off.Border);
        const TBoxLook& on = kChecked[state];
        TPainter checked = s.Frame(5 + state);
        checked.RoundRect(0, 0, 13, 13, 2, on.Fill, on.Border);
        checked.Glyph(3, 4, Glyphs::CheckMark, on.Mark);
        TPainter mixed = s.Frame(9 + state);
        mixed.RoundRect(0, 0, 13, 13, 2, off.Fill, off.Border);
        mixed.FillRect(3, 3, 7, 7, off.Mark);
    }
    return s.Image;
}

TBmpImage PaintRadioButton() {
    TStrip s(13, 13, 8);
    for (int state = 0; state < 4; ++state) {
        const TBoxLook& off = kUnchecked[state];
        TPainter unchecked = s.Frame(1 + state);
        unchecked.Disc(52, 52, 52, off.Border, Theme::Face);
        unchecked.Disc(52, 52, 44, off.Fill, Theme::Face);
        const TBoxLook& on = kChecked[state];
        TPainter checked = s.Frame(5 + state);
        checked.Disc(52, 52, 52, on.Border, Theme::Face);
        checked.Disc(52, 52, 44, on.Fill, Theme::Face);
        checked.Disc(52, 52, 24, on.Mark, Theme::Face);
    }
    return s.Image;
}
