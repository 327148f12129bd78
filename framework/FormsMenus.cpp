// A form's menu bar, its shortcuts, and the menu messages its window gets.
#include "Forms.h"

void TCustomForm::SetMenu(TMainMenu* v) {
    if (v == FMenu) return;
    DetachMenu();
    SetReference(FMenu, v);
    AttachMenu();
}

// An MDI child shows no menu bar of its own. A frame tells its client, which keeps a maximized
// child's buttons on the bar.
void TCustomForm::AttachMenu() {
    if (!FMenu || !HandleAllocated() || FFormStyle == fsMDIChild) return;
    HWND wnd = Handle();
    FMenu->SetWindowHandle(wnd);
    if (FClient)
        SendMessageW(FClient.get(), WM_MDISETMENU, reinterpret_cast<WPARAM>(FMenu->Handle()), 0);
    else
        ::SetMenu(wnd, FMenu->Handle());
    DrawMenuBar(wnd);
}

// The menu handle belongs to the items: a window destroyed with it attached would destroy it too.
void TCustomForm::DetachMenu() {
    if (!FMenu) return;
    FMenu->SetWindowHandle(nullptr);
    if (HandleAllocated() && FMenu->Items()->HandleAllocated() && GetMenu(Handle()) == FMenu->Handle())
        ::SetMenu(Handle(), nullptr);
}

void TCustomForm::ForgetMenus(TComponent* AComponent) {
    if (AComponent == FMenu) {
        DetachMenu();
        FMenu = nullptr;
    }
    ForgetReference(FWindowMenu, AComponent);
}

bool TCustomForm::IsShortCut(TShortCut shortCut) {
    if (FMenu && FMenu->IsShortCut(shortCut)) return true;
    TCustomForm* frame = FFormStyle == fsMDIChild ? MDIFrame() : nullptr;
    return frame && frame->IsShortCut(shortCut);
}

bool TCustomForm::MenuMessage(TMessage& Message) {
    switch (Message.Msg) {
    case CM_MENUCHANGED:
        if (HandleAllocated() && GetMenu(Handle())) {
            // a rebuilt drop-down lost the client's list of children
            if (FClient) SendMessageW(FClient.get(), WM_MDIREFRESHMENU, 0, 0);
            DrawMenuBar(Handle());
        }
        return true;
    case WM_DESTROY:
        DetachMenu();
        return false;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return DispatchMenuMessage(Message);
    }
    return false;
}
