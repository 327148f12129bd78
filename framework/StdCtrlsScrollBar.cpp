// TScrollBar: the system's SCROLLBAR class; its parent's scroll notifications come back to it.
#include "StdCtrls.h"

#include "ControlsPublish.h"

const TEnumNames ScrollBarKindNames{"sbHorizontal", "sbVertical"};

const TClassInfo& TScrollBar::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TScrollBar> b("TScrollBar", TWinControl::StaticClassInfo());
        b.Creatable()
            .Enum("Kind", ScrollBarKindNames, &TScrollBar::Kind, &TScrollBar::SetKind)
            .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::LargeChange)
            .Int("Max", &TScrollBar::Max, &TScrollBar::SetMax)
            .Int("Min", &TScrollBar::Min, &TScrollBar::SetMin)
            .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
            .Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
            .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SmallChange);
        PublishTabs(PublishLook(b));
        b.Event("OnChange", static_cast<TNotifyEvent TScrollBar::*>(&TScrollBar::OnChange))
            .Event("OnScroll", static_cast<TScrollEvent TScrollBar::*>(&TScrollBar::OnScroll));
        return b.Build();
    }();
    return info;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    StoreBounds({0, 0, 121, GetSystemMetrics(SM_CYHSCROLL)});
    SetTabStop(true);
}

// Turning the bar turns its bounds with it, except while a description says both.
void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

int TScrollBar::LastPosition() const {
    return std::max(FMin, FMax - std::max(FPageSize - 1, 0));
}

namespace {
void CheckRange(int min, int max, int page) {
    if (max < min || page < 0 || page > max - min + 1) throw Exception("Scrollbar property out of range");
}
} // namespace

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (!Loading()) CheckRange(AMin, AMax, FPageSize);
    FMin = AMin;
    FMax = AMax;
    int position = Loading() ? APosition : std::clamp(APosition, FMin, LastPosition());
    bool changed = position != FPosition;
    FPosition = position;
    UpdateScrollInfo();
    if (changed && !Loading()) Change();
}

void TScrollBar::SetPageSize(int v) {
    if (!Loading()) CheckRange(FMin, FMax, v);
    FPageSize = v;
    SetParams(FPosition, FMin, FMax);
}

// A description may give the values in any order: they are checked once all are there.
void TScrollBar::Loaded() {
    TWinControl::Loaded();
    CheckRange(FMin, FMax, FPageSize);
    FPosition = std::clamp(FPosition, FMin, LastPosition());
    UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo() {
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof(info), SIF_ALL, FMin, FMax, UINT(FPageSize), FPosition, 0};
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollInfo();
}

// The thumb's place while it is dragged, in full 32 bits (the notification carries only 16).
int TScrollBar::ScrollTarget(TScrollCode code) {
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, FPosition};
    switch (code) {
    case scLineUp:
        return FPosition - SmallChange;
    case scLineDown:
        return FPosition + SmallChange;
    case scPageUp:
        return FPosition - LargeChange;
    case scPageDown:
        return FPosition + LargeChange;
    case scPosition:
    case scTrack:
        GetScrollInfo(Handle(), SB_CTL, &info);
        return info.nTrackPos;
    case scTop:
        return FMin;
    case scBottom:
        return FMax;
    default:
        return FPosition;
    }
}

void TScrollBar::Scroll(TScrollCode code) {
    int position = ScrollTarget(code);
    OnScroll(this, code, position);
    SetPosition(position);
}

void TScrollBar::WndProc(TMessage& Message) {
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        if (LOWORD(Message.WParam) <= scEndScroll) Scroll(TScrollCode(LOWORD(Message.WParam)));
        return;
    }
    TWinControl::WndProc(Message);
}
