#include "WinSkinDlg.h"

#include "ErrorSink.h"
#include "Forms.h"
#include "ManageRules.h"
#include "SkinMessages.h"

#include <algorithm>

TSkinManage* SkinManager = nullptr;

namespace {

TSkinManagerLink* ManagerAccess(bool create) {
    if (!SkinManager && create) SkinManager = new TSkinManage(Application);
    return SkinManager;
}

std::string ClassNameOf(HWND wnd) {
    char cls[256] = {};
    if (wnd) GetClassNameA(wnd, cls, sizeof cls);
    return cls;
}

TWindowFacts FactsOf(HWND wnd, const TCustomForm* form) {
    TWindowFacts w;
    w.ClassName = ClassNameOf(wnd);
    w.Style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
    w.ExStyle = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
    if (w.Style & WS_CHILD) w.ParentClass = ClassNameOf(GetParent(wnd));
    w.OurModule =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(wnd, GWLP_HINSTANCE)) == GetModuleHandleW(nullptr);
    w.FrameworkForm = form != nullptr;
    w.FormTag = form ? form->Tag : 0;
    RECT r{};
    GetWindowRect(wnd, &r);
    w.EmptyRect = IsRectEmpty(&r);
    return w;
}

} // namespace

void RegisterSkinManager() {
    RegisterSkinManagerAccess(ManagerAccess);
}

void FreeSkinManager() {
    if (SkinManager) SkinManager->Free();
}

// ---- Life ---------------------------------------------------------------------------------------

TSkinManage::TSkinManage(TComponent* AOwner)
    : TComponent(AOwner), ActionTimer(std::make_unique<TTimer>(nullptr)) {
    ActionTimer->SetEnabled(false);
    ActionTimer->SetInterval(100);
    ActionTimer->OnTimer.Bind(this, &TSkinManage::OnTimer);
    FCBTHook.OnHook.Bind(this, &TSkinManage::Hooked);
}

// Nobody reaches a manager that is going.
void TSkinManage::BeforeDestruction() {
    if (SkinManager == this) SkinManager = nullptr;
    TComponent::BeforeDestruction();
}

TSkinManage::~TSkinManage() {
    ActionTimer.reset();
    ActionTarget = nullptr;
    DeleteAllForms();
    DeleteAllMenus();
    RunState = 4;
    SkinDatas.clear();
    MainSkinData = nullptr;
    RemoveHook();
}

void TSkinManage::InstallHook() {
    FCBTHook.Install();
}

void TSkinManage::RemoveHook() {
    FCBTHook.Remove();
}

void TSkinManage::Hooked(THookMessage& m) {
    auto wnd = reinterpret_cast<HWND>(m.WParam);
    if (m.Code == HCBT_ACTIVATE) {
        SetRunning();
        AddForm(wnd);
    } else if (m.Code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(m.LParam);
        if (!(create->lpcs->style & WS_CHILD) && ClassNameOf(wnd) == "#32768") AddMenu(wnd);
    } else if (m.Code == HCBT_DESTROYWND) {
        DeleteMenu(wnd);
        WindowDestroyed(wnd);
    }
}

// A window without a framework form has nobody else to free its skinner.
void TSkinManage::WindowDestroyed(HWND wnd) {
    TWinSkinForm* form = FindSkinForm(wnd);
    if (!form || form->Form) return;
    form->SkinState = 4;
    Release(form, false);
}

void TSkinManage::SetRunning() {
    if (RunState != 0) return;
    RunState = 1;
    if (PendingAction) ActionTimer->SetEnabled(true);
}

void TSkinManage::FormActivated(TWinSkinForm&) {
    FHideWhileSkinning = false;
    SetRunning();
}

// ---- Skins --------------------------------------------------------------------------------------

void TSkinManage::AddSkinData(TSkinData* skin) {
    if (std::find(SkinDatas.begin(), SkinDatas.end(), skin) != SkinDatas.end()) return;
    SkinDatas.push_back(skin);
    if (!MainSkinData && skin->SkinFormtype == sfMainform) MainSkinData = skin;
}

void TSkinManage::RemoveSkinData(TSkinData* skin) {
    std::erase(SkinDatas, skin);
    ForgetSkin(skin);
}

// Nothing may act on or draw with a skin that is going.
void TSkinManage::ForgetSkin(TSkinData* skin) {
    if (ActionTarget == skin) {
        ActionTarget = nullptr;
        PendingAction = 0;
        if (ActionTimer) ActionTimer->SetEnabled(false);
    }
    if (MainSkinData == skin) {
        auto main = std::find_if(SkinDatas.begin(), SkinDatas.end(),
                                 [](TSkinData* s) { return s->SkinFormtype == sfMainform; });
        MainSkinData = main == SkinDatas.end() ? nullptr : *main;
    }
    for (TWinSkinForm* f : FormsUsing(skin))
        Release(f, true);
    std::erase_if(Menus, [skin](auto& m) { return m->SkinData == skin; });
}

std::vector<TWinSkinForm*> TSkinManage::FormsUsing(const TSkinData* skin) const {
    std::vector<TWinSkinForm*> forms;
    std::copy_if(Forms.begin(), Forms.end(), std::back_inserter(forms),
                 [skin](TWinSkinForm* f) { return f->SkinData == skin; });
    return forms;
}

void TSkinManage::DeleteSysbtn(TSkinData* skin) {
    for (TWinSkinForm* f : Forms)
        if (f->SkinData == skin) f->DeleteSysbtn();
}

TSkinData* TSkinManage::FindSkindata(HWND wnd) const {
    std::vector<TSkinCandidate> skins;
    for (TSkinData* s : SkinDatas) {
        auto* owner = dynamic_cast<TWinControl*>(s->Owner());
        skins.push_back({s, owner && owner->HandleAllocated() ? owner->Handle() : nullptr});
    }
    return ChooseSkin(skins, wnd, ClassNameOf(wnd));
}

bool TSkinManage::OnBeforeSkin(HWND wnd, const std::string& className) const {
    bool answer = true;
    if (!MainSkinData) return answer;
    if (RefusesPreview(*MainSkinData, className)) answer = false;
    MainSkinData->DoFormSkin(wnd, className, answer);
    return answer;
}

// ---- Windows ------------------------------------------------------------------------------------

bool TSkinManage::AddForm(HWND wnd) {
    if (!Active || RunState == 4 || !IsWindow(wnd)) return false;
    DeleteDeleted();
    if (SendMessageW(wnd, WM_SKINQUERY, 0, 0) == 1 || FindSkinForm(wnd)) return false;
    TCustomForm* form = FindTForm(wnd);
    TWindowFacts facts = FactsOf(wnd, form);
    if (!MaySkinWindow(facts, SkinNested) || !OnBeforeSkin(wnd, facts.ClassName)) return false;
    TSkinData* skin = FindSkindata(wnd);
    if (!skin || skin->SkinPending) return false;
    CreateSkinForm(wnd, form, skin);
    PostMessageW(wnd, WM_SKINACTIVATE, 0, 1000);
    return true;
}

TWinSkinForm* TSkinManage::CreateSkinForm(HWND wnd, TCustomForm* form, TSkinData* skin) {
    auto* skinForm = new TWinSkinForm(form);
    skinForm->Host = this;
    skinForm->FreeNotification(this);
    Forms.push_back(skinForm);
    try {
        if (form)
            skinForm->InitTform(skin, form);
        else
            skinForm->InitDlg(skin, wnd);
    } catch (...) {
        Release(skinForm, false);
        throw;
    }
    return skinForm;
}

void TSkinManage::ActiveForm(TCustomForm* form) {
    if (!form->HandleAllocated()) return;
    HWND wnd = form->Handle();
    if (IsWindowVisible(wnd) && !(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD)) AddForm(wnd);
}

void TSkinManage::Release(TWinSkinForm* form, bool repaint) {
    std::erase(Forms, form);
    ForgetMDIFrame(form);
    form->RemoveFreeNotification(this);
    HWND wnd = form->Handle;
    form->UnSubclass();
    form->Free();
    if (repaint && IsWindow(wnd))
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TSkinManage::DeleteForm(HWND wnd) {
    if (RunState == 4) return false;
    TWinSkinForm* form = FindSkinForm(wnd);
    if (form) Release(form, true);
    return form != nullptr;
}

void TSkinManage::DeleteDeleted() {
    if (RunState == 4) return;
    std::vector<TWinSkinForm*> gone;
    std::copy_if(Forms.begin(), Forms.end(), std::back_inserter(gone),
                 [](TWinSkinForm* f) { return f->SkinState == 6; });
    for (TWinSkinForm* f : gone)
        Release(f, false);
}

void TSkinManage::DeleteAllForms() {
    Active = false;
    while (!Forms.empty())
        Release(Forms.front(), false);
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND wnd) const {
    auto it = std::find_if(Forms.begin(), Forms.end(), [wnd](TWinSkinForm* f) { return f->Handle == wnd; });
    return it == Forms.end() ? nullptr : *it;
}

TCustomForm* TSkinManage::FindTForm(HWND wnd) const {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->HandleAllocated() && f->Handle() == wnd) return f;
    }
    return dynamic_cast<TCustomForm*>(FindControlx(wnd));
}

// A skinner freed by its framework form leaves the list.
void TSkinManage::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    std::erase_if(Forms, [AComponent](TWinSkinForm* f) { return static_cast<TComponent*>(f) == AComponent; });
    if (static_cast<TComponent*>(MDIFrameForm) == AComponent) ForgetMDIFrame(MDIFrameForm);
}
