// Check boxes and radio buttons: a glyph frame of the skin's CheckButton or RadioButton strip. For
// a framework control (Kind 1) the skinner paints the whole face, caption included; for a bare
// window (Kind 0) it paints the glyph over the control's own painting.
#pragma once

#include "WinSubClass.h"

// The frame of a 4-frame check strip (1 unchecked, 2 checked, 3 unchecked disabled, 4 checked
// disabled or indeterminate) or its place in a 12-frame strip.
int CheckBoxFrame(int Checked, bool Disabled, bool Indeterminate, int Count);
// The same for radio buttons and their 8-frame strips.
int RadioButtonFrame(bool Checked, bool Disabled, int Count);

// What check boxes and radio buttons share: the face, the layout and the message handling.
class TSkinGlyphButton : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    bool TransparentBK = false;

  protected:
    struct TGlyphStrip {
        TBitmap* Image;
        int Count;
    };
    // The skin's strip; null Image when the skin has none.
    virtual TGlyphStrip Strip() const = 0;
    virtual int GlyphFrame(int Count) = 0;
    // How far inside the right edge the glyph sits with the text on its left.
    virtual int RightInset() const = 0;

  private:
    void DrawFace(HDC DC, const RECT& R, const TGlyphStrip& S);
    void DrawText(TCanvas& C, const RECT& Area, UINT Format);
    TBitmap FFaceBitmap;
};

class TSkinCheckBox : public TSkinGlyphButton {
  public:
    using TSkinGlyphButton::TSkinGlyphButton;
    void AfterProc(TMessage& Message) override;

    int32_t CheckState = 0; // the last BM_SETCHECK + 1; 0 before the first

  protected:
    TGlyphStrip Strip() const override;
    int GlyphFrame(int Count) override;
    int RightInset() const override { return 0; }

  private:
    int CheckedFrame() const;
};

class TSkinRadioButton : public TSkinGlyphButton {
  public:
    using TSkinGlyphButton::TSkinGlyphButton;

  protected:
    TGlyphStrip Strip() const override;
    int GlyphFrame(int Count) override;
    int RightInset() const override { return 1; }
};
