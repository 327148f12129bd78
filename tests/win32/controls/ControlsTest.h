// Helpers of the control skinner tests: the default skin, a shown form of framework controls, bare
// child windows, reading a window's pixels back and the skin frames they should show.
#pragma once

#include "Buttons.h"
#include "FrameworkTest.h"
#include "SkinControlList.h"
#include "StdCtrls.h"
#include "WinSkinData.h"
#include "WinSubClass.h"

#include <memory>

struct TFree {
    void operator()(TObject* o) const { o->Free(); }
};
template <class T> using TOwned = std::unique_ptr<T, TFree>;

// The default skin archive, loaded once for the whole program.
TSkinData& DefaultSkin();

// A shown form at the screen's top-left, coloured differently from the skin's face colour.
TOwned<TForm> ShownForm(int w = 320, int h = 240);
template <class T> T* AddControl(TWinControl& parent, int x, int y, int w, int h, const char* caption = "") {
    auto* c = new T(&parent);
    c->SetParent(&parent);
    c->SetBounds(x, y, w, h);
    c->SetCaption(caption);
    return c;
}
// A window of a system class (no framework object) as a child of `parent`.
HWND AddBareWindow(HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h,
                   const wchar_t* text = L"");

inline TColor Px(TBitmap& bmp, int x, int y) {
    return bmp.Canvas().Pixel(x, y);
}

inline void SolidBitmap(TBitmap& bmp, int w, int h, TColor color) {
    bmp.SetSize(w, h);
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(color));
    RECT r{0, 0, w, h};
    FillRect(bmp.MemoryDC(), &r, brush);
}

// The window's pixels, frame included, as they are now.
void Capture(HWND wnd, TBitmap& out);
// A part of the window's client area as it is now.
void CaptureClient(HWND wnd, const RECT& part, TBitmap& out);
// Repaints the window and reads it back.
void Snapshot(HWND wnd, TBitmap& out);

// Frame `frame` of `count` of the strip at its own size, drawn on `back` where it is magenta.
TColor FramePixel(TBitmap& strip, int count, int frame, int x, int y, TColor back);

// Counts the pixels of `shot` in `area` (at `at`) that differ from frame `frame` of the strip.
int FrameMismatches(TBitmap& shot, POINT at, const RECT& area, TBitmap& strip, int count, int frame,
                    TColor back, bool keyedOnly = false);

// Where the corners of a face fitted at w x h come from: each corner of the frame, 1:1.
int CornerMismatches(TBitmap& shot, TDataSkinObject& skin, int frame, TColor back);
