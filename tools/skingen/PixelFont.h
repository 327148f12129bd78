// A 3 x 5 pixel font (digits, capital letters, '.', '-') for labelling the contact sheet.
#pragma once

#include "Paint.h"

#include <string>

// Draws `text` (lower case is shown as capitals, unknown characters as blanks) at `scale`;
// returns the width used.
int DrawPixelText(TPainter& p, int x, int y, const std::string& text, int scale, uint32_t c);
