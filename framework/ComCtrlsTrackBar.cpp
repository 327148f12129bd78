// TTrackBar: the common controls' track bar; its scroll notices come back reflected.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

const TEnumNames TrackBarOrientationNames{"trHorizontal", "trVertical"};
const TEnumNames TickMarkNames{"tmBottomRight", "tmTopLeft", "tmBoth"};
const TEnumNames TickStyleNames{"tsNone", "tsAuto", "tsManual"};

namespace {
DWORD TrackBarStyle(TTrackBarOrientation orientation, TTickMark marks, TTickStyle ticks) {
    static const DWORD orientations[] = {TBS_HORZ, TBS_VERT};
    static const DWORD sides[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH}; // TBS_RIGHT and TBS_LEFT when vertical
    static const DWORD tickStyles[] = {TBS_NOTICKS, TBS_AUTOTICKS, 0};
    return orientations[orientation] | sides[marks] | tickStyles[ticks];
}
} // namespace

const TClassInfo& TTrackBar::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TTrackBar> b("TTrackBar", TRangeControl::StaticClassInfo());
        b.Creatable()
            .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax)
            .Int("Min", &TTrackBar::Min, &TTrackBar::SetMin)
            .Enum("Orientation", TrackBarOrientationNames, &TTrackBar::Orientation,
                  &TTrackBar::SetOrientation)
            .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
            .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
            .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
            .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
            .Enum("TickMarks", TickMarkNames, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
            .Enum("TickStyle", TickStyleNames, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
            .Event("OnChange", &TTrackBar::OnChange);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

// The control asks its parent for the background of its channel: the colour is the parent's.
TTrackBar::TTrackBar(TComponent* AOwner) : TRangeControl(AOwner, {0, 10, 0}) {
    StoreBounds({0, 0, 150, 45});
    SetTabStop(true);
}

int TTrackBar::WindowPosition() const {
    return int(SendTo(*this, TBM_GETPOS));
}

void TTrackBar::WriteRange() {
    Perform(TBM_SETRANGEMIN, FALSE, FRange.Min);
    Perform(TBM_SETRANGEMAX, FALSE, FRange.Max);
    WritePosition();
}

void TTrackBar::WritePosition() {
    Perform(TBM_SETPOS, TRUE, FRange.Position);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    if (v == FOrientation) return;
    TurnBounds();
    SetStyleField(*this, FOrientation, v);
}

void TTrackBar::SetFrequency(int v) {
    FFrequency = std::max(v, 1);
    if (HandleAllocated()) Perform(TBM_SETTICFREQ, FFrequency);
}

void TTrackBar::SetTickMarks(TTickMark v) {
    SetStyleField(*this, FTickMarks, v);
}

void TTrackBar::SetTickStyle(TTickStyle v) {
    SetStyleField(*this, FTickStyle, v);
}

void TTrackBar::SetTick(int value) {
    FTicks.push_back(value);
    if (HandleAllocated()) Perform(TBM_SETTIC, 0, value);
}

void TTrackBar::SetLineSize(int v) {
    FLineSize = v;
    if (HandleAllocated()) Perform(TBM_SETLINESIZE, 0, v);
}

void TTrackBar::SetPageSize(int v) {
    FPageSize = v;
    if (HandleAllocated()) Perform(TBM_SETPAGESIZE, 0, v);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
    TRangeControl::CreateParams(Params);
    NeedCommonControls(ICC_BAR_CLASSES);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= TrackBarStyle(FOrientation, FTickMarks, FTickStyle);
}

void TTrackBar::CreateWnd() {
    TRangeControl::CreateWnd();
    Perform(TBM_SETLINESIZE, 0, FLineSize);
    Perform(TBM_SETPAGESIZE, 0, FPageSize);
    Perform(TBM_SETTICFREQ, FFrequency);
    for (int t : FTicks)
        Perform(TBM_SETTIC, 0, t);
    WriteRange();
}

// Every move of the user's ends in a scroll notice; the program's own moves send none.
void TTrackBar::UserMoved() {
    int p = Position();
    if (p == FRange.Position) return;
    FRange.Position = p;
    OnChange(this);
}

void TTrackBar::WndProc(TMessage& Message) {
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) return UserMoved();
    TRangeControl::WndProc(Message);
}
