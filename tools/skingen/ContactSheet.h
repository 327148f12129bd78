// Every strip of the default skin enlarged, frame by frame and numbered, for looking at the skin.
#pragma once

#include "SkinLayout.h"

// Magenta shows as a checkerboard, so what the engine leaves transparent is plain to see.
TBmpImage ContactSheet(const std::vector<TSkinBitmapSpec>& entries);
