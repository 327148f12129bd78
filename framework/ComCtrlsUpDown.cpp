// TUpDown: the common controls' up-down control. It asks leave for each step with UDN_DELTAPOS and
// reports the step made with a scroll notice, both reflected back to it.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

#include <utility>

const TEnumNames UDOrientationNames{"udHorizontal", "udVertical"};
const TEnumNames UDAlignButtonNames{"udLeft", "udRight"};

const TClassInfo& TUpDown::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TUpDown> b("TUpDown", TRangeControl::StaticClassInfo());
        b.Creatable()
            .Enum("AlignButton", UDAlignButtonNames, &TUpDown::AlignButton, &TUpDown::SetAlignButton)
            .Bool("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys)
            .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
            .Int("Max", &TUpDown::Max, &TUpDown::SetMax)
            .Int("Min", &TUpDown::Min, &TUpDown::SetMin)
            .Enum("Orientation", UDOrientationNames, &TUpDown::Orientation, &TUpDown::SetOrientation)
            .Int("Position", &TUpDown::Position, &TUpDown::SetPosition)
            .Bool("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands)
            .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
            .Obj<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
            .Event("OnChanging", &TUpDown::OnChanging)
            .Event("OnClick", &TUpDown::OnClick);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

TUpDown::TUpDown(TComponent* AOwner) : TRangeControl(AOwner, {}) {
    StoreBounds({0, 0, 16, 24});
}

int TUpDown::WindowPosition() const {
    BOOL unreadable = FALSE;
    return int(SendTo(*this, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&unreadable)));
}

void TUpDown::WriteRange() {
    Perform(UDM_SETRANGE32, FRange.Min, FRange.Max);
    WritePosition();
}

// The associate shows it.
void TUpDown::WritePosition() {
    Perform(UDM_SETPOS32, 0, FRange.Position);
}

void TUpDown::SetIncrement(int v) {
    FIncrement = v;
    UDACCEL step{0, UINT(v)};
    if (HandleAllocated()) Perform(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

// The buttons go beside the associate, which keeps its size: the control's own alignment styles
// would shrink the associate again each time the buttons' window is made.
void TUpDown::SetAssociate(TWinControl* v) {
    if (v == FAssociate || v == this) return;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = v;
    if (v) v->FreeNotification(this);
    PlaceBesideAssociate();
    if (HandleAllocated()) SendBuddy();
}

void TUpDown::SetAlignButton(TUDAlignButton v) {
    FAlignButton = v;
    PlaceBesideAssociate();
}

void TUpDown::PlaceBesideAssociate() {
    if (!FAssociate || FAssociate->Parent() != Parent()) return;
    const TWinControl& a = *FAssociate;
    SetBounds(FAlignButton == udRight ? a.Left() + a.Width() : a.Left() - Width(), a.Top(), Width(),
              a.Height());
}

void TUpDown::SendBuddy() {
    Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate ? FAssociate->Handle() : nullptr));
    WritePosition();
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TRangeControl::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FAssociate) return;
    FAssociate = nullptr;
    if (HandleAllocated()) SendBuddy();
}

void TUpDown::SetOrientation(TUDOrientation v) {
    SetStyleField(*this, FOrientation, v);
}

void TUpDown::SetArrowKeys(bool v) {
    SetStyleField(*this, FArrowKeys, v);
}

void TUpDown::SetWrap(bool v) {
    SetStyleField(*this, FWrap, v);
}

void TUpDown::SetThousands(bool v) {
    SetStyleField(*this, FThousands, v);
}

void TUpDown::CreateParams(TCreateParams& Params) {
    TRangeControl::CreateParams(Params);
    NeedCommonControls(ICC_UPDOWN_CLASS);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT | (FOrientation == udHorizontal ? UDS_HORZ : 0) |
                    (FArrowKeys ? UDS_ARROWKEYS : 0) | (FWrap ? UDS_WRAP : 0) |
                    (FThousands ? 0 : UDS_NOTHOUSANDS);
}

void TUpDown::CreateWnd() {
    TRangeControl::CreateWnd();
    SetIncrement(FIncrement);
    WriteRange();
    if (FAssociate) SendBuddy();
}

void TUpDown::DeltaPos(TMessage& Message) {
    auto* n = reinterpret_cast<const NMUPDOWN*>(Message.LParam);
    FStepping = n->iDelta > 0 ? udbtNext : udbtPrev;
    bool allow = true;
    OnChanging(this, allow);
    Message.Result = allow ? 0 : 1;
}

// The control reports a refused step or one against an end too: only a move is a click.
void TUpDown::Scrolled(TMessage& Message) {
    if (LOWORD(Message.WParam) != SB_THUMBPOSITION) return;
    int p = Position();
    if (p == std::exchange(FRange.Position, p)) return;
    OnClick(this, FStepping);
}

void TUpDown::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CN_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(Message.LParam)->code == UDN_DELTAPOS) return DeltaPos(Message);
        break;
    case CN_HSCROLL:
    case CN_VSCROLL:
        return Scrolled(Message);
    }
    TRangeControl::WndProc(Message);
}
