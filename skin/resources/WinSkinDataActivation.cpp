// Switching skinning on and off, and keeping the skinned windows in step with the loaded skin: the
// skin data drives the process's skin manager through numbered actions.
#include "WinSkinData.h"

#include "SkinManagerLink.h"

namespace {
TSkinManagerAccess ManagerAccess = nullptr;
} // namespace

void RegisterSkinManagerAccess(TSkinManagerAccess access) {
    ManagerAccess = access;
}

TSkinManagerLink* SkinManagerOf(bool create) {
    return ManagerAccess ? ManagerAccess(create) : nullptr;
}

bool TSkinData::Quiet() const {
    return IsDesigning() || (ComponentState & csReading);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (IsDesigning()) return;
    if (!pGetScrollBarInfo) SkinControls.Exclude(xcScrollbar);
    TSkinManagerLink* manager = SkinManagerOf(true);
    if (manager) manager->AddSkinData(this);
    CreateCaptionFont();
    if (SkinFormtype != sfMainform || !manager) return;
    manager->InstallHook();
    // A skin that never loaded cannot be switched on; a later good load can.
    if (FActive && SkinPending) FActive = false;
    if (FActive) manager->RequestAction(this, saStart, SkinActionInterval);
    if (SkinControls.Contains(xcMainMenu))
        SkinControls.Exclude(xcMenuItem);
    else
        SkinControls.Exclude(xcSystemMenu);
}

void TSkinData::SetActive(bool value) {
    if (value == FActive) return;
    // While a skin is pending, turning on leaves Active off, so that a later good load activates.
    if (value && SkinPending && !Quiet() && SkinFormtype != sfDialog && SkinFormtype != sfDLL) return;
    FActive = value;
    if (Quiet() || SkinFormtype == sfDialog || SkinFormtype == sfDLL) return;
    TSkinManagerLink* manager = SkinManagerOf(true);
    if (!manager) return;
    if (value) manager->InstallHook();
    manager->RequestAction(this, value ? saStart : saStop, SkinActionInterval);
    if (value && SkinFormtype == sfMainform) manager->SetRunning();
}

void TSkinData::UpdateSkin() {
    if (Quiet()) return;
    TSkinManagerLink* manager = SkinManagerOf(false);
    if (!manager) {
        Loaded();
        manager = SkinManagerOf(false);
    }
    if (!manager) return;
    manager->DeleteSysbtn(this);
    if (manager->Running()) manager->RequestAction(this, saSkinChanged, SkinActionInterval);
}

void TSkinData::Unregister() {
    if (TSkinManagerLink* manager = SkinManagerOf(false)) manager->RemoveSkinData(this);
}

void TSkinData::DoFormSkin(HWND wnd, const std::string& className, bool& doSkin) {
    QueryWindow = wnd;
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32" || (SkinControls.Contains(xcFastReport) && className.starts_with("Tfr")))
        doSkin = false;
}

void TSkinData::DoSkinChanged() {
    OnSkinChanged(this);
}
