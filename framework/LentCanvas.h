// A control's canvas lent to a DC it was given for one drawing (a paint, an owner-drawn item), with
// the control's font and colour; taken back when the guard goes, whatever the drawing did.
#pragma once

#include "Controls.h"

class TLentCanvas {
  public:
    TLentCanvas(TCanvas& canvas, HDC dc, const TControl& control) : FCanvas(canvas) {
        FCanvas.SetHandle(dc);
        FCanvas.Font().Assign(&control.Font());
        FCanvas.Brush().SetColor(control.Color());
        FCanvas.Brush().SetStyle(bsSolid);
    }
    TLentCanvas(const TLentCanvas&) = delete;
    TLentCanvas& operator=(const TLentCanvas&) = delete;
    ~TLentCanvas() { FCanvas.SetHandle(nullptr); }

  private:
    TCanvas& FCanvas;
};
