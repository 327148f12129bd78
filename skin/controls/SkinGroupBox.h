// Group boxes repainted flat: a rounded ButtonShadow outline starting half a text height down, cut
// by the caption on the ButtonFace colour.
#pragma once

#include "WinSubClass.h"

// The rounded outline within the box's rectangle R, for text of height TextHeight.
RECT GroupBoxOutline(const RECT& R, int TextHeight);

class TSkinGroupBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    // Kind 1: a framework control, whose whole box the skinner paints; 0: a bare window.
    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

  private:
    void DefaultDraw(HDC DC, const RECT& R);
    void DrawOutline(HDC DC, const RECT& R);
    HFONT BoxFont();
    void DrawBoxCaption(HDC DC, const RECT& R);
};
