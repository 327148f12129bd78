// Speed buttons: windowless, painted by their parent. The skinner takes over the control's paint
// and tracks the mouse through the framework's enter and leave notices; the control keeps its own
// down state (a grouped button that stays down shows the pressed face).
#pragma once

#include "SkinButton.h"

class TSkinSpeedButton : public TSkinBitButton {
  public:
    using TSkinBitButton::TSkinBitButton;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    // On the parent's window at the control's place when DC is 0.
    void PaintControl(HDC DC) override;

  protected:
    void ReadState() override;
    TButtonFrame FaceFrame() const override;
    void PaintBackground(HDC DC, const RECT& R) override;

  private:
    RECT Face() const;
    bool FPaintingParent = false; // the parent's paint under the face comes back to this control
};
