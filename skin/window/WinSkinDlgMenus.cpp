// The skin manager's menu windows: a skinner for each "#32768" window while skinning is on.
#include "WinSkinDlg.h"

#include <algorithm>

namespace {
// Which skin setting lets a menu window of that kind be skinned.
bool SkinAllowsMenu(const TSkinData& skin, int kind) {
    const TSkinControlTypes& c = skin.SkinControls;
    switch (kind) {
    case 1:
        return c.Contains(xcMainMenu) || c.Contains(xcMenuItem);
    case 2:
        return c.Contains(xcSystemMenu);
    default:
        return c.Contains(xcPopupMenu);
    }
}
} // namespace

bool TSkinManage::AddMenu(HWND wnd) {
    if (!Active || RunState == 4 || FindSkinMenu(wnd)) return false;
    TSkinData* skin = MainSkinData ? MainSkinData : (SkinDatas.empty() ? nullptr : SkinDatas.front());
    if (!skin || skin->SkinPending || !SkinAllowsMenu(*skin, PopupKind)) return false;
    auto menu = std::make_unique<TWinSkinPopMenu>(&Active);
    menu->FormPopup = FormPopup;
    menu->InitSkin(wnd, skin, nullptr);
    Menus.push_back(std::move(menu));
    return true;
}

// The skinner lets go of the window before it is freed; the last one resets what the next menu is.
void TSkinManage::DeleteMenu(HWND wnd) {
    auto it = std::find_if(Menus.begin(), Menus.end(), [wnd](auto& m) { return m->Handle == wnd; });
    if (it == Menus.end()) return;
    std::unique_ptr<TWinSkinPopMenu> gone = std::move(*it);
    Menus.erase(it);
    gone.reset();
    if (Menus.empty()) {
        PopupKind = 0;
        FormPopup = false;
    }
}

void TSkinManage::DeleteAllMenus() {
    Menus.clear();
    PopupKind = 0;
    FormPopup = false;
}

TWinSkinPopMenu* TSkinManage::FindSkinMenu(HWND wnd) const {
    auto it = std::find_if(Menus.begin(), Menus.end(), [wnd](auto& m) { return m->Handle == wnd; });
    return it == Menus.end() ? nullptr : it->get();
}

TWinSkinPopMenu* TSkinManage::FindMenuShowing(HMENU menu) {
    auto it = std::find_if(Menus.begin(), Menus.end(), [menu](auto& m) { return m->ShownMenu() == menu; });
    return it == Menus.end() ? nullptr : it->get();
}

void TSkinManage::MenuComing(int kind) {
    PopupKind = kind;
    SetPopMenu();
}

void TSkinManage::SetPopMenu() {
    FormPopup = true;
    for (auto& m : Menus)
        m->FormPopup = true;
}
