// The skin manager: the one object of the process that decides which windows get skinned. A CBT
// hook on the GUI thread sees each window activated and destroyed; skin-wide actions (start, stop,
// skin changed, re-skin one window) run one timer tick after a skin component asks for them.
#pragma once

#include "ExtCtrls.h"
#include "Hooks.h"
#include "SkinManagerLink.h"
#include "WinSkinForm.h"

#include <memory>
#include <string>
#include <vector>

class TCustomForm;

class TSkinManage : public TComponent, public TSkinManagerLink, public TSkinFormHost {
  public:
    explicit TSkinManage(TComponent* AOwner);
    void BeforeDestruction() override;
    ~TSkinManage() override;

    // The hook is installed once and removed when skinning stops or the manager goes.
    void InstallHook() override;
    void RemoveHook();
    bool HookInstalled() const { return FCBTHook.Installed(); }

    void AddSkinData(TSkinData* skin) override;
    void RemoveSkinData(TSkinData* skin) override;

    // Skins one window when every rule agrees; false when it does not.
    bool AddForm(HWND wnd);
    void ActiveForm(TCustomForm* form); // a visible top-level form
    // Un-skins and frees the window's skinner; false when it has none.
    bool DeleteForm(HWND wnd);
    void DeleteDeleted(); // frees the skinners whose windows are gone
    void DeleteAllForms();
    TWinSkinForm* FindSkinForm(HWND wnd) const;
    TCustomForm* FindTForm(HWND wnd) const;
    TSkinData* FindSkindata(HWND wnd) const;
    bool OnBeforeSkin(HWND wnd, const std::string& className) const;

    void SetAction(int code, unsigned interval);
    void OnTimer(TObject* Sender); // runs the pending action once
    void RequestAction(TSkinData* target, int code, unsigned interval) override;
    void SetRunning() override;
    bool Running() const override { return RunState == 1; }
    void DeleteSysbtn(TSkinData* skin) override;
    void DeleteSysbtn() { DeleteSysbtn(ActionTarget); }

    bool HideWhileSkinning() const override { return FHideWhileSkinning; }
    void FormActivated(TWinSkinForm& form) override;

    // Menu windows (WinSkinDlgMenus.cpp): each "#32768" window gets a skinner from its creation to
    // its destruction, when the skin allows the kind of menu it shows.
    bool AddMenu(HWND wnd);
    void DeleteMenu(HWND wnd);
    void DeleteAllMenus();
    TWinSkinPopMenu* FindSkinMenu(HWND wnd) const;
    TWinSkinPopMenu* FindMenuShowing(HMENU menu) override;
    void MenuComing(int kind) override;
    void SetPopMenu();

    // MDI (WinSkinDlgMDI.cpp).
    void MDIFrameFound(TWinSkinForm& frame, HWND client) override;
    void MDIChildCreated(HWND child) override;
    void SetMDIMax(bool maximized) override;
    bool MDIMaximized() const override { return FMDIMaximized; }
    HWND MDIClientWindow = nullptr;
    TWinSkinForm* MDIFrameForm = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    std::unique_ptr<TTimer> ActionTimer;
    std::vector<TWinSkinForm*> Forms; // owned here unless a framework form owns one
    std::vector<TSkinData*> SkinDatas;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> Menus;
    int PopupKind = 0; // 0 unknown, 1 a skinned window's menu bar, 2 its system menu
    bool FormPopup = false;
    bool Active = false;
    bool SkinNested = false; // also children of ordinary windows (only during action 1)
    int RunState = 0;        // 0 not started, 1 started, 4 shutting down
    int PendingAction = 0;
    TSkinData* ActionTarget = nullptr;
    TSkinData* MainSkinData = nullptr;
    HWND ChangeWindow = nullptr; // for action 7

  private:
    void Hooked(THookMessage& m);
    void WindowDestroyed(HWND wnd);
    TWinSkinForm* CreateSkinForm(HWND wnd, TCustomForm* form, TSkinData* skin);
    void Release(TWinSkinForm* form, bool repaint);
    void RunAction(int code, TSkinData* target);
    void Start();
    void Stop();
    void SkinChanged(TSkinData* target);
    void ReskinWindow();
    void ForgetSkin(TSkinData* skin);
    std::vector<TWinSkinForm*> FormsUsing(const TSkinData* skin) const;

    THook FCBTHook{WH_CBT, {}};
    bool FHideWhileSkinning = true;
    bool FMDIMaximized = false;
    void ForgetMDIFrame(const TWinSkinForm* form);
};

// The process's manager; cleared before the manager goes.
extern TSkinManage* SkinManager;
// Lets skin components make and drive the manager (owned by the application, freed with it).
void RegisterSkinManager();
// The manager goes now (tests; the application frees it at its end otherwise).
void FreeSkinManager();
