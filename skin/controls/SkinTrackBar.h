// Track bars: the channel from the skin's Track (TRACKVERT when vertical) image and the thumb from
// a Trackbar.Thumb strip of five frames; tick marks stay the control's. A framework track bar is
// painted through its custom-draw notices; a bare one paints itself and is painted over.
#pragma once

#include "RangeGeometry.h"
#include "WinSubClass.h"

#include <commctrl.h>

// A vertical bar's channel as a tall rectangle (some controls give it transposed).
RECT UprightChannel(const RECT& Channel);
// Where the channel image goes: at its own thickness across the channel, centred when thinner than
// the channel, else at its top (left when vertical); along the channel, its whole length.
RECT ChannelImageRect(const RECT& Channel, SIZE Image, bool Vertical);

class TSkinTrackBar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;

  private:
    bool Vertical() const;
    RECT ThumbRect() const;
    TDataSkinObject* ChannelImage() const;
    TDataSkinObject* ThumbImage() const;
    // The answer to one custom-draw notice: channel and thumb are ours, the rest the control's.
    LRESULT CustomDraw(const NMCUSTOMDRAW& Info);
    void DrawTrack(HDC DC);
    void Drawthumb(HDC DC);
    // A bare track bar: its own painting off-screen, the skin's channel and thumb over it.
    void PaintOver(TMessage& Message);
    void ComposeOver(HDC DC, const RECT& Client);
    void ClearUnder(HDC DC, const RECT& Part);
    bool Notification(TMessage& Message);
    void TrackMouse(const TMessage& Message);
    void SetThumbState(bool Hot, bool Pressed);

    bool FHot = false, FPressed = false;
};
