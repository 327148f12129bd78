// Scroll-bar controls: the overlay follows the control's place, range and position.
#include "SkinScControl.h"

#include "StdCtrls.h"

void TSkinScControl::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (Initialized) return;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    if (!Initialized || !Handle) return;
    Bar = std::make_unique<TWScrollbar>(*this, Handle, sbkControl, IsVertical());
    if (!Control->Visible()) Bar->HideScrollbar();
}

void TSkinScControl::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) {
    if (Initialized) return;
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    Bar = std::make_unique<TWScrollbar>(*this, Handle, sbkControl, IsVertical());
}

// A framework bar says so by its Kind; a bare one by its style.
bool TSkinScControl::IsVertical() const {
    if (auto* bar = dynamic_cast<TScrollBar*>(Control)) return bar->Kind() == sbVertical;
    return GetWindowLongEx(GWL_STYLE) & SBS_VERT;
}

void TSkinScControl::Unsubclass() {
    TSkinControl::Unsubclass();
    if (Status != ssDeleted) Bar.reset();
}

// The window goes when a new Kind remakes it; the skinner stays with the control.
bool TSkinScControl::BeforeProc(TMessage& Message) {
    if (Message.Msg != WM_NCDESTROY || !Control) return TSkinControl::BeforeProc(Message);
    if (!DefaultSurvived(Message)) return false;
    if (Bar) Bar->HideScrollbar();
    Handle = nullptr;
    return false;
}

void TSkinScControl::AfterProc(TMessage& Message) {
    if (Message.Msg == CM_RECREATEWND) return Recreated();
    if (!Bar || !Handle) return TSkinControl::AfterProc(Message);
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT:
        return Bar->SetPosition();
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_ENABLE_ARROWS:
    case CN_HSCROLL:
    case CN_VSCROLL:
        return Bar->Repaint();
    case CM_VISIBLECHANGED:
        return Message.WParam ? Bar->SetPosition() : Bar->HideScrollbar();
    }
    TSkinControl::AfterProc(Message);
}

// A new Kind makes the control's window anew: the overlay turns with it.
void TSkinScControl::Recreated() {
    Handle = RemadeHandle();
    if (Handle && Bar) Bar->Retarget(Handle, IsVertical());
}

void TSkinScControl::DrawControl(HDC, const RECT&) {
    if (Bar) Bar->Repaint();
}
