// The skin frames a control skinner draws.
#include "SkinMap.h"

#include "SkinDraw.h"

namespace {

bool Inverted(const RECT& R) {
    return R.right < R.left || R.bottom < R.top;
}

} // namespace

void DrawSkinMap(HDC DC, const RECT& R, TDataSkinObject& Object, int Frame, int Count) {
    if (Inverted(R) || Object.Image.Empty()) return;
    DrawRect2(DC, R, Object.Image, Object.Margins, Frame, Count, Object.Trans == 1, Object.Tile != 0, false);
}

void DrawSkinMap2(HDC DC, const RECT& R, TBitmap& Strip, int Frame, int Count) {
    if (Inverted(R) || Strip.Empty()) return;
    DrawRect1(DC, R, Strip, Frame, Count, true);
}
