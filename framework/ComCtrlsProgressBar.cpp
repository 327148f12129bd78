// TProgressBar: the common controls' progress bar.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

const TEnumNames ProgressBarOrientationNames{"pbHorizontal", "pbVertical"};

const TClassInfo& TProgressBar::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TProgressBar> b("TProgressBar", TRangeControl::StaticClassInfo());
        b.Creatable()
            .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax)
            .Int("Min", &TProgressBar::Min, &TProgressBar::SetMin)
            .Enum("Orientation", ProgressBarOrientationNames, &TProgressBar::Orientation,
                  &TProgressBar::SetOrientation)
            .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
            .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth)
            .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

TProgressBar::TProgressBar(TComponent* AOwner) : TRangeControl(AOwner, {}) {
    StoreBounds({0, 0, 150, 16});
}

int TProgressBar::WindowPosition() const {
    return int(SendTo(*this, PBM_GETPOS));
}

void TProgressBar::WriteRange() {
    Perform(PBM_SETRANGE32, FRange.Min, FRange.Max);
    WritePosition();
}

void TProgressBar::WritePosition() {
    Perform(PBM_SETPOS, FRange.Position);
}

void TProgressBar::SetStep(int v) {
    FStep = v;
    if (HandleAllocated()) Perform(PBM_SETSTEP, v);
}

// In 64 bits: a step near the int limits must not overflow.
void TProgressBar::StepIt() {
    int64_t p = int64_t(Position()) + FStep, width = int64_t(FRange.Max) - FRange.Min;
    if (p > FRange.Max) p = width > 0 ? FRange.Min + (p - FRange.Min) % width : FRange.Min;
    SetPosition(int(std::max<int64_t>(p, FRange.Min)));
}

void TProgressBar::StepBy(int delta) {
    int64_t p = int64_t(Position()) + delta;
    SetPosition(int(std::clamp<int64_t>(p, FRange.Min, FRange.Max)));
}

void TProgressBar::SetSmooth(bool v) {
    SetStyleField(*this, FSmooth, v);
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    if (v == FOrientation) return;
    TurnBounds();
    SetStyleField(*this, FOrientation, v);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
    TRangeControl::CreateParams(Params);
    NeedCommonControls(ICC_PROGRESS_CLASS);
    CreateSubClass(Params, PROGRESS_CLASSW);
    if (FSmooth) Params.Style |= PBS_SMOOTH;
    if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
    TRangeControl::CreateWnd();
    Perform(PBM_SETSTEP, FStep);
    WriteRange();
}
