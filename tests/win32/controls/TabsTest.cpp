#include "TabsTest.h"

POINT UprightToWindow(const RECT& D, TSkinTabPosition P, int x, int y) {
    switch (P) {
    case StTop:
        return {D.left + x, D.top + y};
    case Stbottom:
        return {D.left + x, D.bottom - 1 - y};
    case Stleft:
        return {D.left + y, D.bottom - 1 - x};
    case Stright:
        break;
    }
    return {D.right - 1 - y, D.top + x};
}

SIZE UprightSize(const RECT& D, TSkinTabPosition P) {
    const LONG w = D.right - D.left, h = D.bottom - D.top;
    return P == StTop || P == Stbottom ? SIZE{w, h} : SIZE{h, w};
}

namespace {

// One corner: `Cols` x `Rows` pixels at the upright face's (fx, fy), the frame's at (sx, sy).
struct TCorner {
    int Cols, Rows, FaceX, FaceY, StripX, StripY;
};

int CornerMismatches(const TCapture& C, const RECT& D, TSkinTabPosition P, TBitmap& Strip, const TCorner& K) {
    int bad = 0;
    for (int y = 0; y < K.Rows; y++)
        for (int x = 0; x < K.Cols; x++) {
            COLORREF want = ImagePixel(Strip, K.StripX + x, K.StripY + y);
            if (want == RGB(255, 0, 255)) continue;
            POINT w = UprightToWindow(D, P, K.FaceX + x, K.FaceY + y);
            bad += C.At(w.x, w.y) != want;
        }
    return bad;
}

} // namespace

int FittedCornerMismatches(const TCapture& C, const RECT& D, TSkinTabPosition P, TBitmap& Strip, int Frame,
                           int Count, const RECT& Margins, bool OuterOnly) {
    const SIZE face = UprightSize(D, P);
    const int fw = Strip.Width() / Count, fh = Strip.Height(), x0 = fw * (Frame - 1);
    const int l = Margins.left, t = Margins.top, r = Margins.right, b = Margins.bottom;
    const TCorner corners[] = {
        {l, t, 0, 0, x0, 0},
        {r, t, face.cx - r, 0, x0 + fw - r, 0},
        {l, b, 0, face.cy - b, x0, fh - b},
        {r, b, face.cx - r, face.cy - b, x0 + fw - r, fh - b},
    };
    int bad = 0;
    for (int i = 0; i < (OuterOnly ? 2 : 4); i++)
        bad += CornerMismatches(C, D, P, Strip, corners[i]);
    return bad;
}

POINT Centre(const RECT& R) {
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

LPARAM At(POINT P) {
    return MAKELPARAM(P.x, P.y);
}

void ClickAt(HWND Wnd, POINT P) {
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(P));
    SendMessageW(Wnd, WM_LBUTTONUP, 0, At(P));
    Pump();
}
