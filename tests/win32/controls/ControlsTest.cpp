#include "ControlsTest.h"

#include <gtest/gtest.h>

TSkinData& DefaultSkin() {
    static TSkinData* skin = [] {
        auto* s = new TSkinData(nullptr);
        s->SetSkinFile(QL_DEFAULT_SKIN);
        return s;
    }();
    return *skin;
}

TOwned<TForm> ShownForm(int w, int h) {
    TOwned<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, w, h);
    form->SetColor(clTeal);
    form->Show();
    Pump();
    return form;
}

HWND AddBareWindow(HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h,
                   const wchar_t* text) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void Capture(HWND wnd, TBitmap& out) {
    RECT r;
    GetWindowRect(wnd, &r);
    out.SetSize(r.right - r.left, r.bottom - r.top);
    TWindowDC dc(wnd);
    BitBlt(out.MemoryDC(), 0, 0, out.Width(), out.Height(), dc, 0, 0, SRCCOPY);
}

void CaptureClient(HWND wnd, const RECT& part, TBitmap& out) {
    out.SetSize(part.right - part.left, part.bottom - part.top);
    TClientDC dc(wnd);
    BitBlt(out.MemoryDC(), 0, 0, out.Width(), out.Height(), dc, part.left, part.top, SRCCOPY);
}

void Snapshot(HWND wnd, TBitmap& out) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    Capture(wnd, out);
}

TColor FramePixel(TBitmap& strip, int count, int frame, int x, int y, TColor back) {
    int fw = strip.Width() / count;
    TColor c = strip.Canvas().Pixel((frame - 1) * fw + x, y);
    return c == clFuchsia ? back : c;
}

int FrameMismatches(TBitmap& shot, POINT at, const RECT& area, TBitmap& strip, int count, int frame,
                    TColor back, bool keyedOnly) {
    int fw = strip.Width() / count, bad = 0;
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++) {
            TColor want = FramePixel(strip, count, frame, x, y, back);
            if (keyedOnly && strip.Canvas().Pixel((frame - 1) * fw + x, y) == clFuchsia) continue;
            bad += shot.Canvas().Pixel(at.x + x, at.y + y) != want;
        }
    return bad;
}

int CornerMismatches(TBitmap& shot, TDataSkinObject& skin, int frame, TColor back) {
    int fw = skin.Image.Width() / skin.Frame, fh = skin.Image.Height();
    int W = shot.Width(), H = shot.Height();
    const RECT& m = skin.Margins;
    int bad = 0;
    struct TCorner {
        RECT Src;
        POINT At;
    };
    const TCorner corners[] = {
        {{0, 0, m.left, m.top}, {0, 0}},
        {{fw - m.right, 0, fw, m.top}, {W - fw, 0}},
        {{0, fh - m.bottom, m.left, fh}, {0, H - fh}},
        {{fw - m.right, fh - m.bottom, fw, fh}, {W - fw, H - fh}},
    };
    for (const TCorner& c : corners)
        bad += FrameMismatches(shot, c.At, c.Src, skin.Image, skin.Frame, frame, back);
    return bad;
}
