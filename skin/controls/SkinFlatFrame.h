// The flat frames edits and combo boxes get instead of the sunken border. They are drawn on the
// window DC after the control has painted itself, never over its text area.
#pragma once

#include "Graphics.h"

#include <windows.h>

// The window has a border: its client area is smaller than the window both ways.
bool HasBorder(HWND Wnd, const RECT& WindowR);
// The 1-pixel ring `Inset` pixels inside R.
void FrameRing(HDC DC, const RECT& R, int Inset, TColor Color);
void FrameRing(HDC DC, const RECT& R, int Inset, HBRUSH Brush);

// While alive, Inner is left out of the DC's clipping, so the control's text and caret are never
// drawn over.
class TExcludeInner {
  public:
    TExcludeInner(HDC DC, const RECT& Inner);
    TExcludeInner(const TExcludeInner&) = delete;
    TExcludeInner& operator=(const TExcludeInner&) = delete;
    ~TExcludeInner();

  private:
    HDC FDC;
    int FSaved;
};
