#include "Preview.h"

#include "Painters.h"
#include "PixelFont.h"
#include "Theme.h"

namespace {

constexpr int kWinW = 340, kWinH = 300;

struct TMargins {
    int L = 0, T = 0, R = 0, B = 0;
};

// One frame of a strip fitted into a rectangle with fixed margins, nearest-pixel stretching.
struct TFit {
    const TBmpImage& Img;
    int Frame, Count;
    bool Stacked = false;
    TMargins M = {};
    bool Trans = true, Tile = false;
};

int MapAxis(int d, int size, int src, int lo, int hi, bool tile) {
    if (size < lo + hi) return d * src / size; // too small for the ends: stretch the whole frame
    if (d < lo) return d;
    if (d >= size - hi) return src - (size - d);
    int mid = src - lo - hi, span = size - lo - hi;
    return lo + (tile ? (d - lo) % mid : (d - lo) * mid / span);
}

void Draw(TPainter& p, int x, int y, int w, int h, const TFit& f) {
    int fw = f.Stacked ? f.Img.Width : f.Img.Width / f.Count;
    int fh = f.Stacked ? f.Img.Height / f.Count : f.Img.Height;
    int ox = f.Stacked ? 0 : (f.Frame - 1) * fw, oy = f.Stacked ? (f.Frame - 1) * fh : 0;
    for (int j = 0; j < h; ++j) {
        int sy = MapAxis(j, h, fh, f.M.T, f.M.B, f.Tile);
        for (int i = 0; i < w; ++i) {
            uint32_t c = f.Img.At(ox + MapAxis(i, w, fw, f.M.L, f.M.R, f.Tile), oy + sy);
            if (!(f.Trans && c == kMagenta)) p.Pixel(x + i, y + j, c);
        }
    }
}

struct TSkin {
    TBmpImage Left = PaintFrameLeft(), Right = PaintFrameRight(), Top = PaintFrameTop(),
              Bottom = PaintFrameBottom();
    TBmpImage Close = PaintCloseButton(), Max = PaintMaxButton(), Min = PaintMinButton();
    TBmpImage Buttons = PaintButtons(), Check = PaintCheckbox(), Radio = PaintRadioButton();
    TBmpImage Combo = PaintComboboxBtn(), Progress = PaintProgress(), Chunk = PaintProgressChunk();
    TBmpImage Tab = PaintTab(), Pane = PaintTabSheet(), Status = PaintStatusBar(), Extra = PaintExtraImages();
    TBmpImage Arrows = PaintScrollbarArrow(), HBar = PaintScrollbarHBar(), HThumb = PaintScrollbarHThumb();
    TBmpImage Header = PaintHeader(), Track = PaintTrackThumbH();
};

void DrawFrame(TPainter& p, const TSkin& s, bool active) {
    int f = active ? 1 : 2;
    Draw(p, 0, 0, 4, kWinH, {s.Left, f, 2, false, {0, 29, 0, 5}});
    Draw(p, kWinW - 4, 0, 4, kWinH, {s.Right, f, 2, false, {0, 29, 0, 5}});
    Draw(p, 4, 0, kWinW - 8, 29, {s.Top, f, 2, true, {13, 0, 13, 0}});
    Draw(p, 4, kWinH - 5, kWinW - 8, 5, {s.Bottom, f, 2, true, {13, 0, 13, 0}, false});
    int closeFrame = active ? 3 : 4, otherFrame = active ? 1 : 4;
    Draw(p, kWinW - 25, 5, 21, 21, {s.Close, closeFrame, 6});
    Draw(p, kWinW - 49, 5, 21, 21, {s.Max, otherFrame, 6});
    Draw(p, kWinW - 73, 5, 21, 21, {s.Min, otherFrame, 6});
    p.FillRect(8, 7, 16, 16, active ? Rgb(250, 200, 60) : Grey(200)); // stand-in for the window icon
    DrawPixelText(p, 30, 11, "QUARLINK CONFIG", 2, active ? Theme::White : Grey(225));
}

void DrawButtons(TPainter& p, const TSkin& s) {
    const char* names[] = {"READ", "WRITE", "OFF", "HOT", "FOCUS"};
    for (int i = 0; i < 5; ++i) {
        int x = 14 + i * 63;
        Draw(p, x, 40, 58, 25, {s.Buttons, i + 1, 5, false, {8, 9, 8, 9}});
        DrawPixelText(p, x + 8, 48, names[i], 2, i == 2 ? Theme::FieldBorder : Grey(20));
    }
}

void DrawBoxes(TPainter& p, const TSkin& s) {
    for (int i = 0; i < 12; ++i)
        Draw(p, 14 + i * 20, 76, 13, 13, {s.Check, i + 1, 12});
    for (int i = 0; i < 8; ++i)
        Draw(p, 14 + i * 20, 96, 13, 13, {s.Radio, i + 1, 8});
}

void DrawCombo(TPainter& p, const TSkin& s, int x, int y, int frame) {
    p.FillRect(x, y, 130, 21, Theme::White);
    p.Box(x, y, 130, 21, Theme::FieldBorder);
    Draw(p, x + 130 - 2 - 15, y + 2, 15, 16, {s.Combo, frame, 4});
    DrawPixelText(p, x + 6, y + 8, "1000 KBPS", 1, Grey(20));
}

void DrawBars(TPainter& p, const TSkin& s) {
    Draw(p, 14, 150, 200, 19, {s.Progress, 1, 1, false, {4, 3, 4, 3}});
    for (int x = 0; x < 120; x += 10)
        Draw(p, 16 + x, 153, 10, 12, {s.Chunk, 1, 1, false, {}, false});
    Draw(p, 14, 176, 200, 17, {s.HBar, 1, 4, false, {0, 1, 0, 1}, false});
    Draw(p, 14, 176, 17, 17, {s.Arrows, 1, 23});
    Draw(p, 214 - 17, 176, 17, 17, {s.Arrows, 8, 23});
    Draw(p, 60, 176, 50, 17, {s.HThumb, 3, 4, false, {5, 5, 5, 5}, false});
    Draw(p, 60 + 25 - 8, 176, 17, 17, {s.Arrows, 19, 23});
    p.FillRect(230, 160, 90, 4, Grey(190));
    Draw(p, 262, 152, 11, 21, {s.Track, 2, 5});
}

void DrawTabs(TPainter& p, const TSkin& s) {
    Draw(p, 14, 218, 306, 44, {s.Pane, 1, 1, false, {2, 2, 4, 4}, false});
    for (int f = 1; f <= 4; ++f) // the current tab (frame 2) stands 2 pixels taller
        Draw(p, 14 + (f - 1) * 58, f == 2 ? 201 : 203, 56, f == 2 ? 18 : 16,
             {s.Tab, f, 5, false, {6, 6, 6, 6}, false});
    Draw(p, 20, 230, 120, 18, {s.Header, 1, 4, false, {8, 3, 8, 4}, true, true});
    Draw(p, 140, 230, 120, 18, {s.Header, 2, 4, false, {8, 3, 8, 4}, true, true});
}

void DrawStatus(TPainter& p, const TSkin& s) {
    int y = kWinH - 5 - 21;
    Draw(p, 4, y, 160, 21, {s.Status, 1, 3, false, {50, 5, 17, 9}, false, true});
    Draw(p, 166, y, kWinW - 8 - 162, 21, {s.Status, 1, 3, false, {50, 5, 17, 9}, false, true});
    Draw(p, kWinW - 4 - 17, y + 3, 16, 17, {s.Extra, 5, 5});
    DrawPixelText(p, 12, y + 8, "DATA SENT", 1, Grey(20));
}

void DrawWindow(TPainter p, const TSkin& s, bool active) {
    p.FillRect(4, 29, kWinW - 8, kWinH - 34, Theme::Face);
    DrawFrame(p, s, active);
    DrawButtons(p, s);
    DrawBoxes(p, s);
    DrawCombo(p, s, 14, 118, 1);
    DrawCombo(p, s, 160, 118, 4);
    DrawBars(p, s);
    DrawTabs(p, s);
    DrawStatus(p, s);
}

} // namespace

TBmpImage PreviewWindows() {
    TBmpImage img(2 * kWinW + 30, kWinH + 20, Rgb(92, 110, 130));
    TSkin s;
    DrawWindow(TPainter(img, 10, 10, kWinW, kWinH), s, true);
    DrawWindow(TPainter(img, kWinW + 20, 10, kWinW, kWinH), s, false);
    return img;
}
