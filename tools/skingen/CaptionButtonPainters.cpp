// Close, maximize, minimize and restore buttons of the title bar, drawn with magenta around them.
#include "Glyphs.h"
#include "Painters.h"
#include "Theme.h"

namespace {

struct TCaptionLook {
    uint32_t Fill, Ink; // Fill kMagenta: no plate behind the symbol
};

// Frames: 1 normal, 2 pressed, 3 hot, 4 inactive window, 5 disabled, 6 hot on an inactive window.
TBmpImage PaintCaptionButton(const TGlyph& glyph, uint32_t hot, uint32_t pressed) {
    const TCaptionLook looks[] = {
        {kMagenta, Theme::White},
        {pressed, Theme::White},
        {hot, Theme::White},
        {kMagenta, Grey(225)},
        {kMagenta, Mix(Theme::Accent, Theme::White, 110)},
        {Mix(Theme::TitleInactive, Theme::White, 56), Theme::White},
    };
    TStrip s(21, 21, 6);
    for (int f = 1; f <= 6; ++f) {
        TPainter p = s.Frame(f);
        const TCaptionLook& look = looks[f - 1];
        if (look.Fill != kMagenta) p.RoundRect(0, 0, 21, 21, 3, look.Fill, look.Fill);
        p.Glyph(6, 6, glyph, look.Ink);
    }
    return s.Image;
}

const uint32_t kHot = Mix(Theme::Accent, Theme::White, 56);

} // namespace

TBmpImage PaintCloseButton() {
    return PaintCaptionButton(Glyphs::CaptionClose, Theme::CloseHot, Theme::ClosePressed);
}
TBmpImage PaintMaxButton() {
    return PaintCaptionButton(Glyphs::CaptionMax, kHot, Theme::AccentDark);
}
TBmpImage PaintMinButton() {
    return PaintCaptionButton(Glyphs::CaptionMin, kHot, Theme::AccentDark);
}
TBmpImage PaintRestoreButton() {
    return PaintCaptionButton(Glyphs::CaptionRestore, kHot, Theme::AccentDark);
}
