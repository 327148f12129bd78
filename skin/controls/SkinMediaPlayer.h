// The media player's button strip painted whole from the skin: each visible button a Buttons face
// (normal, pressed, disabled, hot, focused) with the player's own glyph on it. The player keeps
// its input; the skinner only adds which button the mouse is over.
#pragma once

#include "SkinButton.h"

class TMediaPlayer;

class TSkinMP : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    // The button the mouse is over; -1 for none.
    int HotButton() const { return FHot; }

  private:
    TMediaPlayer* Player() const;
    TButtonFrame FrameOf(const TMediaPlayer& P, int Button) const;
    void SetHot(int Button);

    int FHot = -1;
    TBitmap FFace;
};
