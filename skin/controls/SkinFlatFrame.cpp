// The flat frames of edits and combo boxes.
#include "SkinFlatFrame.h"

#include "GdiHandles.h"

bool HasBorder(HWND Wnd, const RECT& WindowR) {
    RECT client;
    if (!GetClientRect(Wnd, &client)) return false;
    return client.right != WindowR.right - WindowR.left && client.bottom != WindowR.bottom - WindowR.top;
}

void FrameRing(HDC DC, const RECT& R, int Inset, HBRUSH Brush) {
    RECT ring = R;
    InflateRect(&ring, -Inset, -Inset);
    if (ring.right > ring.left && ring.bottom > ring.top) FrameRect(DC, &ring, Brush);
}

void FrameRing(HDC DC, const RECT& R, int Inset, TColor Color) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
    FrameRing(DC, R, Inset, brush);
}

TExcludeInner::TExcludeInner(HDC DC, const RECT& Inner) : FDC(DC), FSaved(SaveDC(DC)) {
    ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
}

TExcludeInner::~TExcludeInner() {
    RestoreDC(FDC, FSaved);
}
