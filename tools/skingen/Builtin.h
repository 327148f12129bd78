// The engine's own bitmap resources: the menu glyphs and the two track-bar channels.
#pragma once

#include "BmpCodec.h"

TBmpImage BuiltinMenuGlyphs(); // "GLAZKITMENU": 64 x 16, written with 1 bit per pixel
TBmpImage BuiltinTrack();      // "TRACK": 16 x 4
TBmpImage BuiltinTrackVert();  // "TRACKVERT": 4 x 16
