// Skin-wide actions: requested by a skin component, run once by the action timer's next tick.
#include "WinSkinDlg.h"

#include "Forms.h"

#include <algorithm>
#include <utility>

void TSkinManage::RequestAction(TSkinData* target, int code, unsigned interval) {
    ActionTarget = target;
    SetAction(code, interval);
}

// Before the first window is taken over, start and stop only switch new windows on or off; the
// pending action runs once the manager has started.
void TSkinManage::SetAction(int code, unsigned interval) {
    PendingAction = code;
    ActionTimer->SetEnabled(false);
    ActionTimer->SetInterval(interval);
    if (RunState != 0) {
        ActionTimer->SetEnabled(true);
        return;
    }
    if (code == saStart) Active = true;
    if (code == saStop) {
        Active = false;
        RemoveHook();
    }
}

void TSkinManage::OnTimer(TObject*) {
    ActionTimer->SetEnabled(false);
    int code = std::exchange(PendingAction, 0);
    TSkinData* target = ActionTarget;
    if (!target) return;
    RunAction(code, target);
    // The action may have removed the skin (its event handlers run on the way).
    if (code == saReskinWindow || ActionTarget != target) return;
    ActionTarget = nullptr;
    target->DoSkinChanged();
}

void TSkinManage::RunAction(int code, TSkinData* target) {
    switch (code) {
    case saStart:
        return Start();
    case saStop:
        return Stop();
    case saSkinChanged:
        return SkinChanged(target);
    case saReskinWindow:
        return ReskinWindow();
    }
}

// Every visible form, topmost last, gets skinned.
void TSkinManage::Start() {
    Active = true;
    FHideWhileSkinning = false;
    InstallHook();
    SkinNested = true;
    DeleteDeleted();
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (i < Screen->FormCount()) ActiveForm(Screen->Forms(i));
    SkinNested = false;
}

// Every window is given back and repainted; no hook stays behind.
void TSkinManage::Stop() {
    Active = false;
    DeleteDeleted();
    while (!Forms.empty())
        Release(Forms.front(), true);
    RemoveHook();
}

// The caption buttons of the old skin go first, everywhere, then each window takes the new skin.
void TSkinManage::SkinChanged(TSkinData* target) {
    DeleteDeleted();
    std::vector<TWinSkinForm*> forms = FormsUsing(target);
    for (TWinSkinForm* f : forms)
        f->DeleteSysbtn();
    for (TWinSkinForm* f : forms)
        if (std::find(Forms.begin(), Forms.end(), f) != Forms.end()) f->SkinChange();
}

void TSkinManage::ReskinWindow() {
    TWinSkinForm* form = FindSkinForm(ChangeWindow);
    if (!form) return;
    form->UnSubclass();
    DeleteDeleted();
    AddForm(ChangeWindow);
}
