// The form skinner: takes one top-level window over and draws its whole frame from the skin (the
// four border strips, the title bar with its caption text, icon and buttons, the menu bar strip),
// gives it a region cut from the skin's magenta and keeps its client area the same size. It puts
// everything back (procedure, form handler, styles, region, menu, colour, size) when it lets go.
#pragma once

#include "ExtCtrls.h"
#include "FormRules.h"
#include "FrameGeometry.h"
#include "Hooks.h"
#include "NCObject.h"
#include "SkinControlList.h"
#include "StripCache.h"
#include "SubClass.h"
#include "WinSkinData.h"
#include "WinSkinMenu.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;

class TWinSkinForm;

// What a form skinner asks of whoever made it (the skin manager).
class TSkinFormHost {
  public:
    // While on, a window stays hidden from take-over to activation, so its old frame never flashes.
    virtual bool HideWhileSkinning() const = 0;
    virtual void FormActivated(TWinSkinForm& form) = 0;
    // The next menu window belongs to a skinned window's menu bar (1) or system menu (2).
    virtual void MenuComing(int) {}
    // The skinner of the menu window showing that menu; null when there is none.
    virtual TWinSkinPopMenu* FindMenuShowing(HMENU) { return nullptr; }
    // MDI: the frame and its client were found; a child was made by the client; whether a child
    // is maximized (every child switches between its skinned and its maximized look).
    virtual void MDIFrameFound(TWinSkinForm&, HWND) {}
    virtual void MDIChildCreated(HWND) {}
    virtual void SetMDIMax(bool) {}
    virtual bool MDIMaximized() const { return false; }

  protected:
    ~TSkinFormHost() = default;
};

struct TFormSkinKind {
    static constexpr wchar_t Property[] = L"QlSkinForm";
};

struct TMDIClientSkinKind {
    static constexpr wchar_t Property[] = L"QlSkinMDIClient";
};

class TWinSkinForm : public TComponent {
  public:
    explicit TWinSkinForm(TComponent* AOwner = nullptr);
    ~TWinSkinForm() override;

    // Take-over of a framework form (window procedure and the form's handler), or of any window.
    void InitTform(TSkinData* skin, TCustomForm* form);
    void InitDlg(TSkinData* skin, HWND wnd);
    // Gives the window back as it was.
    void UnSubclass();
    void SkinChange();
    // The caption buttons go before the button list they were made from (a new skin replaces it).
    void DeleteSysbtn();

    void UpdateNc(HDC dc); // the whole frame; dc 0: the window's own DC
    // redraw false: the region changes quietly and the caller paints the frame itself.
    void Cropwindow(bool redraw = true);
    void Uncropwindow();
    void ResizeForm(bool keepClient);
    void Refresh(); // the frame is measured and painted anew

    // Caption buttons and the window commands (WinSkinFormButtons.cpp).
    bool Checkvisible(size_t i);
    void SetSysbtnRect();
    TWinSysButton* FindBtn(POINT p);
    void DrawSysbtn(TWinSysButton& b);
    void SysBtnAction(POINT screen);
    void Maximize();
    void Restore();
    void Minimize();
    void MDIChildAction(UINT command);
    bool CheckSysmenu(); // SC_CLOSE is in the system menu and enabled
    void PopSysmenu(POINT screen);
    POINT GetWinXY(POINT screen) const;

    // MDI frames and children (WinSkinFormMDI.cpp).
    void SubclassMDI();
    void UnSubclassMDI(); // harmless when not subclassed
    bool MDIClientSubclassed() const { return FMDISubclass.Attached(); }
    bool MDIChildMax() const; // the frame's active child is maximized
    // A child's look follows whether some child of its frame is maximized.
    void MDIMaxChanged(bool maximized);
    // The maximized child's buttons at the right end of the menu strip; dc holds the strip.
    void DrawMDIButtons(HDC dc, const RECT& strip);

    // The menu bar (WinSkinFormMenu.cpp). CheckMenu opens the item's drop-down and runs the menu
    // loop, sliding on to other items as the user moves; true when a drop-down was shown.
    bool CheckMenu(TMenuBtn& item);
    void ClickButton(TMenuBtn& item);
    void CancelMenu();
    void MenuSelect(TMessage& m);
    TMenuBtn* FindButtonFromAccel(WPARAM charCode);
    bool MenuHookInstalled() const { return FMenuHook.Installed(); }
    // Owner-drawn menu items and the skinned system menu (WinSkinFormMenuDraw.cpp).
    void InitMainMenu(bool on);
    void DrawMenuItem(TObject* Sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state);
    void MeasureItem(TObject* Sender, TCanvas& canvas, int& width, int& height);
    void MeasureItemPop(TObject* Sender, TCanvas& canvas, int& width, int& height);
    void CreateSysmenu2();
    void DoSysMenu2(TObject* Sender);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TSkinFormHost* Host = nullptr; // none: the window is never hidden

    HWND Handle = nullptr;
    TCustomForm* Form = nullptr;
    TSkinData* SkinData = nullptr;
    int SkinState = 0; // 0 waiting for activation, 1 active, 3 skin changing, 4 destroying, 5 sizing, 6 gone
    bool SkinFrame = false, Activated = false, Active = true;
    TFrameGeometry Frame;
    TSkinFormStyle FormStyle = sfsNormal;
    TSkinFormBorder BorderStyle = sbsSingle;
    TSkinFormIcons BorderIcons;
    TSkinWindowState WindowState = swsNormal;
    bool LeftScrollBar = false, Sizeable = false, IsUnicode = true, IsDialogBox = false,
         IsChildWindow = false;
    std::string WindowClassName;
    HWND OwnerWindow = nullptr, MDIClient = nullptr;
    HMENU MenuHandle = nullptr, SysMenuHandle = nullptr;
    RECT SavedClientRect{};
    SIZE NonClientSize{}; // what the window's own frame took
    int FrameWidth = 0, FrameHeight = 0, RegionWidth = 0, RegionHeight = 0;
    RECT ScreenRect{};
    std::u16string CaptionText; // dialog boxes only: the caption their width is fitted to
    int CaptionTextWidth = 0;
    HICON IconHandle = nullptr;
    int IconSize = 0;
    TBitmap IconBitmap, FrameBitmap;
    std::unique_ptr<TTimer> HoverTimer;
    std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
    // The skinners of the window's controls, attached at activation.
    std::unique_ptr<TSkinControlList> Controls;
    TNCObject* HotObject = nullptr;
    TNCObject* Pressed = nullptr;                     // the object a left button went down on
    std::array<std::array<TStripCache, 2>, 4> Strips; // per border, per frame
    int TitleCompositions = 0;
    std::unique_ptr<TWinSkinMenu> MenuBar; // a window with a menu, once activated
    bool InMenuLoop = false;
    int OpenIndex = -1;                  // the bar item whose drop-down is open
    int MenuLoops = 0;                   // menu loops run (the hook was installed for each once)
    std::unique_ptr<TPopupMenu> SysMenu; // the skinned system menu, built anew each time

  private:
    // Take-over (WinSkinForm.cpp).
    void InitSkin(TSkinData* skin, HWND wnd);
    void ReadWindow();
    void FindMDIClient();
    void InitSkinData();
    void StopUpdate();
    void BeginUpdate();
    void ShowTakenOver();
    void EnableSysbtn(bool on);
    void UpdateStyle(bool paint);
    void GetBorderSize();
    void Activate();
    void RestoreSize();
    int WidenForCaption(int width);
    int CaptionRoom();
    void ShiftChildren(int dx);
    DWORD Style() const;
    void SetStyle(DWORD style);
    bool Minimized() const { return WindowState == swsMin; }
    bool Maximized() const { return WindowState == swsMax; }
    void ReadWindowState();

    // Painting (WinSkinFormFrame.cpp).
    bool CanPaint() const;
    void PaintFrame(HDC dc);
    void PaintStrips(HDC dc, SIZE size);
    TBitmap* Strip(TBorderIndex index, SIZE size);
    void ComposeTitle(SIZE size);
    void ComposeMinimized(SIZE size);
    void DrawCaption(HDC dc, SIZE size);
    RECT CaptionTextRect(SIZE size) const;
    void DrawAllSysbtn(HDC dc);
    void DrawButtonFrame(HDC dc, const RECT& r, TWinSysButton& b, int frame);
    void DrawIcon(HDC dc, const RECT& r);
    void GetIcon();
    void RestButtons();
    void CropTo(SIZE size, bool redraw);
    TGdiHandle<HRGN> BuildRegion(SIZE size);
    void AddSideRegion(HRGN region, TBorderIndex index, const RECT& r);

    // Messages (WinSkinFormMessages.cpp).
    void WinWndProc(TMessage& m);
    void NewWndProc(TMessage& m);
    bool Level1(TMessage& m);
    bool Level2(TMessage& m);
    void Level3(TMessage& m);
    void Default(TMessage& m);
    void WinMDIProc(TMessage& m);
    void DefaultMDI(TMessage& m);
    bool MDIFrameSkinned() const;
    void MDIDestroyed();
    void MDIMenuSet(TMessage& m);
    void MDIRepaint();
    void ButtonBackground(HDC dc, const TWinSysButton& b, SIZE size);
    void WMNCCalcSize(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMNCActivate(TMessage& m);
    void WMSize(TMessage& m);
    void WMWindowPosChanging(TMessage& m);
    bool RegionFollowsSize() const;
    void WMGetMinMaxInfo(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMCtlColor(TMessage& m);
    void WMSetText(TMessage& m);
    void WMNCDestroy(TMessage& m);
    void WMSetIcon(TMessage& m);
    bool NCMouse(TMessage& m);

    // Non-client mouse (WinSkinFormButtons.cpp).
    void WMNCHitTest(TMessage& m);
    bool WMNCMouseMove(TMessage& m);
    bool WMNCLButtonDown(TMessage& m);
    bool WMNCLButtonUp(TMessage& m);
    bool WMNCLButtonDblClk(TMessage& m);
    bool WMNCRButtonUp(TMessage& m);
    TWinSysButton* ButtonAt(LPARAM screenPoint);
    TButtonScene Scene() const;
    TButtonPlace Place() const;
    SIZE ButtonSize(const TWinSysButton& b) const;
    void PostClose(UINT command);
    void OnTimer(TObject* Sender);
    void EndControlHover();
    TNCObject* ObjectAt(LPARAM screenPoint);

    // The menu bar (WinSkinFormMenu.cpp).
    void InitMenuBar();
    void DetachMenu();
    void MenuChanged();
    void RebuildMenuBar(); // from MenuHandle, then the strip repainted
    bool OpenDropDown(int index);
    void TidyDropDown(TMenuItem& item);
    void MenuFilter(THookMessage& h);
    int KeyTarget(WPARAM key);
    int MouseTarget(POINT screen);
    void SwitchTo(int index);
    bool WMSysKeyMenu(TMessage& m);
    void CMDialogChar(TMessage& m);
    bool WMCommand(TMessage& m);
    // Owner drawing (WinSkinFormMenuDraw.cpp).
    void MakeOwnerDrawn(HMENU menu);
    void RestoreOwnerDrawn();
    void DrawItemText(TMenuItem& item, HDC dc, bool selected, const RECT& rect);
    void DrawItemBackground(TMenuItem& item, HDC dc, const RECT& rect);
    void AddSysMenuItem(HMENU sys, int index);

    TSubclassOf<TFormSkinKind> FSubclass;
    TSubclassOf<TMDIClientSkinKind> FMDISubclass;
    bool FSavedMenuUpdate = true, FMenuUpdateSaved = false; // the skin's switch at take-over
    TWndMethod FOldWindowProc;                              // the form's handler before ours
    bool FFormHooked = false;
    bool FVisibleCleared = false;
    bool FMenuDetached = false;
    TColor FSavedColor = clNone;
    DWORD FLastSysMenuTick = 0, FDoubleClickTime = 0;
    TGdiHandle<HFONT> FCaptionFont;
    THook FMenuHook{WH_MSGFILTER, {}};
    int FSwitchTo = -1;
    POINT FLastCursor{};
    std::vector<std::pair<HMENU, UINT>> FOwnerDrawn; // native items made owner-drawn for one loop
    friend class TMenuLoopGuard;
    // The composed title bar is reused while nothing it shows has changed.
    struct TTitleKey {
        int Width = 0, Height = 0;
        bool Active = false, Minimized = false;
        TSkinWindowState State = swsNormal;
        std::u16string Text;
        HICON Icon = nullptr;
        bool operator==(const TTitleKey&) const = default;
    };
    TTitleKey FTitleKey;
    bool FTitleValid = false;
    TTitleKey TitleKey(SIZE size) const;
    std::u16string WindowText() const;
    // Cleared when the object goes, so code that pumped messages can tell.
    std::shared_ptr<int> FLife = std::make_shared<int>();
};
