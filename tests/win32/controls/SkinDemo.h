// The frame of the skinned-control demos: a form with the default skin on its controls, shown until
// it is closed or, when the command line gives a number, for that many milliseconds.
#pragma once

#include "Forms.h"

#include <functional>

int RunSkinDemo(const wchar_t* CommandLine, int Width, int Height,
                const std::function<void(TForm&)>& AddControls);
