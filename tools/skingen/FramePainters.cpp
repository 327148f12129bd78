// The window frame. One window of 320 x 100 pixels is drawn in its active and inactive look, and the
// four border strips and the minimized caption are cut from it, so corners and edges always meet.
#include "Painters.h"
#include "Theme.h"

namespace {

constexpr int kWidth = 320, kHeight = 100, kTitle = 29, kBottom = 5, kSide = 4, kRadius = 7;

struct TFrameLook {
    uint32_t TitleTop, Title, Border;
};
const TFrameLook kActive = {Mix(Theme::Accent, Theme::White, 30), Theme::Accent, Theme::AccentDark};
const TFrameLook kInactive = {Mix(Theme::TitleInactive, Theme::White, 36), Theme::TitleInactive,
                              Theme::BorderInactive};

// A 1-pixel border round the whole window, top corners rounded through magenta; the title band is
// the accent, the sides and foot take the window colour so that the frame reads as a thin line.
TBmpImage PaintWindow(const TFrameLook& look) {
    TBmpImage img(kWidth, kHeight, kMagenta);
    TPainter p(img, 0, 0, kWidth, kHeight);
    p.RoundRect(0, 0, kWidth, kHeight + 2 * kRadius, kRadius, Theme::Face, look.Border);
    p.HLine(0, kWidth - 1, kHeight - 1, look.Border);
    for (int y = 1; y < kTitle; ++y) {
        uint32_t c = Mix(look.TitleTop, look.Title, (y - 1) * 256 / (kTitle - 2));
        for (int x = 1; x < kWidth - 1; ++x)
            if (p.Get(x, y) == Theme::Face) p.Pixel(x, y, c);
    }
    return img;
}

enum class TPart { Left, Right, Top, Bottom };

// Frames of the vertical strips lie side by side, those of the horizontal strips are stacked.
TBmpImage CutBorder(TPart part) {
    int x = part == TPart::Right ? kWidth - kSide : part == TPart::Left ? 0 : kSide;
    int y = part == TPart::Bottom ? kHeight - kBottom : 0;
    int w = part == TPart::Left || part == TPart::Right ? kSide : kWidth - 2 * kSide;
    int h = part == TPart::Top ? kTitle : part == TPart::Bottom ? kBottom : kHeight;
    bool stacked = part == TPart::Top || part == TPart::Bottom;
    TBmpImage out(stacked ? w : 2 * w, stacked ? 2 * h : h, kMagenta);
    const TFrameLook* looks[] = {&kActive, &kInactive};
    for (int i = 0; i < 2; ++i) {
        TBmpImage window = PaintWindow(*looks[i]);
        Blit(out, stacked ? 0 : i * w, stacked ? i * h : 0, window, x, y, w, h);
    }
    return out;
}

} // namespace

TBmpImage PaintFrameLeft() {
    return CutBorder(TPart::Left);
}
TBmpImage PaintFrameRight() {
    return CutBorder(TPart::Right);
}
TBmpImage PaintFrameTop() {
    return CutBorder(TPart::Top);
}
TBmpImage PaintFrameBottom() {
    return CutBorder(TPart::Bottom);
}

// The title band closed by the border line; it is drawn opaque, so the corners take the window colour.
TBmpImage PaintMinCaption() {
    TBmpImage out(kWidth, 2 * kTitle, kMagenta);
    const TFrameLook* looks[] = {&kActive, &kInactive};
    for (int i = 0; i < 2; ++i) {
        TBmpImage window = PaintWindow(*looks[i]);
        Blit(out, 0, i * kTitle, window, 0, 0, kWidth, kTitle);
        TPainter p(out, 0, i * kTitle, kWidth, kTitle);
        p.HLine(0, kWidth - 1, kTitle - 1, looks[i]->Border);
        p.Replace(kMagenta, Theme::Face);
    }
    return out;
}
