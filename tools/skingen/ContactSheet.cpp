#include "ContactSheet.h"

#include "PixelFont.h"

#include <algorithm>

namespace {

constexpr int kScale = 3, kMargin = 12, kGap = 8, kSheetWidth = 1000, kLabel = 14, kNumber = 12;
constexpr uint32_t kPaper = Grey(250), kInk = Grey(40), kNumberInk = Rgb(40, 90, 160);

struct TCell {
    const TSkinBitmapSpec* Entry;
    TBmpImage Strip;
    int Frame, X, Y; // frame number (1-based) and where its enlarged copy goes
};

// Places every frame, wrapping at the sheet width; each entry starts on a new row under its label.
std::vector<TCell> Layout(const std::vector<TSkinBitmapSpec>& entries, int& height) {
    std::vector<TCell> cells;
    int y = kMargin;
    for (const TSkinBitmapSpec& e : entries) {
        TBmpImage strip = e.Paint();
        int fw = e.Stacked ? e.Width : e.Width / e.Frames, fh = e.Stacked ? e.Height / e.Frames : e.Height;
        int x = kMargin, rowH = 0;
        y += kLabel;
        for (int f = 1; f <= e.Frames; ++f) {
            if (x + fw * kScale > kSheetWidth - kMargin && x > kMargin)
                x = kMargin, y += rowH + kGap, rowH = 0;
            cells.push_back({&e, strip, f, x, y + kNumber});
            x += fw * kScale + kGap;
            rowH = std::max(rowH, fh * kScale + kNumber);
        }
        y += rowH + 2 * kGap;
    }
    height = y + kMargin;
    return cells;
}

void DrawCell(TBmpImage& sheet, const TCell& c) {
    const TSkinBitmapSpec& e = *c.Entry;
    int fw = e.Stacked ? e.Width : e.Width / e.Frames, fh = e.Stacked ? e.Height / e.Frames : e.Height;
    int sx = e.Stacked ? 0 : (c.Frame - 1) * fw, sy = e.Stacked ? (c.Frame - 1) * fh : 0;
    TPainter p(sheet, 0, 0, sheet.Width, sheet.Height);
    DrawPixelText(p, c.X, c.Y - kNumber + 2, std::to_string(c.Frame), 2, kNumberInk);
    for (int y = 0; y < fh * kScale; ++y) {
        for (int x = 0; x < fw * kScale; ++x) {
            uint32_t px = c.Strip.At(sx + x / kScale, sy + y / kScale);
            bool dark = (x / 6 + y / 6) % 2;
            p.Pixel(c.X + x, c.Y + y, px == kMagenta ? (dark ? Grey(204) : Grey(232)) : px);
        }
    }
}

} // namespace

TBmpImage ContactSheet(const std::vector<TSkinBitmapSpec>& entries) {
    int height = 0;
    std::vector<TCell> cells = Layout(entries, height);
    TBmpImage sheet(kSheetWidth, height, kPaper);
    TPainter p(sheet, 0, 0, sheet.Width, sheet.Height);
    const TSkinBitmapSpec* labelled = nullptr;
    for (const TCell& c : cells) {
        if (c.Entry != labelled) {
            labelled = c.Entry;
            int index = int(c.Entry - entries.data()) + 1;
            std::string label = std::to_string(index) + "  " + c.Entry->FileName;
            DrawPixelText(p, kMargin, c.Y - kNumber - kLabel + 2, label, 2, kInk);
        }
        DrawCell(sheet, c);
    }
    return sheet;
}
