// The control skinners of one skinned window.
#include "SkinControlList.h"

#include "WinSubClass.h"

#include <algorithm>

TSkinControlList::TSkinControlList(TComponent* AOwner, TSkinData* ASkinData)
    : TComponent(AOwner), SkinData(ASkinData) {}

TSkinControlList::~TSkinControlList() {
    DeleteControls();
}

bool TSkinControlList::AddControlList(TSkinControl* Skinner) {
    if (std::find(FControls.begin(), FControls.end(), Skinner) != FControls.end()) return true;
    FControls.push_back(Skinner);
    return false;
}

void TSkinControlList::DeleteControl(TSkinControl* Skinner) {
    std::erase(FControls, Skinner);
    if (HoverControl == Skinner) HoverControl = nullptr;
}

void TSkinControlList::FreeSkinner(TSkinControl* Skinner) {
    DeleteControl(Skinner);
    if (Skinner->Form == this) Skinner->Form = nullptr;
    Skinner->Free();
}

void TSkinControlList::DeleteControls() {
    while (!FControls.empty()) {
        TSkinControl* s = FControls.back();
        if (s->Status != ssDeleted) s->Unsubclass();
        FreeSkinner(s);
    }
}

void TSkinControlList::DeleteSkinDeleted() {
    for (TSkinControl* s : std::vector<TSkinControl*>(FControls))
        if (s->Status == ssDeleted) FreeSkinner(s);
}

void TSkinControlList::SkinChange() {
    for (TSkinControl* s : std::vector<TSkinControl*>(FControls))
        s->SkinChange();
}

TSkinControl* TSkinControlList::FindSkinner(const TControl* Control) const {
    if (!Control) return nullptr;
    auto it = std::find_if(FControls.begin(), FControls.end(), [&](TSkinControl* s) {
        return s->Control == Control || s->GraphicControl == Control;
    });
    return it == FControls.end() ? nullptr : *it;
}

TSkinControl* TSkinControlList::FindSkinner(HWND Wnd) const {
    if (!Wnd) return nullptr;
    auto it =
        std::find_if(FControls.begin(), FControls.end(), [&](TSkinControl* s) { return s->Handle == Wnd; });
    return it == FControls.end() ? nullptr : *it;
}
