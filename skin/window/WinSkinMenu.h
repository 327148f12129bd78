// The skinned menus: the menu bar a skinned window draws in its frame (TWinSkinMenu and its items
// TMenuBtn), and the skinner of each pop-up menu window ("#32768") that paints the menu's border
// and background from the skin (TWinSkinPopMenu).
#pragma once

#include "Menus.h"
#include "NCObject.h"
#include "SubClass.h"
#include "WinSkinData.h"

#include <memory>
#include <string>
#include <vector>

class TWinSkinForm;

class TMenuBtn : public TNCObject {
  public:
    TMenuBtn(TWinSkinForm& form, TSkinData* skin) : TNCObject(form), SkinData(skin) {}
    void Draw() override;

    TMenuItem* FrameworkItem = nullptr;
    TSkinData* SkinData;
    int Index = 0;
    std::u16string Caption;
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT CommandId = 0;
};

class TWinSkinMenu : public TComponent {
  public:
    TWinSkinMenu(TWinSkinForm& form, TSkinData* skin);

    // The items of the window's menu (a framework form's main menu gives captions, states and
    // drop-downs of its items).
    void UpdataBtn(HMENU menu);
    void SetMenuRect();
    // The strip in window coordinates, composed off-screen and put on the DC in one blit.
    void DrawMenu(HDC dc, const RECT& strip);
    TMenuBtn* FindBtn(POINT p);
    TMenuBtn* FindBtnFromAccel(WPARAM charCode);
    TMenuBtn* FirstBtn();
    void DrawBtn(TMenuBtn& b);
    // Every item back to normal (a full repaint drew them so).
    void RestBtns();
    bool RightToLeft() const;

    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    TMainMenu* Menu = nullptr;
    RECT StripRect{};
    TSkinData* SkinData;
    TWinSkinForm& Form;
    TBitmap Background; // the strip as last painted
    int ItemCount = 0;
    bool Painting = false;
    HMENU MenuHandle = nullptr;

  private:
    void AddBtn(int index);
    void DrawCaption(HDC dc, const TMenuBtn& b, RECT r); // r in the DC's coordinates
};

struct TPopMenuKind {
    static constexpr wchar_t Property[] = L"QlSkinPopMenu";
};

class TWinSkinPopMenu : public TObject {
  public:
    // managerActive: while it is false every message passes on untouched.
    explicit TWinSkinPopMenu(const bool* managerActive);
    ~TWinSkinPopMenu() override;

    void InitSkin(HWND wnd, TSkinData* skin, HMENU menu);
    void UnSubClass();
    // The menu the window shows, asked of the window while the skinner knows none.
    HMENU ShownMenu();
    // The rendered background at the window's present size.
    TBitmap& RenderBackground();
    // Where the client area starts inside the window.
    POINT ClientOffset() const;

    bool Updated = false;
    HWND Handle = nullptr;
    TSkinData* SkinData = nullptr;
    TBitmap Background;
    HMENU MenuHandle = nullptr;
    bool FormPopup = false;

  private:
    void WinWndProc(TMessage& m);
    void Default(TMessage& m);
    void NcPaint(TMessage& m);
    void WMPrint(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    bool CanPaint() const;
    void PaintBorder(HDC dc);

    TSubclassOf<TPopMenuKind> FSubclass;
    const bool* FManagerActive;
    SIZE FRendered{};
};

// The skinner of the menu window painted last; null once that window is gone.
extern TWinSkinPopMenu* newskinmenu;

// The screen's menu font, bold for a default item; owned by the module.
HFONT MenuFont(bool bold = false);
