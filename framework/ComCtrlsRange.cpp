#include "ComCtrlsRange.h"

const TClassInfo& TRangeControl::StaticClassInfo() {
    static const TClassInfo info{"TRangeControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

TRangeControl::TRangeControl(TComponent* AOwner, const TRangeValues& initial)
    : TWinControl(AOwner), FRange(initial) {
    SetColor(clBtnFace);
    SetParentColor(true);
}

int TRangeControl::Position() const {
    return HandleAllocated() ? WindowPosition() : FRange.Position;
}

void TRangeControl::SetPosition(int v) {
    FRange.SetPosition(v);
    if (HandleAllocated()) WritePosition();
}

void TRangeControl::SetMin(int v) {
    FRange.Position = Position();
    FRange.SetMin(v);
    if (HandleAllocated()) WriteRange();
}

void TRangeControl::SetMax(int v) {
    FRange.Position = Position();
    FRange.SetMax(v);
    if (HandleAllocated()) WriteRange();
}

void TRangeControl::TurnBounds() {
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
}

void TRangeControl::DestroyWnd() {
    FRange.Position = Position();
    TWinControl::DestroyWnd();
}
