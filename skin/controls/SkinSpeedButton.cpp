// Speed buttons.
#include "SkinSpeedButton.h"

#include "Buttons.h"
#include "Guards.h"
#include "SkinDraw.h"

void TSkinSpeedButton::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    TSkinBitButton::Init(AForm, ASkinData, ACanvas, AParentBK);
    GraphicControl = Control;
}

RECT TSkinSpeedButton::Face() const {
    return {0, 0, Control->Width(), Control->Height()};
}

bool TSkinSpeedButton::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        if (!Message.WParam) break;
        if (!FPaintingParent) PaintControl(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (DefaultSurvived(Message)) Invalidate();
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinSpeedButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        MouseEntered();
        return Invalidate();
    case CM_MOUSELEAVE:
        MouseLeft();
        if (Control->Visible()) Invalidate();
        return;
    case WM_LBUTTONUP:
        return Invalidate();
    }
    TSkinControl::AfterProc(Message);
}

void TSkinSpeedButton::PaintControl(HDC DC) {
    try {
        if (DC) return DrawControl(DC, Face());
        TWinControl* parent = Control->Parent();
        if (!parent || !parent->HandleAllocated()) return;
        TClientDC dc(parent->Handle());
        SetViewportOrgEx(dc, Control->Left(), Control->Top(), nullptr);
        DrawControl(dc, Face());
    } catch (...) { // the control stays as painted so far
    }
}

void TSkinSpeedButton::ReadState() {
    Focused = false;
    Enabled = Control->Enabled();
    Caption = GetStringProp(Control, "Caption");
}

TButtonFrame TSkinSpeedButton::FaceFrame() const {
    auto* button = static_cast<TSpeedButton*>(Control);
    bool down = button->State() == bsDown || button->State() == bsExclusive;
    if (!Enabled) return bfDisabled;
    return down ? bfPressed : State.Contains(scMouseIn) ? bfHot : bfNormal;
}

void TSkinSpeedButton::PaintBackground(HDC DC, const RECT& R) {
    TRestore<bool> painting(FPaintingParent, true);
    TSkinBitButton::PaintBackground(DC, R);
}
