#include "FrameCheck.h"

void TFrameCheck::Same(int x, int y, TColor expected) {
    if (expected == SkinTransColor) {
        if (InWindowRegion(Wnd, x, y)) ++Failures;
    } else if (Screen.At(x, y) != expected) {
        ++Failures;
    }
}

void TFrameCheck::OneOf(int x, int y, const std::set<TColor>& allowed) {
    if (!allowed.count(Screen.At(x, y)) && !(allowed.count(SkinTransColor) && !InWindowRegion(Wnd, x, y)))
        ++Failures;
}

void CheckVerticalStrip(TFrameCheck& c, TDataSkinBorder& b, int frame, int left, int height) {
    int w = b.Image.Width() / b.Frame, h = b.Image.Height();
    int top = b.Margins.top, bottom = b.Margins.bottom;
    for (int x = 0; x < w; ++x) {
        std::set<TColor> middle;
        for (int y = top; y < h - bottom; ++y)
            middle.insert(FramePixel(b.Image, frame, b.Frame, false, x, y));
        for (int y = 0; y < height; ++y) {
            if (y < top)
                c.Same(left + x, y, FramePixel(b.Image, frame, b.Frame, false, x, y));
            else if (y >= height - bottom)
                c.Same(left + x, y, FramePixel(b.Image, frame, b.Frame, false, x, y - height + h));
            else
                c.OneOf(left + x, y, middle);
        }
    }
}

void CheckHorizontalStrip(TFrameCheck& c, TDataSkinBorder& b, int frame, POINT at, int width,
                          const std::vector<RECT>& skip) {
    int w = b.Image.Width(), h = b.Image.Height() / b.Frame;
    int left = b.Margins.left, right = b.Margins.right;
    for (int y = 0; y < h; ++y) {
        std::set<TColor> middle;
        for (int x = left; x < w - right; ++x)
            middle.insert(FramePixel(b.Image, frame, b.Frame, true, x, y));
        for (int x = 0; x < width; ++x) {
            POINT p{at.x + x, at.y + y};
            bool skipped = false;
            for (const RECT& r : skip)
                skipped = skipped || PtInRect(&r, p);
            if (skipped) continue;
            if (x < left)
                c.Same(p.x, p.y, FramePixel(b.Image, frame, b.Frame, true, x, y));
            else if (x >= width - right)
                c.Same(p.x, p.y, FramePixel(b.Image, frame, b.Frame, true, x - width + w, y));
            else
                c.OneOf(p.x, p.y, middle);
        }
    }
}

void ExpectSideStrips(TFrameCheck& c, TWinSkinForm& skin, TSkinData& data, int frame) {
    RECT r{};
    GetWindowRect(c.Wnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    const TFrameGeometry& g = skin.Frame;
    CheckVerticalStrip(c, *data.Borders[bdLeft], frame, 0, h);
    EXPECT_EQ(c.Failures, 0) << "left strip";
    CheckVerticalStrip(c, *data.Borders[bdRight], frame, w - g.Right, h);
    EXPECT_EQ(c.Failures, 0) << "right strip";
    CheckHorizontalStrip(c, *data.Borders[bdBottom], frame, {g.Left, h - g.Bottom}, w - g.Left - g.Right);
    EXPECT_EQ(c.Failures, 0) << "bottom strip";
}
