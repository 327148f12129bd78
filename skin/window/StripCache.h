// One border strip as last composed: a repaint at the same size and frame blits it again instead of
// fitting the skin image anew.
#pragma once

#include "WinSkinData.h"

#include <memory>

class TStripCache {
  public:
    // The strip of `border` in that size and frame; null for an empty image or an empty size.
    TBitmap* Get(TDataSkinBorder& border, bool stacked, SIZE size, int frame);
    void Clear() { FBitmap.reset(); }
    int Compositions() const { return FCompositions; }

  private:
    std::unique_ptr<TBitmap> FBitmap;
    const TDataSkinBorder* FBorder = nullptr;
    SIZE FSize{};
    int FFrame = 0;
    int FCompositions = 0;
};
