// TRadioButton: a BUTTON that does not check itself; the object's state goes to the window, and
// checking one turns its siblings off.
#include "StdCtrls.h"

#include "ControlsPublish.h"

const TClassInfo& TRadioButton::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TRadioButton> b("TRadioButton", TButtonControl::StaticClassInfo());
        b.Creatable();
        PublishCaption(b)
            .Enum("Alignment", AlignmentNames, &TRadioButton::Alignment, &TRadioButton::SetAlignment)
            .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    StoreBounds({0, 0, 113, 17});
}

void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (HandleAllocated()) Perform(BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED);
    if (!v) return;
    TurnSiblingsOff();
    if (!Loading()) Click();
}

void TRadioButton::TurnSiblingsOff() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r != this)
            r->SetChecked(false);
}

void TRadioButton::SetAlignment(TAlignment v) {
    SetWindowValue(*this, FAlignment, v);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_RADIOBUTTON | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
        return;
    }
    TButtonControl::WndProc(Message);
}
