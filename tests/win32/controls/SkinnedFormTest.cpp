#include "SkinnedFormTest.h"

#include "GdiHandles.h"

#include <algorithm>

TCapture Capture(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    TCapture c{r.right - r.left, r.bottom - r.top, {}};
    TWindowDC dc(Wnd);
    TMemoryDC mem(dc);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), c.W, -c.H, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    TGdiHandle<HBITMAP> bmp(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TSelectObject sel(mem, bmp);
    BitBlt(mem, 0, 0, c.W, c.H, dc, 0, 0, SRCCOPY);
    GdiFlush();
    auto* px = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < c.W * c.H; i++) // 0x00RRGGBB to COLORREF
        c.Pixels.push_back(RGB(px[i] >> 16 & 0xFF, px[i] >> 8 & 0xFF, px[i] & 0xFF));
    return c;
}

void Repaint(HWND Wnd) {
    RedrawWindow(Wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

COLORREF ImagePixel(TBitmap& Image, int x, int y) {
    return GetPixel(Image.MemoryDC(), x, y);
}

double StretchedMatch(const TCapture& C, const RECT& R, TBitmap& Strip, int Frame, int Count) {
    const int fw = Strip.Width() / Count, fh = Strip.Height(), x0 = fw * (Frame - 1);
    const int dw = R.right - R.left, dh = R.bottom - R.top;
    const int reach = dw == fw && dh == fh ? 0 : 1; // a 1:1 copy is compared exactly
    int hits = 0;
    for (int y = 0; y < dh; y++)
        for (int x = 0; x < dw; x++) {
            int sx = x * fw / dw, sy = y * fh / dh;
            COLORREF got = C.At(R.left + x, R.top + y);
            bool hit = false;
            for (int dy = -reach; dy <= reach && !hit; dy++)
                for (int dx = -reach; dx <= reach && !hit; dx++) {
                    int px = std::clamp(sx + dx, 0, fw - 1), py = std::clamp(sy + dy, 0, fh - 1);
                    COLORREF want = ImagePixel(Strip, x0 + px, py);
                    hit = want == RGB(255, 0, 255) || want == got;
                }
            hits += hit;
        }
    return dw > 0 && dh > 0 ? double(hits) / (dw * dh) : 0;
}

int BestFrame(const TCapture& C, const RECT& R, TBitmap& Strip, int Count) {
    int best = 0;
    double score = 0.97;
    for (int f = 1; f <= Count; f++)
        if (double s = StretchedMatch(C, R, Strip, f, Count); s > score) {
            best = f;
            score = s;
        }
    return best;
}

void TSkinnedFormTest::SetUp() {
    SkinData.reset(new TSkinData(nullptr));
    SkinData->SetSkinFile(QL_DEFAULT_SKIN);
    ASSERT_FALSE(SkinData->SkinPending);
    Form.reset(new TForm(nullptr));
    Form->SetBounds(10, 10, 420, 300);
    List.reset(new TSkinControlList(nullptr, SkinData.get()));
}

void TSkinnedFormTest::TearDown() {
    List.reset();
    Form.reset();
    SkinData.reset();
    Pump();
}
