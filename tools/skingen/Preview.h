// A mock-up of two skinned windows (active and inactive) built from the default skin's strips,
// placed the way the engine places them, for judging the skin as a whole.
#pragma once

#include "BmpCodec.h"

TBmpImage PreviewWindows();
