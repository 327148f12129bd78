// A control's pop-up menu: shown where the user asked for a context menu.
#include "Controls.h"

#include "Menus.h"

#include <windowsx.h>

void TControl::SetPopupMenu(TPopupMenu* v) {
    SetReference(FPopupMenu, v);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) ForgetReference(FPopupMenu, AComponent);
}

// From the keyboard (lParam -1) the menu opens at the control's top-left corner (a form's bounds are
// in screen coordinates already).
bool TControl::ContextPopup(TMessage& Message) {
    if (!FPopupMenu || !FPopupMenu->AutoPopup) return false;
    POINT at{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    if (Message.LParam == -1) {
        at = {FLeft, FTop};
        if (FParent) ClientToScreen(FParent->Handle(), &at);
    }
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(at.x, at.y);
    Message.Result = 1;
    return true;
}
