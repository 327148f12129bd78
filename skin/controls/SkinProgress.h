// Progress bars painted whole off-screen: the Progress image as background and the filled part as
// its second frame (Style 0) or as a row of Progress.Chunk blocks (Style 1). A vertical bar is
// drawn lying down and turned, so that it fills from the bottom.
#pragma once

#include "RangeGeometry.h"
#include "WinSubClass.h"

// The row of chunks: Filled long, ChunkHeight high, centred across a bar Height high, Inset in.
RECT ChunkRowRect(int Filled, int ChunkHeight, int Height, int Inset);

class TSkinProgress : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

  private:
    bool Vertical() const;
    // Length of the bar filled now, out of Length.
    int Filled(int Length) const;
    void DrawFramed(HDC DC, const RECT& Bar);
    void DrawChunked(HDC DC, const RECT& Bar);
};
