// Push buttons painted from the skin's Buttons face strip (five frames: normal, pressed, disabled,
// hot, focused), and bit buttons, which add their glyph.
#pragma once

#include "WinSubClass.h"

enum TButtonFrame { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfFocused = 5 };

// Disabled beats pressed, pressed beats hot, hot beats focused.
TButtonFrame ButtonFrame(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State);

// The timer that brings a button back should its redraw not be switched on again after a click.
constexpr UINT_PTR RedrawTimerId = 0x5B06;

class TSkinButton : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ~TSkinButton() override;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    TBitmap FaceBitmap;
    bool TransparentBK = false;

  protected:
    // What lies under the face: the parent (TransparentBK) or the skin's face colour.
    virtual void PaintBackground(HDC DC, const RECT& R);
    // Focused, Enabled and Caption as they are now.
    virtual void ReadState();
    virtual TButtonFrame FaceFrame() const;
    // The caption (and glyph) on the face; the canvas has the font and text colour set.
    virtual void DrawFace(TCanvas& C, const RECT& R, TButtonFrame Frame);
    void DrawBtnText(TCanvas& C, const RECT& R, UINT Alignment);
    // Off: the window loses WS_VISIBLE while the system button handles a click, so it does not
    // paint its own pressed look; on gives back only what off took.
    void SetRedraw(bool On);

  private:
    bool MouseMessage(TMessage& Message);
    bool Click(TMessage& Message);
    void HideRequested(const TMessage& Message);
    void SetFaceFont(TCanvas& C, TButtonFrame Frame);
    TColor StateTextColor(TButtonFrame Frame, TColor Default) const;

    bool FHidden = false; // WS_VISIBLE taken by SetRedraw(false)
};

class TSkinBitButton : public TSkinButton {
  public:
    using TSkinButton::TSkinButton;

  protected:
    void DrawFace(TCanvas& C, const RECT& R, TButtonFrame Frame) override;
};

// A push button with a drop-down mark at its right; its caption is centred in the width left of it.
class TSkinMenuButton : public TSkinButton {
  public:
    using TSkinButton::TSkinButton;

  protected:
    void DrawFace(TCanvas& C, const RECT& R, TButtonFrame Frame) override;
};
