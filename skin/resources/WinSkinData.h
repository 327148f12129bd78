// The skin data model: TSkinData owns one loaded skin (colours, settings and one skin object per
// drawable element) and loads it from a skin archive. The window and control skinners only read it.
#pragma once

#include "Classes.h"
#include "GdiHandles.h"
#include "Graphics.h"
#include "ImgList.h"
#include "TypInfo.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TControl;
class TSkinReader;
class TQuickIni;
class TSkinData;
class TSkinStore;

// A set of up to 32 enumeration members stored as bits, bit 0 for the first member.
template <class E> struct TEnumSet {
    uint32_t Bits = 0;
    constexpr bool Contains(E e) const { return (Bits >> unsigned(e)) & 1u; }
    constexpr void Include(E e) { Bits |= 1u << unsigned(e); }
    constexpr void Exclude(E e) { Bits &= ~(1u << unsigned(e)); }
};

enum TSkinControlType : uint8_t {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};
using TSkinControlTypes = TEnumSet<TSkinControlType>;

enum TSkinOption : uint8_t {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoMDIChildBorder,
    xoMenuBG
};
using TSkinOptions = TEnumSet<TSkinOption>;

enum TSkinFormType : uint8_t { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

enum TWinContainer : uint8_t {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller
};
using TWinContainers = TEnumSet<TWinContainer>;

enum TShemeColor : uint8_t {
    csText,
    csTitleTextActive,
    csTitleTextNoActive,
    csButtonFace,
    csButtonText,
    csButtonHilight,
    csButtonlight,
    csButtonShadow,
    csButtonDkshadow,
    csSelectText,
    csSelectBg,
    csHilightText,
    csHilight,
    csMenuBar,
    csMenuBarText,
    csMenuText,
    csMenubg,
    csCaption,
    csScrollbar,
    csTextDisable
};
using TShemeColors = std::array<TColor, 20>;

extern const TEnumNames SkinControlTypeNames, SkinOptionNames, SkinFormTypeNames;

constexpr TColor SkinTransColor = 0xFF00FF;

using TOnFormSkin = TEvent<TObject*, const std::string&, bool&>;
using TOnSkinControl =
    TEvent<TComponent*, TSkinData*, TControl*, TControl*, const std::string&, TComponent*&>;
using TOnNewForm = TEvent<TObject*, HWND, const std::string&>;

// ---- Skin objects: an image strip of Frame frames plus its unscaled margins ----------------------

class TDataSkinObject : public TObject {
  public:
    RECT Margins{};
    TBitmap Image;
    int32_t Trans = 0;
    int32_t Tile = 0;
    std::string Name;
    int32_t Frame = 1; // never below 1: drawing divides by it
    int32_t Style = 0;
    int32_t NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
    TColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
  public:
    TBitmap Image2;
};

class TDataSkinTitle : public TDataSkinObject {
  public:
    int32_t TextAlignment = 0, Textbackground = 0, FontHeight = 0, TXTBackleft = 0, TXTBackRight = 0;
    TColor ActiveText = clNone, InActiveText = clNone;
};

class TDataSkinButton : public TDataSkinObject {
  public:
    TBitmap CheckImage, RadioImage;
    int32_t RadioButtonFrame = 1, CheckButtonFrame = 1;
    bool HasNormalColour2 = false, HasMouseOverColour2 = false, HasPressedColour2 = false;
};

class TDataSkinSysButton : public TDataSkinObject {
  public:
    int32_t Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = 0, Visibility = 0, Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
  public:
    int32_t BackgroundLeftShift = 0, BackgroundRightShift = 0, BackgroundAlignment = 0;
};

template <class T> using TSkinPtr = std::unique_ptr<T>; // nil when the skin lacks the element

enum TBorderIndex { bdLeft, bdRight, bdTop, bdBottom };

// Everything one skin description gives: colours, names and skin objects. A load reads a new model
// and keeps it only when it is complete, so that a refused skin leaves the one in use untouched.
struct TSkinModel {
    TSkinModel(); // the objects that always exist: the borders, Title and Button

    TShemeColors Colors{};
    std::vector<TColor> PreColors;
    std::array<TColor, 10> CustomColors{};
    TGdiHandle<HBRUSH> FaceBrush;
    std::string SkinName;

    std::array<TSkinPtr<TDataSkinBorder>, 4> Borders; // indexed by TBorderIndex; always present
    TSkinPtr<TDataSkinTitle> Title;                   // always present
    std::vector<TSkinPtr<TDataSkinSysButton>> SysButtonList;
    TSkinPtr<TDataSkinButton> Button; // always present
    TSkinPtr<TDataSkinBorder> Progress, Tabs, ComboButton, UpDownHorz, UpDownVert;
    TSkinPtr<TDataSkinBoxLabel> GroupBox;
    TSkinPtr<TDataSkinObject> ProgressChunk, MenuBarSkin, GroupBoxEdge, StatusBarEdges, TabPane, ToolBars,
        SunkEdge, ExtraImages, Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll,
        HorzScrollThumb, VertScrollThumb, TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
        TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown, Track, TrackVert, ComboxArrow, Toolbar,
        MinCaption;

    // Every skin object that exists, caption buttons included.
    void ForEachObject(const std::function<void(TDataSkinObject&)>& fn);
};

// ---- The skin data component ---------------------------------------------------------------------

class TSkinData : public TComponent, public TSkinModel {
    QL_CLASS_INFO()
  public:
    // The first instance routes SkinReadReport to a message box; a reporter set after that stays.
    explicit TSkinData(TComponent* AOwner);
    ~TSkinData() override;
    void Loaded() override;

    // Published settings.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    int32_t DisableTag = 99;
    TSkinControlTypes SkinControls{0x1FFFFB};
    TSkinOptions Options{0x48};
    std::unique_ptr<TStringList> Skin3rd;
    const std::string& SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::string& path) { LoadFromFile(path); }
    std::string SkinStore() const; // "(Good)" or "(none)"; writing does nothing
    TSkinFormType SkinFormtype = sfMainform;
    std::string Version() const { return "3.99.03.03"; } // writing does nothing
    bool MenuUpdate = true;
    bool MenuMerge = false;
    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // Beside the skin model.
    std::unique_ptr<TBitmap> AppIcon; // null until an icon was taken
    std::unique_ptr<TFont> SystemCaptionFont;
    std::unique_ptr<TImageList> MenuImages; // 16 x 16 glyphs of the skinned menus
    int32_t MaxWidth = 0, MaxHeight = 0;
    bool SkinPending = true;
    bool FramePainting = true;
    TStrings* DebugLog = nullptr; // not owned
    HWND QueryWindow = nullptr;
    TMemoryStream ArchiveStream;
    TWinContainers Containers{0x3FF};

    // Loading. A refused archive leaves the skin in use and ArchiveStream as they were: a wrong
    // format (SkinPending stays set), an image too large or memory running out (reported through
    // SkinReadReport; SkinPending as before).
    bool LoadSkin();
    void LoadFromFile(const std::string& path);
    void LoadFromStream(TStream& stream);
    // The store's item at index; no store or an index outside its items changes nothing.
    void LoadFromCollection(const TSkinStore* store, int index);
    // After a good load: every window skinned with this skin is skinned anew.
    void UpdateSkin();

    // Asked by the skin manager before it skins a top-level window; OnFormSkin decides alone.
    void DoFormSkin(HWND wnd, const std::string& className, bool& doSkin);
    void DoSkinChanged();

    // Reading the model.
    TColor GetColor(const std::string& text, TColor def) const;
    void ReadRGB(const std::string& section, const std::string& name, TColor& color) const;
    bool GetPrecolor(TColor& color, int index) const;
    TColor GetCaptionColor(); // reads a pixel of the Top border
    bool GetScrollBarInfo(HWND wnd, LONG idObject, SCROLLBARINFO& info) const;
    static std::string GetFileName(const std::string& name);
    int GetSectionNum(const std::string& prefix, const std::string& key) const;

    // Services.
    void DoDebug(const std::string& text);
    void ChangeProperty(TObject* obj, const std::string& prop, const std::string& value);
    void GetAppIcon(HWND AppWindow); // the application window's small icon on magenta
    void CreateCaptionFont();

  private:
    friend class TSkinDataLoader;
    bool LoadArchive(TStream& source);
    bool ReadArchive(TMemoryStream& bytes);
    void ReadSkinStream(TStream& s);
    void WriteSkinStream(TStream& s) const;
    void LoadFromIni();
    void Readbmp(TBitmap& image, const std::string& name);
    void ReBuildCombobox();
    void ReBuildComboxArrow();
    void RebuildToolbar();

    bool Quiet() const; // designing, or reading the description: settings are only stored
    void Unregister();

    bool FActive = false;
    std::string FSkinFile;
    // Exist only during a load.
    std::unique_ptr<TSkinReader> Reader;
    std::unique_ptr<TQuickIni> Ini;
    std::unique_ptr<TMemoryStream> EntryStream;
};

// ---- Unit functions and variables ----------------------------------------------------------------

extern bool Win32PlatformIsUnicode;
extern UINT DefaultUserCodePage;
extern decltype(&::GetScrollBarInfo) pGetScrollBarInfo;
extern decltype(&::TrackMouseEvent) pTrackMouseEvent;
extern decltype(&::GetComboBoxInfo) pGetComboBoxInfo;
extern void(WINAPI* pDisableProcessWindowsGhosting)();
extern TSkinData* GSkinData;

// Makes TSkinData, TSkinStore and TSkinCaption known to the description reader.
void RegisterSkinClasses();

TColor RGBToColor(uint8_t r, uint8_t g, uint8_t b);
void CopyBMP(TBitmap& source, TBitmap& dest);
TControl* FindControlx(HWND wnd);
void DoTrackMouse(HWND wnd);
std::u16string StrToWideStr(const std::string& s);
std::string WideStringToStringEx(const std::u16string& ws);
std::u16string _WStr(const char16_t* text, int length);
int Tnt_DrawTextW(HDC dc, const std::u16string& text, RECT& rect, UINT format);
