// Buttons with a glyph: the bit button (a push button that draws its own face) and the speed
// button (windowless; it can stay down, alone or as one of a group).
#pragma once

#include "StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The look of a button, and the sub-image of its glyph strip that shows it.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
extern const TEnumNames ButtonLayoutNames, BitBtnKindNames;
constexpr TModalResult mrAll = mrNo + 1;

// A glyph strip (NumGlyphs images side by side: up, disabled, down, stays down; the bottom-left
// pixel's colour is transparent) and a caption, placed on a button face by Layout, Margin (-1:
// centred together) and Spacing (-1: even gaps).
class TButtonGlyph {
  public:
    TBitmap& Glyph() { return FGlyph; }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1, Spacing = 4;

    // Draws onto the canvas (its font and colours set) within `client`.
    void Draw(TCanvas& canvas, const RECT& client, const std::u16string& caption, TButtonState state);

  private:
    TBitmap FGlyph;
    int FNumGlyphs = 1;
};

struct TGlyphPlacement {
    POINT Glyph;
    RECT Text;
};
TGlyphPlacement PlaceGlyphAndText(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                  int spacing);

class TBitBtn : public TButton {
    QL_CLASS_INFO()
  public:
    explicit TBitBtn(TComponent* AOwner);
    TButtonGlyph& ButtonGlyph() { return FGlyph; }
    const TButtonGlyph& ButtonGlyph() const { return FGlyph; }
    // A standard kind gives the button its caption (unless a description gave one), its modal
    // result and the default or cancel role; bkClose closes the form after OnClick.
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind v);
    void Click() override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

  private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    TButtonGlyph FGlyph;
    TBitBtnKind FKind = bkCustom;
    TCanvas FCanvas;
};

// Pressed with the mouse it shows down and clicks on release. With a GroupIndex it stays Down
// after a click; the other speed buttons of its parent with that GroupIndex come up, and the
// last one down comes up only when AllowAllUp is set (for the whole group).
class TSpeedButton : public TGraphicControl {
    QL_CLASS_INFO()
  public:
    explicit TSpeedButton(TComponent* AOwner);
    TButtonGlyph& ButtonGlyph() { return FGlyph; }
    const TButtonGlyph& ButtonGlyph() const { return FGlyph; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    // Only an edge while the mouse is over it, or while it is down.
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TButtonState State() const { return FState; }
    void WndProc(TMessage& Message) override;

  protected:
    void Paint() override;

  private:
    template <class F> void ForGroup(F each);
    void MouseDown();
    void MouseMove(POINT p);
    void MouseUp(POINT p);
    void SetState(TButtonState v);

    TButtonGlyph FGlyph;
    int FGroupIndex = 0;
    bool FDown = false, FAllowAllUp = false, FFlat = false, FDragging = false, FMouseInControl = false;
    TButtonState FState = bsUp;
};
