// TMenu and the menu bar TMainMenu: the root of the items, image list, owner drawing, lookups.
#include "Menus.h"

const TClassInfo& TMenu::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TMenu>("TMenu", TComponent::StaticClassInfo())
                                       .Obj<TImageList>("Images", &TMenu::Images, &TMenu::SetImages)
                                       .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
                                       .Build();
    return info;
}

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TMainMenu>("TMainMenu", TMenu::StaticClassInfo()).Creatable().Build();
    return info;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
}

void TMenu::SetImages(TImageList* v) {
    if (v == FImages) return;
    SetReference(FImages, v);
    Refresh();
}

void TMenu::SetOwnerDraw(bool v) {
    if (v == FOwnerDraw) return;
    FOwnerDraw = v;
    Refresh();
}

void TMenu::Refresh() {
    if (!FItems->HandleAllocated()) return;
    FItems->RebuildTree();
    MenuChanged(FItems, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        Refresh();
    }
}

bool TMenu::IsShortCut(TShortCut shortCut) const {
    TMenuItem* item = shortCut ? FindItem(shortCut, fkShortCut) : nullptr;
    if (!item) return false;
    for (TMenuItem* p = item; p; p = p->Parent())
        if (!p->Enabled() || !p->Visible()) return false;
    item->Click();
    return true;
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
    if (FWindowHandle) SendMessageW(FWindowHandle, CM_MENUCHANGED, Rebuild, reinterpret_cast<LPARAM>(Source));
}
