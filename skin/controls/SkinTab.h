// Tab and page controls painted whole: the tab row from the skin's Tabs strip and the frame round
// the page area from the pane image. Tabs at the bottom use vertically flipped images; tabs on a
// side are drawn as a horizontal row that is then turned, so their texts read along the side.
#pragma once

#include "WinSubClass.h"

#include <vector>

enum TSkinTabPosition : uint8_t { StTop, Stbottom, Stleft, Stright };

// The Tabs frames: 1 normal, 2 current, 3 hot, 4 disabled, 5 current and hot.
int TabFrame(bool Current, bool Hot, bool Disabled);
TSkinTabPosition TabPositionOf(LONG_PTR Style);

// Geometry, in window coordinates with the origin at 0,0.
// The pane round the page area: the display area grown by 4, its tab side 1 pixel further in.
RECT PaneRect(const RECT& Display, TSkinTabPosition P);
// The strip between the control's edge and the pane on the tab side.
RECT RowArea(const RECT& R, const RECT& Pane, TSkinTabPosition P);
// The row bitmap's size: the row area, turned for a side.
SIZE RowSize(const RECT& Row, TSkinTabPosition P);
// Where a tab lies in the horizontal row bitmap (1 pixel toward the pane), so that turning the
// bitmap puts it back in its place.
RECT TabInRow(const RECT& Tab, const RECT& Row, TSkinTabPosition P);
// A close box: 6 x 6 near the tab's top-right corner.
RECT CloseBoxRect(const RECT& Tab);
// Margins of a strip flipped (bottom) or turned (sides) as the pane image is.
RECT TurnedMargins(const RECT& M, TSkinTabPosition P);

// What a paint takes from the skin, copied when the skin is taken so that a skin replaced under a
// paint is never read half-way.
struct TTabLook {
    RECT TabMargins{}, PaneMargins{}; // flipped or turned as the images are
    int Frames = 5;
    bool Trans = false, Tile = false;
    TColor Normal = clBtnText, Current = clBtnText; // text of the other tabs and of the current one
};

class TSkinTab : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;
    void SkinChange() override;

    TSkinTabPosition TabPosition = StTop;
    bool WideTabs = true;
    bool CloseButtons = false;
    int HotTab = -1;
    std::vector<RECT> CloseRects; // window coordinates, one per tab of the last paint
    TBitmap TabImage, PaneImage;  // the skin's images flipped or turned for TabPosition
    TTabLook Look;

  private:
    void inittab();
    void TakeImages();
    void TakeLook();
    bool Skinned() const { return !TabImage.Empty(); }
    bool FindScroll() const;
    void ClipUpdown(HDC DC) const;
    void DrawRow(TCanvas& Face, const RECT& Row);
    void DrawTabs(TCanvas& C, const RECT& Row);
    void Drawitem(TCanvas& C, const RECT& Tab, int Index, int Current, HIMAGELIST Images);
    void DrawPane(HDC DC, const RECT& Pane);
    void drawCloseBtn(TCanvas& C, const RECT& Tab, int Index);
    bool ClickClose(TMessage& Message);
    void FreePage(int Tab);
    void SetHot(int Tab);
    std::u16string TabText(int Index, int& Image) const;
};

// The pages of a page control: filled with the skin's face colour, their windowless children on top.
class TSkinTabSheet : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;
};

// A tab control's skinner: page controls in button style keep their own look; a control that is not
// a page control is marked Kind 2 (its windowless children are painted after the face).
TSkinControl* AttachTabControl(TControl& Tabs, TSkinControlList& List, bool ParentBK);
// The selection's tab gate: tabs are skinned and the skin has a Tabs object.
bool TabGate(const TSkinData& Skin);
