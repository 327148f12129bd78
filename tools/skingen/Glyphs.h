// The small bit-row glyphs of the default skin (arrows, marks, caption-button symbols).
#pragma once

#include "Paint.h"

namespace Glyphs {

extern const TGlyph Triangle;  // 7 x 4, pointing up; turn it for the other directions
extern const TGlyph Chevron;   // 9 x 5, pointing down
extern const TGlyph CheckMark; // 7 x 6
extern const TGlyph CaptionClose, CaptionMax, CaptionMin, CaptionRestore; // 9 x 9
extern const TGlyph SmallClose, SmallMin, SmallRestore;                   // 7 x 7

} // namespace Glyphs
