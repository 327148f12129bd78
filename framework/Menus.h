// Menus: a form's menu bar (TMainMenu), pop-up menus (TPopupMenu) and their items (TMenuItem).
// Every item owns a menu handle of its own; its parent shows it as a sub-menu once it has items, and
// the native items follow the objects' properties as they change.
#pragma once

#include "Graphics.h"
#include "ImgList.h"
#include "Messages.h"
#include "WindowOwner.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class TMenu;

class EMenuError : public Exception {
    using Exception::Exception;
};

// A key with its modifiers: the virtual key in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Shift+Ctrl+S", "F5", "Del"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The key with the modifiers held down now.
TShortCut ShortCutOfKey(WPARAM key);
// True when the caption's accelerator ("&x", not "&&") is the character, in any case.
bool IsAccel(WPARAM charCode, const std::string& caption);
// The caption without its accelerator marks ("&&" stays one "&").
std::string StripHotkey(const std::string& caption);

// ODS_* bits of the item being drawn.
using TOwnerDrawState = UINT;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas&, int&, int&>;
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas&, const RECT&, bool>;
using TAdvancedMenuDrawItemEvent = TEvent<TObject*, TCanvas&, const RECT&, TOwnerDrawState>;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenuItem : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    // The tree. Items are freed by their parent; an item freed on its own leaves its parent.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int i) const { return FItems.at(static_cast<size_t>(i)); }
    TMenuItem* Parent() const { return FParent; }
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item); // EMenuError for an item with a parent or a bad index
    void Remove(TMenuItem* item);
    void Clear();
    TMenuItem* Find(const std::string& caption) const; // accelerator marks ignored
    TMenu* GetParentMenu() const;
    // A description nests items in their menu or in their parent item.
    void SetParentComponent(TComponent* AParent) override;
    TComponent* GetParentComponent() const override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v); // a radio item unchecks the radio items of its group beside it
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool Default() const { return FDefault; } // shown in bold; one per menu
    void SetDefault(bool v);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    int ImageIndex() const { return FImageIndex; } // in the menu's Images; -1: none
    void SetImageIndex(int v);
    bool AutoCheck = false; // clicking toggles Checked (selects a radio item)
    std::string Hint;

    // The command of WM_COMMAND, unique in the process.
    UINT Command() const { return FCommand; }
    HMENU Handle(); // made on demand with the visible items
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }

    virtual void Click();
    // Owner-drawn items: the default size (the caption in the menu font beside the glyph box), then
    // OnMeasureItem; drawing goes to OnAdvancedDrawItem, else OnDrawItem, else DrawDefault.
    void MeasureItem(TCanvas& ACanvas, int& Width, int& Height);
    void DrawItem(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State);
    void DrawDefault(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State);
    // The item's image centred in the box (framed when checked); false when it has none.
    bool DrawImage(TCanvas& ACanvas, const RECT& Box, bool Enabled);
    // An item of the menu bar itself.
    bool IsTopLevel() const;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  private:
    friend class TMenu;
    struct TDestroyMenu {
        void operator()(HMENU h) const;
    };
    bool IsOwnerDraw() const;
    bool HasImage() const;
    TImageList* Images() const;
    void DrawCheck(TCanvas& ACanvas, const RECT& Box);
    MENUITEMINFOW NativeInfo(std::u16string& text);
    void UpdateNative();
    void RebuildHandle();
    void RebuildTree();
    void ChildrenChanged();
    void Changed(bool rebuild);
    template <class T> void Change(T& field, const T& value, bool rebuild);
    std::vector<TMenuItem*> Siblings() const;
    void Detach();

    std::string FCaption;
    bool FChecked = false, FRadioItem = false, FEnabled = true, FVisible = true, FDefault = false;
    int FGroupIndex = 0, FImageIndex = -1;
    TShortCut FShortCut = 0;
    UINT FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
    std::unique_ptr<std::remove_pointer_t<HMENU>, TDestroyMenu> FHandle;
};

class TMenu : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TMenu(TComponent* AOwner);

    TMenuItem* Items() const { return FItems; } // the root: its items are the menu's
    HMENU Handle() { return FItems->Handle(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    // Every item drawn by its handlers or the default drawing (applied to the native items at once).
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool v);
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // Clicks the enabled, visible item with that shortcut; false when there is none.
    bool IsShortCut(TShortCut shortCut) const;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    friend class TMenuItem;
    // An item changed; rebuild: items came, went, or were shown or hidden.
    virtual void MenuChanged(TMenuItem*, bool) {}
    virtual bool IsMenuBar() const { return false; }

  private:
    void Refresh();

    TMenuItem* FItems;
    TImageList* FImages = nullptr;
    bool FOwnerDraw = false;
};

class TMainMenu : public TMenu {
    QL_CLASS_INFO()
  public:
    using TMenu::TMenu;
    // The window showing the menu bar: the form sets it, and it hears CM_MENUCHANGED on every change.
    HWND WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND v) { FWindowHandle = v; }

  protected:
    void MenuChanged(TMenuItem* Source, bool Rebuild) override;
    bool IsMenuBar() const override { return true; }

  private:
    HWND FWindowHandle = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
extern const TEnumNames PopupAlignmentNames;

class TPopupMenu : public TMenu {
    QL_CLASS_INFO()
  public:
    using TMenu::TMenu;
    // Shows the menu at a screen point; a chosen item is clicked once the menu has closed.
    virtual void Popup(int X, int Y);
    // The control it was last shown for; null once that control is freed.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v);
    TPopupAlignment Alignment = paLeft;
    bool AutoPopup = true; // shown by its control on WM_CONTEXTMENU
    TNotifyEvent OnPopup;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    HWND OwnerWindow();
    TComponent* FPopupComponent = nullptr;
    TWindowOwner FOwnerWindow; // hidden; hears what the system says about the shown menu
};

// The item with that command, menu handle or shortcut in any menu of the process; null when none.
TMenuItem* FindMenuItem(UINT_PTR value, TFindItemKind kind);

// Routes the menu messages a window received to the framework items they concern: WM_COMMAND from a
// menu (lParam 0), WM_INITMENUPOPUP (the item whose drop-down opens is clicked), and WM_MEASUREITEM /
// WM_DRAWITEM for ODT_MENU. False when the message concerns no framework item.
bool DispatchMenuMessage(TMessage& Message);

// Makes the menu classes known to the description reader.
void RegisterMenuClasses();
