// Edit fields keep their own text, caret and selection; the skinner only covers the sunken border
// with a flat frame: one ButtonShadow pixel and a white ring two pixels wide.
#pragma once

#include "WinSubClass.h"

// The form skinner's request to paint a control into the DC in wParam (answered with the same tag).
enum : UINT { WM_SKINPAINTCLIENT = 0xBC4A };
constexpr LPARAM SkinPaintTag = 0x41A2;

class TSkinEdit : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

  private:
    // The frame on a printed copy: the field colour inside, ButtonShadow outside.
    void PaintControl1(HDC DC);
    void PaintInto(TMessage& Message);
};
