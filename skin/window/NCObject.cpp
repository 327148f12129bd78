#include "NCObject.h"

#include "WinSkinForm.h"

void TNCObject::BecomeHot(int state) {
    Form.HotObject = this;
    State = state;
    Draw();
}

void TNCObject::MouseDown() {
    if (Form.HotObject && Form.HotObject != this) Form.HotObject->MouseLeave();
    if (Visible) BecomeHot(2);
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = 3;
    Draw();
}

void TNCObject::MouseEnter() {
    if (Form.HotObject == this) return;
    if (Form.HotObject) Form.HotObject->MouseLeave();
    if (Visible) BecomeHot(3);
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    if (Form.HotObject == this) Form.HotObject = nullptr;
    State = 1;
    Draw();
}

void TWinSysButton::Draw() {
    Form.DrawSysbtn(*this);
}
